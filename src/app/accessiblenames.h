// What a screen reader says for each control of the window: a name an
// operator understands (the caption beside a box, a button's caption) and,
// from the hover help, a description.
#pragma once

class QWidget;

// Names the window's controls and ties each box to the label beside it.
// Tooltips already serve as accessible descriptions; this also announces it
// when one changes at run time.
void nameControlsForScreenReaders(QWidget &window);
