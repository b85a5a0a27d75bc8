#include "controltable.h"

#include "captions.h"

namespace {

using Kind = ControlDesign::Kind;
constexpr Qt::Alignment left = Qt::AlignLeft;
constexpr Qt::Alignment right = Qt::AlignRight;
constexpr Qt::Alignment centre = Qt::AlignHCenter;
constexpr Qt::Alignment boxText = Qt::AlignCenter;
constexpr QRgb window = 0;
constexpr QRgb blue = qRgb(128, 128, 255);
constexpr QRgb white = qRgb(255, 255, 255);
constexpr QRgb alertRed = qRgb(192, 0, 0);
constexpr QRgb statusNavy = qRgb(0, 0, 96);

// Captions are spoken without the heading's dots or a button caption's
// trailing blank. The two "+" signs stand just before the step boxes, so
// they carry the step boxes' names.
const std::vector<ControlDesign> controls = {
    {"Label41", Kind::Label, captions::firstHost, nullptr, nullptr, "", 660, 660, 2415, 375, right, window},
    {"Label43", Kind::Label, captions::basePort, nullptr, nullptr, "", 8400, 660, 2775, 375, right, window},
    {"secondlabel", Kind::Label, captions::secondHost, nullptr, nullptr, "", 660, 1200, 2415, 375, right,
     window},
    {"Label44", Kind::Label, "Frequency, SR and Loc Osc may be typed directly into the box", nullptr, nullptr,
     "", 660, 1920, 12195, 375, centre, blue},
    {"Label20", Kind::Label, "Frequency . . . . . . . . .  MHz . . . . . kHz . . . . ", nullptr, nullptr, "",
     600, 2520, 4875, 375, left, window},
    {"Label10", Kind::Label, captions::symbolRate, nullptr, nullptr, "", 5520, 2520, 1515, 375, left, window},
    {"Label30", Kind::Label, captions::offset, nullptr, nullptr, "", 7080, 2520, 1935, 375, left, window},
    {"Label42", Kind::Label, captions::antenna, nullptr, nullptr, "", 9120, 2520, 1335, 375, left, window},
    {"Label40", Kind::Label, captions::voltage, nullptr, nullptr, "", 10560, 2520, 2595, 375, left, window},
    {"Label50", Kind::Label, "+", nullptr, nullptr, "", 2520, 2955, 375, 375, centre, white},
    {"Label60", Kind::Label, "+", nullptr, nullptr, "", 3720, 2955, 375, 375, centre, white},
    {"rightlabel", Kind::Label, "Right-click to send uplink to other ANT", nullptr, nullptr, "", 10380, 3600,
     2595, 615, centre, blue},
    {"selectmessage", Kind::Label, "Click on a row to SELECT", nullptr, nullptr, "", 660, 7500, 12195, 375,
     centre, blue},
    // Beside the second host's box, clear of it, and in the same place at
    // four receivers, where that box is hidden.
    {"alertmessage", Kind::Label, "", nullptr, nullptr, "", 5640, 1215, 7215, 375, right, alertRed},
    // Between the copy and send buttons and the table, clear of the arrows.
    {"statusline", Kind::Label, "", nullptr, nullptr, "", 5940, 4800, 5340, 840, left, statusNavy},

    {"qvipaddress0", Kind::TextBox, "", captions::firstHost, "Label41",
     "IP address of the Raspberry Pi running Quenvale", 3300, 600, 2055, 405, boxText, window},
    {"qvipport", Kind::TextBox, "", captions::basePort, "Label43",
     "Must be xx00 or xx000 and >= 1100 and <= 65400", 11400, 600, 1455, 405, boxText, window},
    {"qvipaddress1", Kind::TextBox, "", captions::secondHost, "secondlabel",
     "IP address of the second Raspberry Pi running Quenvale", 3300, 1140, 2055, 405, boxText, window},
    {"frequency", Kind::EditableSelector, "frequency", "Frequency (MHz)", "Label20", "", 600, 2880, 1815, 405,
     left, window},
    {"frequencymegs", Kind::Selector, "", "Frequency MHz digit", "Label50", "", 3000, 2880, 615, 405, left,
     window},
    {"frequencydecimal", Kind::Selector, "", "Frequency fraction (kHz)", "Label60", "", 4200, 2880, 975, 405,
     left, window},
    {"symbolrate", Kind::EditableSelector, "Combo2", captions::symbolRate, "Label10", "", 5520, 2880, 1215,
     405, left, window},
    {"offset", Kind::EditableSelector, "Combo3", captions::offset, "Label30", "", 7080, 2880, 1695, 405, left,
     window},
    {"antenna", Kind::Selector, "", captions::antenna, "Label42", "", 9120, 2880, 1095, 405, left, window},
    {"voltage", Kind::Selector, "", captions::voltage, "Label40", "", 10560, 2880, 2295, 405, left, window},

    {"copytosettings", Kind::Button, "Copy from grid to settings ", captions::copyToSettings, nullptr, "",
     540, 4260, 3375, 495, left, window},
    {"copytorx", Kind::Button, captions::copyToGrid, captions::copyToGrid, nullptr, "", 5940, 4260, 3375, 495,
     left, window},
    {"sendx", Kind::SendButton, captions::send, captions::send, nullptr,
     "Right-click to send the QO-100 UPLINK frequency using the other antenna (TOP/BOT)", 10560, 4260, 2295,
     495, left, window},
    // Above the first host's row, where the design has nothing: no designed
    // control moves, and the window keeps its size.
    {"channelsbutton", Kind::Button, "Channels...", nullptr, nullptr,
     "The channel library (Ctrl+L). Ctrl+Shift+S sends every filled row.", 540, 90, 1800, 420, left, window},
    {"msf1", Kind::Grid, "", "Receivers", nullptr, "", 600, 5700, 12255, 1695, left, window},
};

} // namespace

const std::vector<ControlDesign> &designedControls()
{
    return controls;
}
