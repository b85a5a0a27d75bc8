#include "flexgrid.h"

#include "flexgridaccessible.h"
#include "gridlook.h"
#include "keycharacter.h"
#include "rowselection.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>

namespace {
constexpr int designRows = 5;
constexpr int designCols = 6;
constexpr int rowHeightPixels = 22; // five rows fill the 1695-twip design height

// Moves with the arrow and page keys stay among the receiver rows.
QModelIndex receiverRowsOnly(const QModelIndex &index, const QAbstractItemModel *model)
{
    if (!index.isValid() || index.row() > 0 || model->rowCount() < 2)
        return index;
    return model->index(1, index.column());
}

} // namespace

FlexGrid::FlexGrid(QWidget *parent)
    : QTableWidget(designRows, designCols, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowHeightPixels);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // No selection fill: a cell's own background (the red mark) always shows.
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFocusPolicy(Qt::StrongFocus);
    giveGridItsOwnLook(this);
    setRows(designRows);
    exposeToScreenReaders(this);
}

QTableWidgetItem *FlexGrid::cell(int row, int col) const
{
    return item(row, col);
}

void FlexGrid::styleRow(int row)
{
    for (int col = 0; col < columnCount(); ++col) {
        if (item(row, col))
            continue;
        auto *newItem = new QTableWidgetItem;
        newItem->setFlags(Qt::ItemIsEnabled);
        newItem->setTextAlignment(Qt::AlignCenter);
        newItem->setBackground(row == 0 ? headerCellColour() : ordinaryCellColour());
        setItem(row, col, newItem);
    }
}

void FlexGrid::setRows(int rows)
{
    const int previous = rowCount();
    if (markedRow_ >= rows)
        markedRow_ = 0;
    setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        setRowHeight(row, rowHeightPixels);
        if (row >= previous || !item(row, 0))
            styleRow(row);
    }
}

int FlexGrid::Row() const
{
    return std::max(0, currentRow());
}

void FlexGrid::setRow(int row)
{
    setCurrentCell(row, Col(), QItemSelectionModel::NoUpdate);
}

int FlexGrid::Col() const
{
    return std::max(0, currentColumn());
}

void FlexGrid::setCol(int col)
{
    setCurrentCell(Row(), col, QItemSelectionModel::NoUpdate);
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    const QTableWidgetItem *found = cell(row, col);
    return found ? found->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString &text)
{
    if (QTableWidgetItem *found = cell(row, col))
        found->setText(text);
}

QColor FlexGrid::cellColour(int row, int col) const
{
    // As the design holds a colour: red, green and blue, 8 bits each.
    const QTableWidgetItem *found = cell(row, col);
    if (found && found->background().style() != Qt::NoBrush)
        return colourFromValue(valueFromColour(found->background().color()));
    return colourFromValue(valueFromColour(row == 0 ? headerCellColour() : ordinaryCellColour()));
}

void FlexGrid::setMarkedRow(int row, const QColor &unmarkedColour)
{
    markedRow_ = row >= 1 && row < Rows() ? row : 0;
    // Each cell is coloured where it stands: moving the current cell through
    // the rows would take the keyboard focus, and a screen reader, with it.
    for (int other = 1; other < Rows(); ++other)
        setCellColour(other, 0, unmarkedColour);
    if (markedRow_ != 0)
        setCellColour(markedRow_, 0, selectedRowColour);
}

void FlexGrid::clearMark(const QColor &unmarkedColour)
{
    markedRow_ = 0;
    for (int other = 1; other < Rows(); ++other) {
        if (cellColour(other, 0) == selectedRowColour)
            setCellColour(other, 0, unmarkedColour);
    }
}

QColor FlexGrid::CellBackColor() const
{
    return cellColour(Row(), Col());
}

void FlexGrid::setCellBackColor(const QColor &colour)
{
    setCellColour(Row(), Col(), colour);
}

void FlexGrid::setCellColour(int row, int col, const QColor &colour)
{
    if (QTableWidgetItem *found = cell(row, col))
        found->setBackground(colour);
}

