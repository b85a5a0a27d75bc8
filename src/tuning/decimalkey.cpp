#include "decimalkey.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class KeypadDecimal : public QObject
{
public:
    explicit KeypadDecimal(QLineEdit *edit)
        : QObject(edit)
        , edit_(edit)
    { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // With Num Lock off the same key is the keypad's Delete, and stays so.
        const bool decimalKey = (key->modifiers() & Qt::KeypadModifier)
            && (key->key() == Qt::Key_Comma || key->key() == Qt::Key_Period);
        if (!decimalKey || edit_->isReadOnly())
            return false;
        edit_->insert(QStringLiteral(".")); // over the selection, as a typed key
        return true;
    }

private:
    QLineEdit *edit_;
};

} // namespace

void keypadDecimalTypesFullStop(QComboBox *box)
{
    QLineEdit *edit = box->lineEdit();
    if (!edit)
        return;
    // The box takes the operator's keys and hands them to its text field
    // past any filter there; keys sent to the field itself come this way.
    auto *filter = new KeypadDecimal(edit);
    box->installEventFilter(filter);
    edit->installEventFilter(filter);
}
