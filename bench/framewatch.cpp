#include "framewatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <xcb/xcb.h>

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

qint64 processCpuNanoseconds()
{
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return qint64(used.tv_sec) * 1000000000 + used.tv_nsec;
}

qint64 peakResidentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

namespace {
// Waits until the X server has handled every request sent so far, the
// backing store's image included.
void serverRoundTrip()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t *connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}
} // namespace

FrameWatch::FrameWatch(QWidget *window, QObject *parent)
    : QObject(parent)
    , window_(window)
{
    QCoreApplication::instance()->installEventFilter(this);
}

FrameWatch::~FrameWatch()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FrameWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Paint || pending_)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (window_ && widget->window() != window_))
        return false;
    // The repaint manager paints every dirty widget and flushes the backing
    // store in one go; a queued call runs after that.
    pending_ = true;
    QMetaObject::invokeMethod(this, &FrameWatch::frameDone, Qt::QueuedConnection);
    return false;
}

void FrameWatch::frameDone()
{
    serverRoundTrip();
    pending_ = false;
    lastFrame_ = monotonicNanoseconds();
    lastFrameCpu_ = processCpuNanoseconds();
    ++frames_;
    emit frameShown(lastFrame_);
}

bool FrameWatch::waitForFrameAfter(int framesSeen, int timeoutMs)
{
    const qint64 deadline = monotonicNanoseconds() + qint64(timeoutMs) * 1000000;
    while (frames_ <= framesSeen) {
        const qint64 left = (deadline - monotonicNanoseconds()) / 1000000;
        if (left <= 0)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(std::min<qint64>(left, 50)));
    }
    return true;
}

void reportFirstFrame(FrameWatch &watch, bool quitAfterFrame)
{
    QObject::connect(&watch, &FrameWatch::frameShown, &watch, [&watch, quitAfterFrame](qint64 ns) {
        if (watch.frames() != 1)
            return;
        std::printf("frame %lld\ncpu %lld\nhwm %lld\n", static_cast<long long>(ns),
                    static_cast<long long>(processCpuNanoseconds()),
                    static_cast<long long>(peakResidentKib()));
        std::fflush(stdout);
        if (quitAfterFrame)
            QCoreApplication::quit();
    });
}
