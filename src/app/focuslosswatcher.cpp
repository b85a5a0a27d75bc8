#include "focuslosswatcher.h"

#include <QApplication>
#include <QWidget>

FocusLossWatcher::FocusLossWatcher(QObject *parent)
    : QObject(parent)
{
    // The application tells of a focus change once both widgets have had
    // their focus events, so a check that takes the focus back finds a
    // settled state. Opening a drop-down list is no focus change here.
    connect(qApp, &QApplication::focusChanged, this, &FocusLossWatcher::focusChanged);
}

void FocusLossWatcher::watch(QWidget *box, Check check)
{
    checks_.insert(box, std::move(check));
}

QWidget *FocusLossWatcher::watchedBoxOf(QWidget *widget) const
{
    // An editable selector's text field is part of the selector, and so is
    // its drop-down list: a popup window counts as part of its owner.
    for (QWidget *w = widget; w;
         w = w->isWindow() && w->windowType() != Qt::Popup ? nullptr : w->parentWidget()) {
        if (checks_.contains(w))
            return w;
    }
    return nullptr;
}

void FocusLossWatcher::focusChanged(QWidget *old, QWidget *now)
{
    // A refused entry takes the focus back while the focus is on its way to
    // another box; that box never really had it, so it is not checked. This
    // is also what keeps two refusing boxes from passing the focus back and
    // forth without end.
    if (paused_)
        return;
    // Another program took the keyboard: within the window the focus has not
    // moved, so the box keeps its half-typed text until the focus comes back.
    // Where it comes back to decides: the box itself, or a window of this
    // program's own, which counts as leaving the box.
    if (!now && !QApplication::activeWindow()) {
        if (QWidget *box = watchedBoxOf(old))
            leftForAnotherProgram_ = box;
        return;
    }
    QWidget *box = watchedBoxOf(old);
    if (!old && leftForAnotherProgram_) {
        box = leftForAnotherProgram_;
        leftForAnotherProgram_ = nullptr;
    }
    if (!box || box == watchedBoxOf(now))
        return;
    check(box);
}

QWidget *FocusLossWatcher::boxWithFocus() const
{
    return watchedBoxOf(QApplication::focusWidget());
}

void FocusLossWatcher::check(QWidget *box)
{
    if (stopped_ || checking_ || !checks_.contains(box))
        return;
    checking_ = true;
    checks_.value(box)();
    checking_ = false;
}
