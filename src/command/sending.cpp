#include "sending.h"

#include "hostentry.h"
#include "table/copyoperations.h"
#include "table/flexgrid.h"
#include "tuning/boxstate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNetworkProxy>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <sys/socket.h>
#endif

std::optional<CommandFields> ReadCommandFields(const FlexGrid &grid, int row, int maxreceivers)
{
    if (row < 1 || row > maxreceivers)
        return std::nullopt;
    return commandFieldsFromCells(row, readRow(grid, row));
}

CommandFields fieldsForPress(const CommandFields &fields, int buttonBits)
{
    if ((buttonBits & RightButtonBit) && inDownlinkWindow(fields.frequency))
        return uplinkVariant(fields);
    return fields;
}

std::optional<Destination> receiverDestination(int receiver, const QString &firstHostTag,
                                               const QString &secondHostTag,
                                               const QString &basePortTag)
{
    const QString &hostTag = hostIndexOfReceiver(receiver) == 1 ? secondHostTag : firstHostTag;
    const std::optional<QString> address = normaliseAddress(hostTag);
    const std::optional<quint16> port = receiverPort(basePortTag, receiver);
    if (!address || !port)
        return std::nullopt;
    return Destination{QHostAddress(*address), *port};
}

SendButton::SendButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent)
{
    // A click does not move the focus by itself: the press is handled first,
    // so a host box still being edited has not been accepted yet.
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
}

void SendButton::setBackColour(int colour)
{
    if (colour == backColour_)
        return;
    backColour_ = colour;
    const QColor c = FlexGrid::colourFromValue(colour);
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 2px outset %2;"
                                 " border-radius: 3px; }"
                                 "QPushButton:disabled { color: #808080; }"
                                 "QPushButton:focus { border-style: inset; }")
                      .arg(c.name(), c.darker(140).name()));
}

void SendButton::mousePressEvent(QMouseEvent *event)
{
    int bits = 0;
    if (event->button() == Qt::LeftButton)
        bits = LeftButtonBit;
    else if (event->button() == Qt::RightButton)
        bits = RightButtonBit;
    else if (event->button() == Qt::MiddleButton)
        bits = MiddleButtonBit;
    event->accept();
    emit MouseDown(bits);
    setFocus(Qt::MouseFocusReason);
}

void SendButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a quick double click is a press like any other.
    mousePressEvent(event);
}

void SendButton::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
}

void SendButton::keyPressEvent(QKeyEvent *event)
{
    if (event->text() == QLatin1String(" ")) {
        event->accept();
        emit KeyPress(' ');
        return;
    }
    event->ignore();
}

void SendButton::keyReleaseEvent(QKeyEvent *event)
{
    event->ignore();
}

namespace {
// Qt lets every UDP socket broadcast. A command is meant for one receiver
// host, so the socket gives that permission up: an address that would reach
// every host on a network is refused by the platform instead.
QString bindWithoutBroadcast(QUdpSocket &socket, const QHostAddress &destination)
{
    const bool v6 = destination.protocol() == QAbstractSocket::IPv6Protocol;
    if (!socket.bind(QHostAddress(v6 ? QHostAddress::AnyIPv6 : QHostAddress::AnyIPv4), 0))
        return socket.errorString();
    const int off = 0;
#ifdef Q_OS_WIN
    const int result = ::setsockopt(SOCKET(socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST,
                                    reinterpret_cast<const char *>(&off), sizeof off);
#else
    const int result = ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_BROADCAST,
                                    &off, sizeof off);
#endif
    return result == 0 ? QString() : QStringLiteral("the socket could not be set up");
}
} // namespace

QString DatagramSender::send(const Destination &destination, const QByteArray &payload)
{
    // A command goes straight to a receiver host on the local network. Left
    // to itself the socket asks the system for a proxy at every send, on
    // another thread, and the press waits for that answer.
    Winsock1.setProxy(QNetworkProxy::NoProxy);
    const QString setupProblem = bindWithoutBroadcast(Winsock1, destination.host);
    if (!setupProblem.isEmpty()) {
        Winsock1.close();
        return setupProblem;
    }
    const qint64 written = Winsock1.writeDatagram(payload, destination.host, destination.port);
    const QString problem = written == payload.size() ? QString() : Winsock1.errorString();
    Winsock1.close();
    return problem;
}

SendFlash::SendFlash(SendButton *button, QObject *parent)
    : QObject(parent)
    , button_(button)
{
    sendxtimer.setInterval(200);
    connect(&sendxtimer, &QTimer::timeout, this, &SendFlash::sendxtimer_Timer);
}

void SendFlash::start()
{
    button_->setBackColour(flashColour);
    sendxtimer.setInterval(flashMilliseconds);
    sendxtimer.start(); // a send during the flash starts the period afresh
}

void SendFlash::sendxtimer_Timer()
{
    button_->setBackColour(lastAccepted(button_).toInt());
    sendxtimer.stop();
}
