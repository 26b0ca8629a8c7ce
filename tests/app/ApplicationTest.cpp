#include "app/VesmarApplication.h"
#include "support/ErrorBoxes.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <stdexcept>
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

TEST(Application, TitleFromTheProgramFile)
{
    EXPECT_EQ(ApplicationTitle("/usr/games/vesmar"), "vesmar");
    EXPECT_EQ(ApplicationTitle("/opt/VESMAR.EXE"), "Vesmar");
    EXPECT_EQ(ApplicationTitle("C/x/GiocoVesmar.v2.bin"), "Giocovesmar");
    EXPECT_EQ(ApplicationTitle("noslash"), "noslash");
    EXPECT_EQ(ApplicationTitle("/dir.d/.hidden"), "");
}

TEST(Application, FullStopRule)
{
    EXPECT_EQ(ErrorBoxText("File not found"), "File not found.");
    EXPECT_EQ(ErrorBoxText("I/O error 32"), "I/O error 32.");
    EXPECT_EQ(ErrorBoxText("Errore!"), "Errore!");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText("a/"), "a/.");
    EXPECT_EQ(ErrorBoxText(""), "");
    EXPECT_EQ(ErrorBoxText("caff\xE8"), "caff\xE8.");
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
