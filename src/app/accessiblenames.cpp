#include "accessiblenames.h"

#include "captions.h"

#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

struct SpokenName
{
    const char *control;
    const char *label; // the caption beside it; nullptr for buttons and the grid
    const char *name;
};

// Captions as the operator reads them, without the heading's dots or a
// button caption's trailing blank. The two "+" signs stand just before the
// step boxes, so they carry the step boxes' names.
const SpokenName spokenNames[] = {
    {"qvipaddress0", "Label41", captions::firstHost},
    {"qvipport", "Label43", captions::basePort},
    {"qvipaddress1", "secondlabel", captions::secondHost},
    {"frequency", "Label20", "Frequency (MHz)"},
    {"frequencymegs", "Label50", "Frequency MHz digit"},
    {"frequencydecimal", "Label60", "Frequency fraction (kHz)"},
    {"symbolrate", "Label10", captions::symbolRate},
    {"offset", "Label30", captions::offset},
    {"antenna", "Label42", captions::antenna},
    {"voltage", "Label40", captions::voltage},
    {"copytosettings", nullptr, captions::copyToSettings},
    {"copytorx", nullptr, captions::copyToGrid},
    {"sendx", nullptr, captions::send},
    {"msf1", nullptr, "Receivers"},
};

// Qt reads a widget's tooltip as its description when no description is
// set, but only on request: a screen reader that keeps the old text is told
// when the tooltip changes (the second host's hint follows the port).
class TooltipChangeAnnouncer : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTipChange) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->accessibleDescription().isEmpty()) {
                QAccessibleEvent changed(widget, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&changed);
            }
        }
        return false;
    }
};

} // namespace

void nameControlsForScreenReaders(QWidget &window)
{
    auto *announcer = new TooltipChangeAnnouncer(&window);
    for (const SpokenName &spoken : spokenNames) {
        auto *control = window.findChild<QWidget *>(QLatin1String(spoken.control));
        if (!control)
            continue;
        const QString name = QString::fromLatin1(spoken.name);
        control->setAccessibleName(name);
        control->installEventFilter(announcer);
        // An editable box's text field reports the typing under the box's name.
        if (auto *selector = qobject_cast<QComboBox *>(control); selector && selector->lineEdit())
            selector->lineEdit()->setAccessibleName(name);
        if (!spoken.label)
            continue;
        // On Linux Qt names a selector by its current item and gives its
        // caption through the label that has it as buddy; the label's own
        // name is what is read then.
        auto *label = window.findChild<QLabel *>(QLatin1String(spoken.label));
        if (!label)
            continue;
        label->setBuddy(control);
        if (label->text().trimmed() != name)
            label->setAccessibleName(name);
    }
}
