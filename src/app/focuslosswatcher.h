// Runs a box's exit check whenever the focus leaves the box for another
// control or another window of this program, but not for the box's own
// drop-down list, and not while another program has the keyboard.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

class FocusLossWatcher : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<void()>;

    explicit FocusLossWatcher(QObject *parent = nullptr);

    void watch(QWidget *box, Check check);

    // No more checks, e.g. while the window is being closed.
    void stop() { stopped_ = true; }

    // While paused, focus moves run no check (a rebuild of the window hides
    // and disables controls, which moves the focus on its own).
    void setPaused(bool paused) { paused_ = paused; }

    // The watched box that holds the focus now, if any.
    QWidget *boxWithFocus() const;

    // Runs a box's check now, as if the focus had just left it.
    void check(QWidget *box);

private:
    void focusChanged(QWidget *old, QWidget *now);
    QWidget *watchedBoxOf(QWidget *widget) const;

    QHash<QWidget *, Check> checks_;
    QPointer<QWidget> leftForAnotherProgram_; // held the focus when the window was left
    bool checking_ = false;
    bool stopped_ = false;
    bool paused_ = false;
};
