#pragma once

#include <QLineEdit>

#include <functional>

// A single-line edit field that reports every key-down, auto-repeats
// included, to OnKeyDown before handling the key itself.
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TEdit(QWidget *parent = nullptr);

    // Key code (13 for either Enter key, otherwise Qt's key code) and the
    // modifiers held.
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> OnKeyDown;

    static constexpr int EnterKey = 13;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};
