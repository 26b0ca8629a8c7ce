#include "app/VesmarApplication.h"
#include "support/ErrorBoxes.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

class TThrowing : public QObject {
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("File not found");
        return QObject::event(e);
    }
};

} // namespace

// The application's text rules, each a function from string to string: the
// title from the program file's name, the error box's text from a message.
TEST(Application, TextRules)
{
    using TRule = std::string (*)(const std::string &);
    const struct {
        TRule rule;
        const char *input;
        const char *expected;
    } cases[] = {
        {ApplicationTitle, "/usr/games/vesmar", "vesmar"},
        {ApplicationTitle, "/opt/VESMAR.EXE", "Vesmar"},
        {ApplicationTitle, "C/x/GiocoVesmar.v2.bin", "Giocovesmar"},
        {ApplicationTitle, "noslash", "noslash"},
        {ApplicationTitle, "/dir.d/.hidden", ""},
        {ErrorBoxText, "File not found", "File not found."},
        {ErrorBoxText, "I/O error 32", "I/O error 32."},
        {ErrorBoxText, "Errore!", "Errore!"},
        {ErrorBoxText, "Done.", "Done."},
        {ErrorBoxText, "a-", "a-"},
        {ErrorBoxText, "a/", "a/."},
        {ErrorBoxText, "", ""},
        {ErrorBoxText, "caff\xE8", "caff\xE8."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.rule(c.input), c.expected) << c.input;
}

TEST(Application, ExceptionsLeavingEventsReachTheErrorBox)
{
    testkit::TErrorBoxes boxes;
    TThrowing target;
    QEvent user(QEvent::User);
    QCoreApplication::sendEvent(&target, &user);
    RunHandler([] { throw std::logic_error("Unknown error code"); });
    RunHandler([] {});
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "File not found.");
    EXPECT_EQ(boxes.shown[0].title,
              ApplicationTitle(QCoreApplication::applicationFilePath().toStdString()));
    EXPECT_EQ(boxes.shown[1].text, "Unknown error code.");
}
