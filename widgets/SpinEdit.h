#pragma once

#include <QSpinBox>

// An integer spin edit that reads like the classic one: any run of digits
// and minus signs may be typed, and reading the value clamps it to the
// range, an empty field or one without a number reading as the minimum.
// The text is corrected only when the field loses the keyboard focus.  It
// steps by one with the arrow keys and the spin buttons alone: PageUp,
// PageDown and the mouse wheel leave it alone, and Enter neither steps nor
// corrects.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget *parent = nullptr);

    // The field the number is typed into.
    using QAbstractSpinBox::lineEdit;

    // The value of the text as it stands, clamped to the range.
    int Value() const;

    // The value a text reads as, for a range from `low` to `high`.
    static int ReadValue(const QString &text, int low, int high);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void fixup(QString &input) const override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void stepBy(int steps) override;
};
