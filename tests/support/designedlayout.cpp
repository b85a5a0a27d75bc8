#include "designedlayout.h"

#include <QtGlobal>
#include <cstring>

namespace {
constexpr quint32 black = 0xff000000;
constexpr quint32 blue = 0xff8080ff;
constexpr quint32 white = 0xffffffff;
constexpr Qt::Alignment left = Qt::AlignLeft;
constexpr Qt::Alignment right = Qt::AlignRight;
constexpr Qt::Alignment centre = Qt::AlignHCenter;
} // namespace

const std::vector<DesignedControl> designedControls = {
    {"Label41", Kind::Label, "Quenvale IP Address", "", 660, 660, 2415, 375, black, right},
    {"qvipaddress0", Kind::TextBox, nullptr, "IP address of the Raspberry Pi running Quenvale", 3300, 600,
     2055, 405, black, centre},
    {"Label43", Kind::Label, "Quenvale Base IP Port", "", 8400, 660, 2775, 375, black, right},
    {"qvipport", Kind::TextBox, "9900", "Must be xx00 or xx000 and >= 1100 and <= 65400", 11400, 600, 1455,
     405, black, centre},
    {"secondlabel", Kind::Label, "Second Quenvale", "", 660, 1200, 2415, 375, black, right},
    {"qvipaddress1", Kind::TextBox, nullptr, "IP address of the second Raspberry Pi running Quenvale", 3300,
     1140, 2055, 405, black, centre},
    {"Label44", Kind::Label, "Frequency, SR and Loc Osc may be typed directly into the box", "", 660, 1920,
     12195, 375, blue, centre},
    {"Label20", Kind::Label, "Frequency . . . . . . . . .  MHz . . . . . kHz . . . . ", "", 600, 2520, 4875,
     375, black, left},
    {"Label10", Kind::Label, "SRate (kS)", "", 5520, 2520, 1515, 375, black, left},
    {"Label30", Kind::Label, "Loc Osc (MHz)", "", 7080, 2520, 1935, 375, black, left},
    {"Label42", Kind::Label, "Antenna", "", 9120, 2520, 1335, 375, black, left},
    {"Label40", Kind::Label, "Voltage Generators", "", 10560, 2520, 2595, 375, black, left},
    {"frequency", Kind::EditableCombo, "frequency", "", 600, 2880, 1815, 405, black, left},
    {"Label50", Kind::Label, "+", "", 2520, 2955, 375, 375, white, centre},
    {"frequencymegs", Kind::ListCombo, "", "", 3000, 2880, 615, 405, black, left},
    {"Label60", Kind::Label, "+", "", 3720, 2955, 375, 375, white, centre},
    {"frequencydecimal", Kind::ListCombo, "", "", 4200, 2880, 975, 405, black, left},
    {"symbolrate", Kind::EditableCombo, "Combo2", "", 5520, 2880, 1215, 405, black, left},
    {"offset", Kind::EditableCombo, "Combo3", "", 7080, 2880, 1695, 405, black, left},
    {"antenna", Kind::ListCombo, "", "", 9120, 2880, 1095, 405, black, left},
    {"voltage", Kind::ListCombo, "", "", 10560, 2880, 2295, 405, black, left},
    {"rightlabel", Kind::Label, "Right-click to send uplink to other ANT", "", 10380, 3600, 2595, 615, blue,
     centre},
    {"copytosettings", Kind::Button, "Copy from grid to settings ", "", 540, 4260, 3375, 495, black, left},
    {"copytorx", Kind::Button, "Copy from settings to grid", "", 5940, 4260, 3375, 495, black, left},
    {"sendx", Kind::Button, "Send Selected",
     "Right-click to send the QO-100 UPLINK frequency using the other antenna (TOP/BOT)", 10560, 4260, 2295,
     495, black, left},
    {"msf1", Kind::Grid, nullptr, "", 600, 5700, 12255, 1695, black, left},
    {"selectmessage", Kind::Label, "Click on a row to SELECT", "", 660, 7500, 12195, 375, blue, centre},
};

const DesignedControl &designed(const char *name)
{
    for (const DesignedControl &control : designedControls) {
        if (std::strcmp(control.name, name) == 0)
            return control;
    }
    qFatal("no designed control named %s", name);
}

const QString secondHostHintStart =
    QStringLiteral("IP address of the second Raspberry Pi running Quenvale, which should be started with "
                   "BASEIPPORT = ");
