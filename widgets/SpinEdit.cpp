#include "widgets/SpinEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

TSpinEdit::TSpinEdit(QWidget *parent) : QSpinBox(parent)
{
    // Every text made of digits and minus signs is acceptable, so Qt takes
    // the clamped value at each keystroke but leaves the typed text alone
    // until the field is left.
}

int TSpinEdit::ReadValue(const QString &text, int low, int high)
{
    const QString t = text.trimmed();
    const bool negative = t.startsWith(QLatin1Char('-'));
    const QString digits = negative ? t.mid(1) : t;
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return low;
    if (negative)
        return low;
    // Very long numbers are still numbers: they are simply above the range.
    qsizetype first = 0;
    while (first + 1 < digits.size() && digits[first] == QLatin1Char('0'))
        ++first;
    if (digits.size() - first > 9)
        return high;
    return std::clamp(digits.mid(first).toInt(), low, high);
}

int TSpinEdit::Value() const
{
    return ReadValue(lineEdit()->text(), minimum(), maximum());
}

QValidator::State TSpinEdit::validate(QString &input, int &) const
{
    const bool allowed = std::all_of(input.begin(), input.end(),
                                     [](QChar c) { return c.isDigit() || c == QLatin1Char('-'); });
    return allowed ? QValidator::Acceptable : QValidator::Invalid;
}

int TSpinEdit::valueFromText(const QString &text) const
{
    return ReadValue(text, minimum(), maximum());
}

void TSpinEdit::fixup(QString &input) const
{
    input = QString::number(ReadValue(input, minimum(), maximum()));
}

void TSpinEdit::focusOutEvent(QFocusEvent *event)
{
    const int v = Value();
    QSpinBox::focusOutEvent(event);
    setValue(v);
    lineEdit()->setText(QString::number(v));
}

void TSpinEdit::focusInEvent(QFocusEvent *event)
{
    QSpinBox::focusInEvent(event);
    // The whole number is selected, ready to be typed over, however the
    // field was reached but by a click, which places the caret.
    if (event->reason() != Qt::MouseFocusReason)
        selectAll();
}

void TSpinEdit::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Left to the window, as a plain edit field would.
        event->ignore();
        return;
    default: QSpinBox::keyPressEvent(event);
    }
}

void TSpinEdit::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void TSpinEdit::stepBy(int steps)
{
    // One step at a time whatever the modifiers: Qt asks for ten with Ctrl
    // held (the style's step modifier), which would jump from bound to bound.
    const int step = steps > 0 ? 1 : steps < 0 ? -1 : 0;
    // Step from what the field shows, not from the last value Qt accepted.
    setValue(std::clamp(Value() + step, minimum(), maximum()));
    lineEdit()->setText(QString::number(value()));
    selectAll();
}
