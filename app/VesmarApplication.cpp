#include "app/VesmarApplication.h"

#include "app/HeapSettings.h"
#include "app/VesmarIcon.h"
#include "widgets/DesignFonts.h"
#include "widgets/Latin1.h"
#include "widgets/QtSystemColors.h"

#include <QMessageBox>
#include <QStyleFactory>

#include <utility>

namespace {

ErrorBoxHook &Hook()
{
    static ErrorBoxHook hook;
    return hook;
}

std::string MessageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::exception &e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

} // namespace

TVesmarApplication::TVesmarApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    MkKeepHeapForRepaints();
    InstallFontSubstitutes();
    // The game looks as designed on every desktop: its own light palette and
    // a style that draws with it.  Desktop styles such as Adwaita-Dark paint
    // buttons and fields in colours of their own, under which the design's
    // dark text would vanish.
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    setPalette(DesignPalette());
    setWindowIcon(VesmarIcon());
    setDesktopFileName(QStringLiteral(VESMAR_APP_ID));
    // The edit fields' caret blinks every 530 ms (a full cycle is twice that).
    setCursorFlashTime(1060);
}

bool TVesmarApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowDefaultErrorBox(std::current_exception());
        return true;
    }
}

std::string ApplicationTitle(const std::string &programPath)
{
    const auto slash = programPath.find_last_of('/');
    std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    for (std::size_t i = 1; i < name.size(); ++i)
        if (name[i] >= 'A' && name[i] <= 'Z')
            name[i] = static_cast<char>(name[i] + ('a' - 'A'));
    return name;
}

std::string ErrorBoxText(const std::string &message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ShowDefaultErrorBox(std::exception_ptr error)
{
    const std::string text = ErrorBoxText(MessageOf(std::move(error)));
    const std::string title = ApplicationTitle(ToBytes(QCoreApplication::applicationFilePath()));
    if (Hook()) {
        Hook()(title, text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok);
    box.exec();
}

void RunHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (...) {
        ShowDefaultErrorBox(std::current_exception());
    }
}

void SetErrorBoxHook(ErrorBoxHook hook)
{
    Hook() = std::move(hook);
}
