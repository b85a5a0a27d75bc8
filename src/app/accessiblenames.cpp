#include "accessiblenames.h"

#include <QAccessible>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

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

void nameForScreenReaders(QWidget &control, QLabel *namingLabel, const QString &name)
{
    control.setAccessibleName(name);
    control.installEventFilter(new TooltipChangeAnnouncer(&control));
    // An editable box's text field reports the typing under the box's name.
    if (auto *selector = qobject_cast<QComboBox *>(&control); selector && selector->lineEdit())
        selector->lineEdit()->setAccessibleName(name);
    if (!namingLabel)
        return;
    // On Linux Qt names a selector by its current item and gives its caption
    // through the label that has it as buddy; the label's own name is what is
    // read then.
    namingLabel->setBuddy(&control);
    if (namingLabel->text().trimmed() != name)
        namingLabel->setAccessibleName(name);
}
