// UDP sockets standing in for the receivers: one at each of the ports base +
// 21 ... base + 28 of receivers 1 to 8, for a base port that nothing else uses
// at the moment. Receivers 1 to 4 listen on the first host, 127.0.0.1, and 5
// to 8 on the second, 127.0.0.2 (both loopback).
#pragma once

#include <QHostAddress>
#include <QRandomGenerator>
#include <QStringList>
#include <QTest>
#include <QUdpSocket>
#include <memory>
#include <vector>

class LoopbackReceivers
{
public:
    bool open()
    {
        for (int attempt = 0; attempt < 50; ++attempt) {
            base_ = 100 * int(QRandomGenerator::global()->bounded(200, 640));
            sockets_.clear();
            for (int receiver = 1; receiver <= 8; ++receiver) {
                auto socket = std::make_unique<QUdpSocket>();
                const QHostAddress host(QLatin1String(receiver > 4 ? "127.0.0.2" : "127.0.0.1"));
                if (!socket->bind(host, quint16(base_ + 20 + receiver)))
                    break;
                sockets_.push_back(std::move(socket));
            }
            if (sockets_.size() == 8)
                return true;
        }
        return false;
    }

    int base() const { return base_; }

    // Every datagram that has arrived by now, as "receiver: payload".
    QStringList take()
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

    // Waits up to `patienceMs` for `count` datagrams, then a little longer
    // for any that should not come.
    QStringList await(int count, int patienceMs = 20000)
    {
        QStringList got;
        (void)QTest::qWaitFor([&] { got << take(); return got.size() >= count; }, patienceMs);
        QTest::qWait(150);
        got << take();
        return got;
    }

private:
    int base_ = 0;
    std::vector<std::unique_ptr<QUdpSocket>> sockets_;
};
