// Sending the selected row's command line as one UDP datagram to the
// receiver's host, and the red flash of the Send button that confirms it.
#pragma once

#include "commandline.h"

#include <QPushButton>
#include <QTimer>
#include <QUdpSocket>

class FlexGrid;

// Mouse button bits of a press on the Send button.
enum SendButtonBits { LeftButtonBit = 1, RightButtonBit = 2, MiddleButtonBit = 4 };

// The command for grid row `row`, or nothing when the row is no receiver row
// or cannot give a command without a made-up value.
std::optional<CommandFields> ReadCommandFields(const FlexGrid &grid, int row, int maxreceivers);

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
std::optional<Destination> receiverDestination(int receiver, const QString &firstHostTag,
                                               const QString &secondHostTag,
                                               const QString &basePortTag);

// The Send button: it acts when a mouse button goes down (any button) and
// when Space is typed on it, before the press moves the focus to it.
class SendButton : public QPushButton
{
    Q_OBJECT

public:
    explicit SendButton(const QString &caption, QWidget *parent = nullptr);

    // The background it shows, as a 0x00BBGGRR value; the button draws it
    // itself so that every widget style shows it, and only the background
    // changes: the caption keeps its font.
    void setBackColour(int colour);
    int backColour() const { return backColour_; }

signals:
    void MouseDown(int buttonBits);
    void KeyPress(int characterCode);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int backColour_ = -1;
};

// One datagram per send through a socket that is opened and released for it.
class DatagramSender
{
public:
    // Empty on success, else the platform's reason for refusing the datagram.
    QString send(const Destination &destination, const QByteArray &payload);

private:
    QUdpSocket Winsock1;
};

// The Send button turns red for 100 ms after the last send.
class SendFlash : public QObject
{
    Q_OBJECT

public:
    static constexpr int flashColour = 255;
    static constexpr int flashMilliseconds = 100;

    explicit SendFlash(SendButton *button, QObject *parent = nullptr);

    void start();
    bool isFlashing() const { return sendxtimer.isActive(); }
    const QTimer &timer() const { return sendxtimer; }

    void sendxtimer_Timer();

private:
    SendButton *button_;
    QTimer sendxtimer;
};
