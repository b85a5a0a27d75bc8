#include "gridlook.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyledItemDelegate>
#include <QTableWidget>

// The grid's own colours, the same whatever colours the window or the
// desktop around it has: header cells in a light button face, ordinary cells
// white, black text, light-grey lines and a grey area outside the cells.
QColor headerCellColour()
{
    return QColor(239, 239, 239);
}
QColor ordinaryCellColour()
{
    return QColor(255, 255, 255);
}

namespace {

const QColor cellTextColour(0, 0, 0);
const QColor gridLineColour(192, 192, 192);
const QColor outsideCellsColour(128, 128, 128);

// Left alone, the style derives the lines from the window's background.
class GridStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_Table_GridLineColor)
            return int(gridLineColour.rgba());
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The style's focus frame tints the whole cell, and a cell's colour (the red
// mark above all) must show as it is. So the cell is painted without the
// focus state, and the current cell of a focused grid gets a thin frame of
// its own instead, inset so the cell's colour shows around and inside it:
// keyboard users see where the arrows have taken them.
class PlainCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        QStyledItemDelegate::paint(painter, plain, index);
        // The header row only names the columns; framing it would read as a
        // selected header.
        if ((option.state & QStyle::State_HasFocus) && index.row() > 0)
            paintFocusFrame(painter, option.rect, index);
    }

private:
    static void paintFocusFrame(QPainter *painter, const QRect &cell, const QModelIndex &index)
    {
        constexpr int inset = 1;
        constexpr int width = 2;
        const QRect frame = cell.adjusted(inset, inset, -inset, -inset);
        if (frame.width() <= 2 * width || frame.height() <= 2 * width)
            return;
        // Dark on light fills (the red mark counts as light here), light on dark.
        const QVariant fill = index.data(Qt::BackgroundRole);
        const bool darkFill = fill.canConvert<QBrush>() && qGray(fill.value<QBrush>().color().rgb()) < 64;
        const QColor ink = darkFill ? Qt::white : Qt::black;
        // Filled rectangles, not a stroked path: exact pixels at any pen setting.
        painter->fillRect(QRect(frame.left(), frame.top(), frame.width(), width), ink);
        painter->fillRect(QRect(frame.left(), frame.bottom() - width + 1, frame.width(), width), ink);
        painter->fillRect(QRect(frame.left(), frame.top(), width, frame.height()), ink);
        painter->fillRect(QRect(frame.right() - width + 1, frame.top(), width, frame.height()), ink);
    }
};
} // namespace

void giveGridItsOwnLook(QTableWidget *grid)
{
    auto *style = new GridStyle(QStyleFactory::create(QApplication::style()->name()));
    style->setParent(grid);
    grid->setStyle(style);
    grid->setItemDelegate(new PlainCellDelegate(grid));
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Base, outsideCellsColour); // what shows where no cell is
    colours.setColor(QPalette::Text, cellTextColour);
    grid->setPalette(colours);
}
