#include "smallscreen.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

std::unique_ptr<SmallScreenFrame> SmallScreenFrame::aroundIfTooLarge(QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return nullptr;
    const QRect available = screen->availableGeometry();
    if (window.width() <= available.width() && window.height() <= available.height())
        return nullptr;
    return std::unique_ptr<SmallScreenFrame>(new SmallScreenFrame(window, available));
}

SmallScreenFrame::SmallScreenFrame(QWidget &window, const QRect &available)
    : available_(available)
{
    setFrameShape(QFrame::NoFrame);
    setWindowTitle(window.windowTitle());
    setWindowIcon(window.windowIcon());
    setWidget(&window); // keeps its fixed size: the scroll bars show the rest
    window.installEventFilter(this);
    fit();
}

SmallScreenFrame::~SmallScreenFrame()
{
    if (QWidget *window = takeWidget())
        window->removeEventFilter(this);
}

// As large as the window, at most the screen's available area, maximised
// when it is that large so that a window manager keeps its title on screen.
void SmallScreenFrame::fit()
{
    const QSize content = widget()->size();
    const bool cut = content.width() > available_.width() || content.height() > available_.height();
    resize(cut ? available_.size() : content);
    setWindowState(cut ? Qt::WindowMaximized : Qt::WindowNoState);
}

// The window grows and shrinks with the receiver count (Ctrl+R).
bool SmallScreenFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == widget() && event->type() == QEvent::Resize)
        fit();
    return QScrollArea::eventFilter(watched, event);
}

// Closing the frame closes the window, which may ask first.
void SmallScreenFrame::closeEvent(QCloseEvent *event)
{
    event->setAccepted(widget()->close());
}
