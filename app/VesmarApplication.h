#pragma once

#include <QApplication>

#include <exception>
#include <functional>
#include <string>

// The application object.  It sets up what the design relies on of the
// desktop (font substitutes, the program's icon, the caret's blink).  Any
// exception that leaves an event handler ends that handler and is shown in
// the default error box; the program then goes on with its message loop.
class TVesmarApplication : public QApplication {
    Q_OBJECT
public:
    TVesmarApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;
};

// The application's title: the program file's name without its folder and
// without everything from its first full stop on, every letter after the
// first in lower case.
std::string ApplicationTitle(const std::string &programPath);

// The error box's text: the message, with a full stop added when it is not
// empty and its last byte sorts after ".".
std::string ErrorBoxText(const std::string &message);

// Shows the default error box for the exception being handled or passed.
void ShowDefaultErrorBox(std::exception_ptr error);

// Runs an event handler, showing any exception that leaves it.
void RunHandler(const std::function<void()> &handler);

// Replaces the modal error box, for tests; an empty function restores it.
using ErrorBoxHook = std::function<void(const std::string &title, const std::string &text)>;
void SetErrorBoxHook(ErrorBoxHook hook);
