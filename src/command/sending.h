// Sending a receiver's command line as one UDP datagram to its host.
#pragma once

#include "commandline.h"

#include <QHostAddress>
#include <QUdpSocket>

// Which line a send carries; each front end chooses.
enum class SendVariant { Downlink, Uplink };

// The uplink rule: the fields a send of this variant carries, the uplink
// variant only inside the downlink window, the row as read otherwise.
CommandFields fieldsForVariant(const CommandFields &fields, SendVariant variant);

// The addressing: where a receiver's commands go: its host's last accepted address and the
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
