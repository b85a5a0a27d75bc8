#include "arrowlines.h"

#include "table/twips.h"

#include <QPainter>

namespace {
struct Line
{
    const char *name;
    int x1, y1, x2, y2; // twips
};

constexpr Line lines[] = {
    {"Line1", 4260, 3540, 4260, 5460},   {"Line5", 4260, 3540, 4500, 3780},
    {"Line6", 4260, 3540, 4020, 3780},   {"Line4", 5580, 3540, 5580, 5460},
    {"Line2", 5340, 5220, 5580, 5460},   {"Line3", 5820, 5220, 5580, 5460},
    {"Line7", 11700, 4860, 11700, 5520}, {"Line8", 11460, 5340, 11700, 5580},
    {"Line9", 11940, 5340, 11700, 5580},
};
} // namespace

ArrowLines::ArrowLines(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("arrowlines"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ArrowLines::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The window is shown smaller than designed on a small screen.
    constexpr double designWidth = 13500.0 / twipsPerPixel;
    if (parentWidget() && parentWidget()->width() != int(designWidth))
        painter.scale(parentWidget()->width() / designWidth, parentWidget()->width() / designWidth);
    painter.setPen(QPen(QColor(255, 0, 0), 4, Qt::SolidLine, Qt::RoundCap));
    for (const Line &line : lines) {
        painter.drawLine(QPointF(line.x1 / double(twipsPerPixel), line.y1 / double(twipsPerPixel)),
                         QPointF(line.x2 / double(twipsPerPixel), line.y2 / double(twipsPerPixel)));
    }
}
