#include "sending.h"

#include "hostentry.h"

#include <QNetworkProxy>

// The uplink rule.

CommandFields fieldsForVariant(const CommandFields &fields, SendVariant variant)
{
    if (variant == SendVariant::Uplink && inDownlinkWindow(fields.frequency))
        return uplinkVariant(fields);
    return fields;
}

// The addressing.

std::optional<Destination> receiverDestination(int receiver, const QString &firstHost,
                                               const QString &secondHost, const QString &basePort)
{
    const QString &host = hostIndexOfReceiver(receiver) == 1 ? secondHost : firstHost;
    const std::optional<QString> address = normaliseAddress(host);
    const std::optional<quint16> port = receiverPort(basePort, receiver);
    if (!address || !port)
        return std::nullopt;
    return Destination{QHostAddress(*address), *port};
}

// The socket.

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
