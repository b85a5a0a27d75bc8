// The window as designed, written down independently of the code that
// builds it: every control's kind, text, hint, colour and place in twips
// (15 a pixel), and the texts and sizes that follow from it.
#pragma once

#include <QString>
#include <Qt>
#include <vector>

enum class Kind { Label, TextBox, EditableCombo, ListCombo, Button, Grid };

struct DesignedControl
{
    const char *name;
    Kind kind;
    const char *caption; // nullptr: not fixed by the design
    const char *hint; // "" for none
    int left, top, width, height; // twips
    quint32 textColour; // QRgb
    Qt::Alignment align;
};

extern const std::vector<DesignedControl> designedControls;

// The designed control of that name; a fatal error for any other name.
const DesignedControl &designed(const char *name);

// The window's client height with four receivers, in twips.
constexpr int designedFormHeight = 8025;

// The second host's hint up to the port it names.
extern const QString secondHostHintStart;
