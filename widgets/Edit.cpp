#include "widgets/Edit.h"

#include <QFocusEvent>
#include <QKeyEvent>

TEdit::TEdit(QWidget *parent) : QLineEdit(parent) {}

void TEdit::keyPressEvent(QKeyEvent *event)
{
    if (OnKeyDown) {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        OnKeyDown(enter ? EnterKey : event->key(), event->modifiers());
    }
    QLineEdit::keyPressEvent(event);
}

void TEdit::focusInEvent(QFocusEvent *event)
{
    // Reached by the keyboard, a line edit selects its whole text, and tells
    // screen readers of its caret before Qt tells them of the focus.  A
    // screen reader that follows the caret then takes the field as already
    // presented, so an empty field would get the focus without being named.
    // Selecting all of nothing changes nothing, so an empty field skips it.
    if (text().isEmpty() && event->reason() != Qt::OtherFocusReason) {
        QFocusEvent plain(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&plain);
        return;
    }
    QLineEdit::focusInEvent(event);
}
