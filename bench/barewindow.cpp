// The floor: a bare Qt Widgets window of the program's size with nothing in
// it. With --quit-after-frame it reports its first frame and ends; without,
// it stays open and idle. Two variants show where a real window's extra
// cost comes from: --caption adds one line of text in the program's font,
// and the build with ZZI_BARE_WITH_NETWORK also links and uses QtNetwork.
#include "framewatch.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <memory>

#ifdef ZZI_BARE_WITH_NETWORK
#include <QUdpSocket>
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FrameWatch watch;
    reportFirstFrame(watch, app.arguments().contains(QStringLiteral("--quit-after-frame")));
#ifdef ZZI_BARE_WITH_NETWORK
    QUdpSocket socket;
#endif

    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(900, 535);
    if (app.arguments().contains(QStringLiteral("--caption"))) {
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(16);
        window.setFont(font);
        auto *caption = new QLabel(QStringLiteral("Zorudoza Zudizir Ivozudiro"), &window);
        caption->setGeometry(40, 40, 400, 25);
    }
    watch.setWindow(&window);
    window.show();
    return app.exec();
}
