// The window's controls as designed, one row each. The window is built from
// these rows and the screen reader's names come from the same rows, so a
// control cannot have a caption on screen and another name when read out.
#pragma once

#include <QRgb>
#include <Qt>
#include <vector>

struct ControlDesign
{
    enum class Kind { Label, TextBox, EditableSelector, Selector, Button, SendButton, Grid };

    const char *name;
    Kind kind;
    const char *text; // a label's or a button's caption, a selector's first text
    const char *spokenName; // what a screen reader says; nullptr: its caption
    const char *namingLabel; // the label beside it, which names it; or nullptr
    const char *hint; // the hover text, or ""
    int left, top, width, height; // in twips
    Qt::Alignment alignment;
    QRgb textColour; // 0: the window's
};

// In the order they are made, which is also the order they stack in: the
// labels under everything else.
const std::vector<ControlDesign> &designedControls();
