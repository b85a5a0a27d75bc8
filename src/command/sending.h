// Sending a receiver's command line as one UDP datagram to its host.
#pragma once

#include "commandline.h"

#include <QHostAddress>
#include <QUdpSocket>

// Mouse button bits of a press on the Send button.
enum SendButtonBits { LeftButtonBit = 1, RightButtonBit = 2, MiddleButtonBit = 4 };

// The fields a press with these button bits sends: the uplink variant for a
// right press inside the downlink window, the row as read otherwise.
CommandFields fieldsForPress(const CommandFields &fields, int buttonBits);

// Where a receiver's commands go: its host's last accepted address and the
// base port + 20 + receiver. Nothing when either is unusable.
struct Destination
{
    QHostAddress host;
    quint16 port = 0;
};
std::optional<Destination> receiverDestination(int receiver, const QString &firstHost,
                                               const QString &secondHost, const QString &basePort);

// One datagram per send through a socket that is opened and released for it.
class DatagramSender
{
public:
    // Empty on success, else the platform's reason for refusing the datagram.
    QString send(const Destination &destination, const QByteArray &payload);

private:
    QUdpSocket Winsock1;
};
