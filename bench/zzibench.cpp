// In-process measurements on the real main window, and its screenshots:
//   zzi-bench presets CONFIG_HOME RECEIVERS   write a sample store
//   zzi-bench send SENDS                      press-to-arrival latency
//   zzi-bench rebuild TOGGLES                 Ctrl+R to the next frame
//   zzi-bench screenshot RECEIVERS FILE.png [sent|refused|focus|channels]
//                                             the window with a row selected
//                                             (and, with "sent", after a send)
// Timings are printed as raw samples ("name value" a line) for the driver.
#include "framewatch.h"
#include "samplepresets.h"

#include "app/mainwindow.h"
#include "table/flexgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

const QString secondHostForScreens = QStringLiteral("192.168.1.21");

// Platform-level input: delivered at once through the same path as the
// window system's events, without running the event loop.
class Input
{
public:
    explicit Input(QWidget *window)
        : window_(window)
    { }

    void mouse(QEvent::Type type, const QWidget *target, Qt::MouseButton button)
    {
        const QPoint local = target->mapTo(window_, target->rect().center());
        mouseAt(type, local, button);
    }

    void mouseAt(QEvent::Type type, QPoint local, Qt::MouseButton button)
    {
        // Far apart in time, so no two presses make a double click.
        timestamp_ += 1000;
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
        qt_handleMouseEvent(window_->windowHandle(), local, window_->mapToGlobal(local), held, button, type,
                            Qt::NoModifier, int(timestamp_));
    }

    void key(QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text)
    {
        qt_handleKeyEvent(window_->windowHandle(), type, key, modifiers, text);
    }

private:
    QWidget *window_;
    ulong timestamp_ = 100000;
};

void settle(int ms)
{
    QTest::qWait(ms);
}

bool openOnScreen(QWidget &window, FrameWatch &watch)
{
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    if (watch.frames() == 0 && !watch.waitForFrameAfter(0))
        return false;
    settle(100);
    return true;
}

void clickReceiverRow(MainWindow &window, Input &input, int row)
{
    auto *grid = window.findChild<FlexGrid *>(QStringLiteral("msf1"));
    const QRect cell = grid->visualItemRect(grid->item(row, 1));
    const QPoint local = grid->viewport()->mapTo(&window, cell.center());
    input.mouseAt(QEvent::MouseButtonPress, local, Qt::LeftButton);
    input.mouseAt(QEvent::MouseButtonRelease, local, Qt::LeftButton);
}

// A store in a temporary folder, as the program finds it through
// XDG_CONFIG_HOME; QSettings is pointed at it for this process.
class SampleStore
{
public:
    SampleStore(int receivers, const QString &firstHost, int basePort)
    {
        writeSamplePresets(dir_.path(), receivers, firstHost, secondHostForScreens, basePort);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
    }

private:
    QTemporaryDir dir_;
};

// The real window, loaded from a sample store as at start-up and shown, with
// its frames watched and platform input for it.
struct LoadedWindow
{
    LoadedWindow(int receivers, const QString &firstHost, int basePort)
        : store(receivers, firstHost, basePort)
        , watch(&window)
        , input(&window)
    {
        window.move(0, 0);
        window.Form_Load();
        shown = openOnScreen(window, watch);
    }

    SampleStore store; // first: the window reads it as it is made
    MainWindow window;
    FrameWatch watch;
    Input input;
    bool shown = false;
};

// A loopback UDP socket that waits at most a second for a datagram and
// learns from the kernel when each one arrived.
int loopbackSocket(quint16 port)
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -1;
    timeval wait{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (port != 0 && bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// The arrival stamps are on the wall clock, so the start is taken on it too.
qint64 wallClockNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Receives one datagram into `payload`; returns when the kernel took it in
// (wall clock, ns), or -1 when none came.
qint64 receiveStamped(int fd, QByteArray &payload)
{
    char buffer[2048];
    char control[CMSG_SPACE(sizeof(timespec))];
    iovec part{buffer, sizeof buffer};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t got = recvmsg(fd, &message, 0);
    if (got <= 0)
        return -1;
    payload = QByteArray(buffer, int(got));
    for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS) {
            timespec stamp{};
            std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
            return qint64(stamp.tv_sec) * 1000000000 + stamp.tv_nsec;
        }
    }
    return -1;
}

