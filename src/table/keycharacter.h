#pragma once

#include <QKeyEvent>

// The key handlers take a character code, as the keyboard once gave it: a
// control letter its control character, Return a carriage return, any other
// key the first character it types. This is the one place that says so.
constexpr int keyCharacter(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return '\r';
    return 0;
}

inline int keyCharacter(const QKeyEvent &event)
{
    const int code = keyCharacter(event.key(), event.modifiers());
    if (code != 0 || event.text().isEmpty())
        return code;
    return event.text().at(0).unicode();
}
