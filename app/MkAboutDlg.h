#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <string>

class QDialog;
class QUrl;
class QWidget;

// The about box component: it keeps the texts and builds a fresh modal
// dialog each time it is shown, laid out top to bottom from those texts.
class TMkAboutDlg {
public:
    explicit TMkAboutDlg(QWidget *owner);

    std::string CaptionTitle;
    std::string Copyright;
    std::string Description; // lines separated by CR LF
    std::string EMail;

    // Opens "mailto:" links; replaceable so that tests never start a mail
    // program.  Returns false when the desktop cannot open the link.
    std::function<bool(const QUrl &)> OpenUrl;

    // Called with the dialog just before it is shown modally; tests use it
    // to look at the dialog and close it.
    std::function<void(QDialog &)> OnShow;

    // Builds the dialog, shows it modally and returns when it closes.
    void Execute();

private:
    QWidget *owner_;
};