void FlexGrid::setFormatString(const QString &format)
{
    const QStringList titles = format.split(QLatin1Char('\t'));
    for (int col = 0; col < columnCount() && col < titles.size(); ++col)
        setTextMatrix(0, col, titles.at(col));
}

int FlexGrid::RowHeightTwips(int row) const
{
    return rowHeight(row) * twipsPerPixel;
}

void FlexGrid::setColWidthTwips(int col, int twips)
{
    if (col < 0 || col >= columnCount())
        return;
    colWidthTwips_.resize(columnCount(), -1);
    colWidthTwips_[col] = twips;
    setColumnWidth(col, twipsToPixels(twips));
}

int FlexGrid::ColWidthTwips(int col) const
{
    if (col >= 0 && col < colWidthTwips_.size() && colWidthTwips_[col] >= 0)
        return colWidthTwips_[col];
    return columnWidth(col) * twipsPerPixel;
}

void FlexGrid::setColAlignment(int col, Qt::Alignment align)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (QTableWidgetItem *found = cell(row, col))
            found->setTextAlignment(align);
    }
}

int FlexGrid::HeightTwips() const
{
    return height() * twipsPerPixel;
}

void FlexGrid::setHeightTwips(int twips)
{
    resize(width(), twipsToPixels(twips));
}

int FlexGrid::WidthTwips() const
{
    return width() * twipsPerPixel;
}

void FlexGrid::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

QColor FlexGrid::colourFromValue(int value)
{
    return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

int FlexGrid::valueFromColour(const QColor &colour)
{
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void FlexGrid::mousePressEvent(QMouseEvent *event)
{
    // Only the primary button chooses a cell, as in any desktop table.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    pressedRow_ = -1;
    // The header row is never made current by the mouse.
    if (!index.isValid() || index.row() == 0) {
        event->accept();
        return;
    }
    setCurrentCell(index.row(), index.column(), QItemSelectionModel::NoUpdate);
    pressedRow_ = index.row();
    event->accept();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent *event)
{
    event->accept(); // no drag-selection: the current cell follows presses only
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    // The press made its cell current; the click belongs to that cell wherever
    // the button comes up, so the mark always follows the current row.
    const bool pressedOnCell = pressedRow_ >= 1;
    pressedRow_ = -1;
    event->accept();
    if (pressedOnCell)
        emit Click();
}

void FlexGrid::focusOutEvent(QFocusEvent *event)
{
    QTableWidget::focusOutEvent(event);
    announceFocusLeft(this);
}

void FlexGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Past QTableView's own focus event, which names a child by the layout of
    // Qt's table interface, not this grid's.
    QAbstractItemView::currentChanged(current, previous);
    announceCurrentCell(this, current, previous);
}

void FlexGrid::keyPressEvent(QKeyEvent *event)
{
    const int code = keyCharacter(*event);
    if (code != 0)
        emit KeyPress(code);

    // The grid's own navigation, kept among the receiver rows; typed letters
    // do not jump to matching cells.
    QModelIndex target;
    switch (event->key()) {
    case Qt::Key_Up:
        target = moveCursor(MoveUp, event->modifiers());
        break;
    case Qt::Key_Down:
        target = moveCursor(MoveDown, event->modifiers());
        break;
    case Qt::Key_Left:
        target = moveCursor(MoveLeft, event->modifiers());
        break;
    case Qt::Key_Right:
        target = moveCursor(MoveRight, event->modifiers());
        break;
    case Qt::Key_Home:
        target = moveCursor(MoveHome, event->modifiers());
        break;
    case Qt::Key_End:
        target = moveCursor(MoveEnd, event->modifiers());
        break;
    case Qt::Key_PageUp:
        target = moveCursor(MovePageUp, event->modifiers());
        break;
    case Qt::Key_PageDown:
        target = moveCursor(MovePageDown, event->modifiers());
        break;
    default:
        event->ignore();
        return;
    }
    target = receiverRowsOnly(target, model());
    if (target.isValid())
        setCurrentCell(target.row(), target.column(), QItemSelectionModel::NoUpdate);
    event->accept();
}
