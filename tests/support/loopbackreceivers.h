// UDP sockets standing in for the receivers: one at each of the ports base +
// 21 ... base + 28 of receivers 1 to 8, for a random base xx00 that nothing
// else holds at the moment, so that test programs running side by side do
// not meet. Receivers 1 to 4 listen on the first host, 127.0.0.1, and 5 to 8
// on the second, 127.0.0.2 (both loopback).
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUdpSocket>
#include <memory>
#include <vector>

class LoopbackReceivers
{
public:
    static const QString firstHost;
    static const QString secondHost;

    bool open();

    int base() const { return base_; }
    static QString hostOf(int receiver) { return receiver > 4 ? secondHost : firstHost; }
    quint16 portOf(int receiver) const { return quint16(base_ + 20 + receiver); }

    // Every datagram that has arrived by now, as "receiver: payload".
    QStringList take();

    // The next datagram that reached the receiver, waiting a little for it.
    QByteArray take(int receiver);

    // The receivers that hold datagrams not taken yet.
    QList<int> withMail() const;

    // Waits up to `patienceMs` for `count` datagrams, then a little longer
    // for any that should not come.
    QStringList await(int count, int patienceMs = 20000);

private:
    bool bindAll();

    int base_ = 0;
    std::vector<std::unique_ptr<QUdpSocket>> sockets_;
};
