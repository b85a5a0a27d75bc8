#include "loopbackreceivers.h"

#include <QHostAddress>
#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTest>

const QString LoopbackReceivers::firstHost = QStringLiteral("127.0.0.1");
const QString LoopbackReceivers::secondHost = QStringLiteral("127.0.0.2");

bool LoopbackReceivers::open()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        base_ = 100 * int(QRandomGenerator::global()->bounded(200, 640));
        if (bindAll())
            return true;
    }
    sockets_.clear();
    return false;
}

bool LoopbackReceivers::bindAll()
{
    sockets_.clear();
    for (int receiver = 1; receiver <= 8; ++receiver) {
        auto socket = std::make_unique<QUdpSocket>();
        // No sharing: a port another program holds must fail here.
        if (!socket->bind(QHostAddress(hostOf(receiver)), portOf(receiver),
                          QAbstractSocket::DontShareAddress))
            return false;
        sockets_.push_back(std::move(socket));
    }
    return true;
}

QStringList LoopbackReceivers::take()
{
    QStringList got;
    for (size_t i = 0; i < sockets_.size(); ++i) {
        while (sockets_[i]->hasPendingDatagrams()) {
            QByteArray payload(int(sockets_[i]->pendingDatagramSize()), '\0');
            sockets_[i]->readDatagram(payload.data(), payload.size());
            got << QStringLiteral("%1: %2").arg(i + 1).arg(QString::fromLatin1(payload));
        }
    }
    return got;
}

QByteArray LoopbackReceivers::take(int receiver)
{
    QUdpSocket &socket = *sockets_.at(size_t(receiver - 1));
    if (!socket.hasPendingDatagrams())
        socket.waitForReadyRead(2000);
    if (!socket.hasPendingDatagrams())
        return QByteArray();
    return socket.receiveDatagram().data();
}

QList<int> LoopbackReceivers::withMail() const
{
    QList<int> receivers;
    for (size_t i = 0; i < sockets_.size(); ++i) {
        if (sockets_[i]->hasPendingDatagrams())
            receivers << int(i + 1);
    }
    return receivers;
}

QStringList LoopbackReceivers::await(int count, int patienceMs)
{
    QStringList got;
    (void)QTest::qWaitFor(
        [&] {
            got << take();
            return got.size() >= count;
        },
        patienceMs);
    QTest::qWait(150);
    got << take();
    return got;
}
