#include "sending.h"

#include "hostentry.h"
#include "table/copyoperations.h"
#include "table/flexgrid.h"
#include "tuning/boxstate.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QNetworkProxy>
#include <QPainter>
#include <QStyleOptionButton>
#include <qdrawutil.h>

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
    update();
}

void SendButton::paintEvent(QPaintEvent *)
{
    // Drawn here rather than by a style sheet: a style sheet would also take
    // the window's font away from the caption.
    QPainter painter(this);
    const QColor face = FlexGrid::colourFromValue(backColour_);
    const QPalette bevel(face);
    const bool sunken = isDown() || hasFocus();
    qDrawShadePanel(&painter, rect(), bevel, sunken, 2, nullptr);
    painter.fillRect(rect().adjusted(2, 2, -2, -2), face);

    QStyleOptionButton option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    option.palette.setColor(QPalette::ButtonText, isEnabled() ? palette().color(QPalette::ButtonText)
                                                              : QColor(128, 128, 128));
    style()->drawControl(QStyle::CE_PushButtonLabel, &option, &painter, this);
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

QString DatagramSender::send(const Destination &destination, const QByteArray &payload)
{
    // A command goes straight to a receiver host on the local network. Left
    // to itself the socket asks the system for a proxy at every send, on
    // another thread, and the press waits for that answer.
    Winsock1.setProxy(QNetworkProxy::NoProxy);
    // A socket of the destination's own family, which Qt lets broadcast: an
    // accepted subnet broadcast address reaches the receiver host wherever
    // DHCP has put it (and only the receiver on the destination port).
    const bool v6 = destination.host.protocol() == QAbstractSocket::IPv6Protocol;
    if (!Winsock1.bind(QHostAddress(v6 ? QHostAddress::AnyIPv6 : QHostAddress::AnyIPv4), 0)) {
        const QString problem = Winsock1.errorString();
        Winsock1.close();
        return problem;
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
