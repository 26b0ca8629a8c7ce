#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QWidget>

// Gives a plain widget the role a screen reader should present it with: a
// top-level QWidget is otherwise a "filler", not a frame, and a panel of
// messages is otherwise a panel, not a status bar.  Call it before anything
// asks the widget for its accessible interface.
void SetAccessibleRole(QWidget *widget, QAccessible::Role role);

// Speaks texts to a screen reader without moving the focus.
//
// The texts given during one pass of the event loop are joined and spoken
// together once that pass ends, so that what one key press causes (a new
// row, then a message or two) is one utterance rather than several that cut
// each other off; a text equal to the one before is spoken again.
//
// What carries the speech: the announcer is an invisible notification
// inside its parent, which must have the status-bar role.  Every
// announcement names the notification after the texts and reports it shown.
// Orca speaks a notification as it appears, and leaves out the word
// "notification" for one inside a status bar.  Qt's own alert events and the
// name changes of labels reach Orca as nothing.
class TAnnouncer : public QWidget {
    Q_OBJECT
public:
    explicit TAnnouncer(QWidget *statusBar);

    void Say(const QString &text);

signals:
    // After each announcement, with what was spoken.
    void Spoken(const QString &text);

private:
    void Speak();

    QStringList pending_;
};
