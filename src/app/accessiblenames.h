// What a screen reader says for each control of the window: a name an
// operator understands (the caption beside a box, a button's caption) and,
// from the hover help, a description.
#pragma once

class QLabel;
class QString;
class QWidget;

// Gives a control its spoken name and ties it to the label beside it, if
// any. Its tooltip already serves as its description; this also announces
// it when that changes at run time.
void nameForScreenReaders(QWidget &control, QLabel *namingLabel, const QString &name);
