#include "widgets/Edit.h"

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
