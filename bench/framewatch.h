// Tells when a window's frame has reached the X server: after a paint pass
// over any of its widgets, once the backing store has been flushed and the
// server has answered a round trip. Both benchmark windows use it, so the
// program and the bare window are timed the same way.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// CLOCK_MONOTONIC in nanoseconds: one clock for every process on the machine.
qint64 monotonicNanoseconds();

// CPU time used by the whole process so far (all threads), in nanoseconds.
qint64 processCpuNanoseconds();

// The process's peak resident memory so far, in KiB (VmHWM).
qint64 peakResidentKib();

class FrameWatch : public QObject
{
    Q_OBJECT

public:
    // Watches the paints of `window` and its children (any window when null).
    explicit FrameWatch(QWidget *window = nullptr, QObject *parent = nullptr);
    ~FrameWatch() override;

    void setWindow(QWidget *window) { window_ = window; }
    int frames() const { return frames_; }
    qint64 lastFrameNanoseconds() const { return lastFrame_; }
    // The process's CPU time when the last frame was shown.
    qint64 lastFrameCpuNanoseconds() const { return lastFrameCpu_; }

    // Runs the event loop until more than `framesSeen` frames were shown.
    bool waitForFrameAfter(int framesSeen, int timeoutMs = 2000);

signals:
    void frameShown(qint64 monotonicNs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void frameDone();

    QPointer<QWidget> window_;
    bool pending_ = false;
    int frames_ = 0;
    qint64 lastFrame_ = 0;
    qint64 lastFrameCpu_ = 0;
};

// For the start-up helpers: prints "frame <ns>", "cpu <ns>" and "hwm <KiB>"
// on standard output at the first frame, and quits there when
// `quitAfterFrame` is set.
void reportFirstFrame(FrameWatch &watch, bool quitAfterFrame);