void printSamples(const QByteArray &name, const std::vector<double> &samples)
{
    for (double value : samples)
        std::printf("%s %.3f\n", name.constData(), value);
}

double elapsedMicroseconds(qint64 from, qint64 to)
{
    return double(to - from) / 1000.0;
}

int measureSend(int sends)
{
    // A base port whose receiver 1 port is free on loopback.
    int basePort = 0;
    int receiver = -1;
    for (int base = 41000; base <= 65400 && receiver < 0; base += 100) {
        receiver = loopbackSocket(quint16(base + 21));
        basePort = base;
    }
    if (receiver < 0) {
        std::fprintf(stderr, "no free loopback port\n");
        return 1;
    }
    LoadedWindow loaded(4, QStringLiteral("127.0.0.1"), basePort);
    if (!loaded.shown)
        return 1;
    MainWindow &window = loaded.window;
    Input &input = loaded.input;
    clickReceiverRow(window, input, 1);
    settle(50);
    auto *sendx = window.findChild<QPushButton *>(QStringLiteral("sendx"));
    if (!sendx->isEnabled()) {
        std::fprintf(stderr, "row 1 did not enable the Send button\n");
        return 1;
    }

    const int sender = loopbackSocket(0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    to.sin_port = htons(quint16(basePort + 21));

    QByteArray line, got;
    std::vector<double> program, floor;
    const int warmUp = 50;
    for (int i = 0; i < warmUp + sends; ++i) {
        qint64 start = wallClockNanoseconds();
        input.mouse(QEvent::MouseButtonPress, sendx, Qt::LeftButton);
        qint64 arrived = receiveStamped(receiver, got);
        if (arrived < 0 || (!line.isEmpty() && got != line)) {
            std::fprintf(stderr, "send %d: no datagram or a different one\n", i);
            return 1;
        }
        line = got;
        if (i >= warmUp)
            program.push_back(elapsedMicroseconds(start, arrived));
        input.mouse(QEvent::MouseButtonRelease, sendx, Qt::LeftButton);
        QCoreApplication::processEvents(); // the flash's repaint, untimed

        start = wallClockNanoseconds();
        sendto(sender, line.constData(), size_t(line.size()), 0, reinterpret_cast<sockaddr *>(&to),
               sizeof to);
        arrived = receiveStamped(receiver, got);
        if (arrived < 0 || got != line) {
            std::fprintf(stderr, "plain send %d did not arrive\n", i);
            return 1;
        }
        if (i >= warmUp)
            floor.push_back(elapsedMicroseconds(start, arrived));
    }
    // Nothing else may have arrived: one datagram per press.
    timeval none{0, 1000};
    setsockopt(receiver, SOL_SOCKET, SO_RCVTIMEO, &none, sizeof none);
    if (receiveStamped(receiver, got) >= 0) {
        std::fprintf(stderr, "a press sent more than one datagram\n");
        return 1;
    }
    close(sender);
    close(receiver);
    std::fprintf(stderr, "payload: %s", line.constData());
    printSamples("send_us", program);
    printSamples("sendto_us", floor);
    return 0;
}

// The time from `start` to a shown frame at `height` pixels and the CPU time
// the process used meanwhile, both in ms; false if no such frame came.
struct FrameTimes
{
    double wall = 0, cpu = 0;
};
bool untilFrameAtHeight(QWidget &window, FrameWatch &watch, int framesBefore, int height, qint64 start,
                        qint64 cpuStart, FrameTimes &times)
{
    const qint64 deadline = start + 3000000000LL;
    int seen = framesBefore;
    while (monotonicNanoseconds() < deadline) {
        if (!watch.waitForFrameAfter(seen, 3000))
            return false;
        seen = watch.frames();
        if (window.height() == height && window.windowHandle()->height() == height) {
            times.wall = elapsedMicroseconds(start, watch.lastFrameNanoseconds()) / 1000.0;
            times.cpu = elapsedMicroseconds(cpuStart, watch.lastFrameCpuNanoseconds()) / 1000.0;
            return true;
        }
    }
    return false;
}

int measureRebuild(int toggles)
{
    LoadedWindow loaded(4, QStringLiteral("192.168.1.20"), 9900);
    if (!loaded.shown)
        return 1;
    MainWindow &window = loaded.window;
    FrameWatch &watch = loaded.watch;
    Input &input = loaded.input;
    const int fourHeight = window.height();

    // Samples by direction: [0] is 4 to 8, [1] is 8 to 4.
    std::vector<double> handler[2], frame[2], cpu[2], bareFrame[2], bareCpu[2];
    int eightHeight = 0;
    const int warmUp = 4;
    for (int i = 0; i < warmUp + 2 * toggles; ++i) {
        const int way = window.model().maxreceivers() == 4 ? 0 : 1;
        const int frames = watch.frames();
        const qint64 cpuStart = processCpuNanoseconds();
        const qint64 start = monotonicNanoseconds();
        input.key(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier, QStringLiteral("\x12"));
        const qint64 handled = monotonicNanoseconds();
        const int target = way == 0 ? window.maximumHeight() : fourHeight;
        FrameTimes times;
        const bool shown = untilFrameAtHeight(window, watch, frames, target, start, cpuStart, times);
        input.key(QEvent::KeyRelease, Qt::Key_R, Qt::ControlModifier, QStringLiteral("\x12"));
        if (!shown) {
            std::fprintf(stderr, "toggle %d: no frame at %d pixels\n", i, target);
            return 1;
        }
        if (way == 0)
            eightHeight = target;
        if (i >= warmUp) {
            handler[way].push_back(elapsedMicroseconds(start, handled) / 1000.0);
            frame[way].push_back(times.wall);
            cpu[way].push_back(times.cpu);
        }
        settle(20);
    }
    window.hide();

    // The floor: a bare window of the same size, resized by as much.
    QWidget bare;
    bare.setFixedSize(window.width(), fourHeight);
    bare.move(0, 0);
    watch.setWindow(&bare);
    bare.show();
    if (!openOnScreen(bare, watch))
        return 1;
    for (int i = 0; i < warmUp + 2 * toggles; ++i) {
        const int way = bare.height() == fourHeight ? 0 : 1;
        const int target = way == 0 ? eightHeight : fourHeight;
        const int frames = watch.frames();
        const qint64 cpuStart = processCpuNanoseconds();
        const qint64 start = monotonicNanoseconds();
        bare.setFixedHeight(target);
        FrameTimes times;
        if (!untilFrameAtHeight(bare, watch, frames, target, start, cpuStart, times)) {
            std::fprintf(stderr, "bare resize %d: no frame at %d pixels\n", i, target);
            return 1;
        }
        if (i >= warmUp) {
            bareFrame[way].push_back(times.wall);
            bareCpu[way].push_back(times.cpu);
        }
        settle(20);
    }
    const char *ways[2] = {"4to8", "8to4"};
    for (int way = 0; way < 2; ++way) {
        const QByteArray name = ways[way];
        printSamples("rebuild_handler_" + name + "_ms", handler[way]);
        printSamples("rebuild_frame_" + name + "_ms", frame[way]);
        printSamples("rebuild_cpu_" + name + "_ms", cpu[way]);
        printSamples("resize_frame_" + name + "_ms", bareFrame[way]);
        printSamples("resize_cpu_" + name + "_ms", bareCpu[way]);
    }
    return 0;
}

int takeScreenshot(int receivers, const QString &file, const QString &state)
{
    const bool afterSend = state == QLatin1String("sent");
    // After a send the one datagram goes to this machine, never out.
    LoadedWindow loaded(receivers, QLatin1String(afterSend ? "127.0.0.1" : "192.168.1.20"), 9900);
    if (!loaded.shown)
        return 1;
    MainWindow &window = loaded.window;
    // No window manager gives the window the keyboard; the focus states need it.
    if (!state.isEmpty()) {
        window.activateWindow();
        settle(100);
    }
    // A selected row in the QO-100 band shows the red mark, the enabled
    // buttons and the right-click hint as well.
    clickReceiverRow(window, loaded.input, 1);
    if (afterSend) {
        auto *sendx = window.findChild<QPushButton *>(QStringLiteral("sendx"));
        loaded.input.mouse(QEvent::MouseButtonPress, sendx, Qt::LeftButton);
        loaded.input.mouse(QEvent::MouseButtonRelease, sendx, Qt::LeftButton);
    }
    if (state == QLatin1String("refused")) {
        // A symbol rate the check refuses, then Tab: the beep, the old text back, the reason.
        auto *box = window.findChild<QComboBox *>(QStringLiteral("symbolrate"));
        box->setFocus(Qt::TabFocusReason);
        box->setEditText(QStringLiteral("-5"));
        settle(50);
        loaded.input.key(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        loaded.input.key(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    }
    if (state == QLatin1String("focus"))
        window.findChild<QComboBox *>(QStringLiteral("antenna"))->setFocus(Qt::TabFocusReason);
    QWidget *shown = &window;
    if (state == QLatin1String("channels")) {
        // A small library beside the store, the window opened as Ctrl+L opens it.
        QFile library(QFileInfo(window.store().fileName()).absolutePath() + QStringLiteral("/channels.csv"));
        if (!library.open(QIODevice::WriteOnly)
            || !library.write("Name,Frequency,SymbolRate,LocOsc,Antenna,Voltage,Notes\r\n"
                              "QO-100 beacon,10491.500,1500,9750.000,TOP,,\r\n"
                              "QO-100 wide DVB-S2,10494.750,2000,9750.000,TOP,,Amsat-DL\r\n"
                              "Es'hail 2 narrow,10499.250,333,9750.000,TOP,,\r\n"
                              "Astra 1KX,11494.000,22000,9750.000,BOT,X-HORIZ,\"low band, horizontal\"\r\n"
                              "2 m calling,146.500,1500,0.000,TOP,,\r\n"))
            return 1;
        library.close();
        window.openChannels();
        shown = window.findChild<QDialog *>(QStringLiteral("channelswindow"));
        shown->activateWindow();
        auto *filter = shown->findChild<QLineEdit *>(QStringLiteral("channelfilter"));
        filter->setText(QStringLiteral("qo"));
    }
    settle(300); // also past the end of the flash
    QPixmap shot = shown->screen()->grabWindow(shown->winId());
    if (shot.isNull())
        shot = shown->grab();
    if (!shot.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    std::printf("%s: %dx%d\n", qPrintable(file), shot.width(), shot.height());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Writing a store needs no display.
    if (argc == 4 && std::strcmp(argv[1], "presets") == 0) {
        writeSamplePresets(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]),
                           QStringLiteral("192.168.1.20"), secondHostForScreens, 9900);
        return 0;
    }
    QApplication app(argc, argv);
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == QLatin1String("send") && args.size() == 3)
        return measureSend(std::max(1000, args[2].toInt()));
    if (mode == QLatin1String("rebuild") && args.size() == 3)
        return measureRebuild(std::max(1, args[2].toInt()));
    if (mode == QLatin1String("screenshot") && (args.size() == 4 || args.size() == 5))
        return takeScreenshot(args[2].toInt(), args[3], args.value(4));
    std::fprintf(stderr,
                 "usage: zzi-bench presets CONFIG_HOME RECEIVERS | send SENDS | rebuild TOGGLES"
                 " | screenshot RECEIVERS FILE.png [sent|refused|focus|channels]\n");
    return 2;
}
