#include "windowfit.h"

#include "focusring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

int scaled(int pixels, double scale)
{
    return int(std::lround(pixels * scale));
}

// Text is never rounded up: a caption that grew against its box would be cut.
int scaledDown(int pixels, double scale)
{
    return std::max(1, int(std::floor(pixels * scale + 1e-9)));
}

// Edges are scaled, not sizes, so that neighbours stay neighbours.
QRect scaled(const QRect &rect, double scale)
{
    const int left = scaled(rect.left(), scale);
    const int top = scaled(rect.top(), scale);
    return QRect(left, top, scaled(rect.left() + rect.width(), scale) - left,
                 scaled(rect.top() + rect.height(), scale) - top);
}

} // namespace

WindowFit::WindowFit(QWidget &window)
    : QObject(&window)
    , window_(window)
{
    window.installEventFilter(this);
}

double WindowFit::scaleToFit(QSize design, QSize frame, QSize available)
{
    const QSize room = available - frame;
    if (design.isEmpty() || room.isEmpty())
        return 1.0;
    return std::min({1.0, double(room.width()) / design.width(), double(room.height()) / design.height()});
}

void WindowFit::fit()
{
    followScreen();
    const QScreen *screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize design = scale_ == 1.0 ? window_.size() : designSize_;
    // The window manager's frame and title count too; they are known once
    // the window is shown.
    frame_ = window_.frameGeometry().size() - window_.size();
    const double wanted = scaleToFit(design, frame_, screen->availableGeometry().size());
    if (std::abs(wanted - scale_) < 1e-6)
        return;
    toDesign();
    apply(wanted);
    // Keep the whole frame on the screen: a window manager may have placed
    // the larger window where the smaller one would still reach past an edge.
    const QRect available = screen->availableGeometry();
    const QRect frame = window_.frameGeometry();
    if (window_.isVisible() && !available.contains(frame)) {
        const int x = std::clamp(frame.left(), available.left(),
                                 std::max(available.left(), available.right() - frame.width() + 1));
        const int y = std::clamp(frame.top(), available.top(),
                                 std::max(available.top(), available.bottom() - frame.height() + 1));
        window_.move(x, y);
    }
}

void WindowFit::toDesign()
{
    if (scale_ == 1.0)
        return;
    QFont font = window_.font();
    font.setPixelSize(designFontPixels_);
    window_.setFont(font);
    for (const Designed &control : designed_) {
        if (!control.widget)
            continue;
        control.widget->setGeometry(control.geometry);
        if (control.fontPixels > 0) {
            QFont own = control.widget->font();
            own.setPixelSize(control.fontPixels);
            control.widget->setFont(own);
        }
    }
    if (grid_) {
        for (int row = 0; row < grid_->model()->rowCount(); ++row)
            grid_->setRowHeight(row, gridRowHeight_);
        for (size_t col = 0; col < gridColumnWidths_.size(); ++col)
            grid_->setColumnWidth(int(col), gridColumnWidths_[col]);
    }
    window_.setFixedSize(designSize_);
    designed_.clear();
    scale_ = 1.0;
}

void WindowFit::apply(double scale)
{
    if (scale == 1.0)
        return;
    designSize_ = window_.size();
    designFontPixels_ = window_.font().pixelSize();
    designed_.clear();
    grid_ = nullptr;
    // The ring finds its place from the control it surrounds.
    for (QWidget *child : window_.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || dynamic_cast<FocusRing *>(child))
            continue;
        const bool ownFont = child->testAttribute(Qt::WA_SetFont) && child->font().pixelSize() > 0;
        designed_.push_back({child, child->geometry(), ownFont ? child->font().pixelSize() : 0});
        if (auto *table = qobject_cast<QTableView *>(child))
            grid_ = table;
    }
    scale_ = scale;

    window_.setFixedSize(scaled(designSize_.width(), scale), scaled(designSize_.height(), scale));
    QFont font = window_.font();
    font.setPixelSize(scaledDown(designFontPixels_, scale));
    window_.setFont(font);
    for (const Designed &control : designed_) {
        control.widget->setGeometry(scaled(control.geometry, scale));
        if (control.fontPixels > 0) {
            QFont own = control.widget->font();
            own.setPixelSize(scaledDown(control.fontPixels, scale));
            control.widget->setFont(own);
        }
    }
    if (grid_) {
        // Rounded, so that a row is where the scaled design has it, unless
        // that would push the last row or column out of the grid.
        const int rows = grid_->model()->rowCount();
        gridRowHeight_ = rows > 0 ? grid_->rowHeight(0) : grid_->verticalHeader()->defaultSectionSize();
        int rowHeight = scaled(gridRowHeight_, scale);
        if (rowHeight * rows > grid_->height())
            rowHeight = scaledDown(gridRowHeight_, scale);
        for (int row = 0; row < rows; ++row)
            grid_->setRowHeight(row, rowHeight);
        gridColumnWidths_.clear();
        int total = 0;
        for (int col = 0; col < grid_->model()->columnCount(); ++col) {
            gridColumnWidths_.push_back(grid_->columnWidth(col));
            total += scaled(gridColumnWidths_.back(), scale);
        }
        const bool roundDown = total > grid_->width();
        for (size_t col = 0; col < gridColumnWidths_.size(); ++col) {
            grid_->setColumnWidth(int(col),
                                  roundDown ? scaledDown(gridColumnWidths_[col], scale)
                                            : scaled(gridColumnWidths_[col], scale));
        }
    }
}

// The screen the window is on, and its available area, may change while
// the program runs: a second display, a panel that appears.
void WindowFit::followScreen()
{
    QWindow *handle = window_.windowHandle();
    if (!handle)
        return;
    if (!screenChanged_)
        screenChanged_ = connect(handle, &QWindow::screenChanged, this, [this] { fit(); });
    if (screen_ == handle->screen())
        return;
    disconnect(areaChanged_);
    screen_ = handle->screen();
    if (screen_)
        areaChanged_ = connect(screen_, &QScreen::availableGeometryChanged, this, [this] { fit(); });
}

bool WindowFit::eventFilter(QObject *watched, QEvent *event)
{
    // The frame is known once the window manager has framed the window.
    if (watched == &window_ && (event->type() == QEvent::Move || event->type() == QEvent::Show)
        && window_.frameGeometry().size() - window_.size() != frame_)
        fit();
    return false;
}
