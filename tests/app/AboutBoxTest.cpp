#include "app/AboutLayout.h"
#include "app/MkAboutDlg.h"
#include "app/SystemInfo.h"
#include "app/VesmarApplication.h"
#include "widgets/Latin1.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

void ExpectBox(const TAboutBox &box, int x, int y, int w, int h)
{
    EXPECT_TRUE(box.Placed);
    EXPECT_EQ(box.X, x);
    EXPECT_EQ(box.Y, y);
    EXPECT_EQ(box.Width, w);
    EXPECT_EQ(box.Height, h);
}

TAboutMeasures Measures()
{
    TAboutMeasures m;
    m.TitleHeight = 34;
    m.Description = "d";
    m.DescriptionHeight = 52;
    m.Credit = "c";
    m.CreditHeight = 13;
    m.Email = "e";
    m.EmailHeight = 13;
    m.CaptionHeight = 26;
    m.ValueHeight = 28;
    return m;
}

// Shows the about box, lets `act` work on the open dialog, and reports
// whether the dialog closed by itself afterwards.
bool RunsAndCloses(TMkAboutDlg &about, std::function<void(QDialog &)> act)
{
    bool closedByAct = false;
    about.OnShow = [&](QDialog &dialog) {
        QMetaObject::invokeMethod(
            &dialog,
            [&] {
                act(dialog);
                closedByAct = !dialog.isVisible();
                if (dialog.isVisible())
                    dialog.reject();
            },
            Qt::QueuedConnection);
    };
    about.Execute();
    return closedByAct;
}

} // namespace

TEST(TAboutBox, LayoutFromLabelSizes)
{
    TAboutLayout l = LayoutAboutBox(Measures());
    EXPECT_EQ(l.ClientWidth, 410);
    ExpectBox(l.Icon, 13, 7, 32, 32);
    ExpectBox(l.Title, 60, 12, 340, 34);
    // 12 + 34 + 10 = 56 is raised to 66.
    ExpectBox(l.Description, 60, 66, 340, 52);
    ExpectBox(l.Credit, 60, 66 + 52 + 24, 340, 13);
    const int email = 142 + 13 + 1 + 3;
    ExpectBox(l.Email, 60, email, 340, 13);
    ExpectBox(l.Separator, 60, email + 13 + 6, 340, 2);
    const int info = email + 19 + 9;
    ExpectBox(l.Caption, 60, info, 150, 26);
    ExpectBox(l.Value, 210, info, 150, 28);
    ExpectBox(l.Ok, 410 - 75 - 6, info + 28 + 24, 75, 25);
    EXPECT_EQ(l.ClientHeight, info + 52 + 25 + 6);

    // A tall title pushes everything down; an empty text places nothing.
    TAboutMeasures m = Measures();
    m.TitleHeight = 60;
    m.Credit.clear();
    m.Email.clear();
    l = LayoutAboutBox(m);
    EXPECT_EQ(l.Description.Y, 82);
    EXPECT_FALSE(l.Credit.Placed);
    EXPECT_FALSE(l.Email.Placed);
    EXPECT_EQ(l.Separator.Y, 82 + 52 + 24 + 6);
}

TEST(TAboutBox, SystemInformation)
{
    EXPECT_EQ(
        ProcessorModel("processor\t: 0\nvendor_id\t: X\nmodel name\t: Fast CPU 3000\nflags\t: a\n"),
        "Fast CPU 3000");
    EXPECT_EQ(ProcessorModel("processor : 0\n"), "");
    TSystemInfo info{2048, 2, "Fast CPU"};
    EXPECT_EQ(SystemInfoValue(info), "2048 KB\r2x Fast CPU or compatible");
    EXPECT_EQ(ShortProcessorName("Intel(R) Core(TM) i7-8550U CPU @ 1.80GHz"),
              "Intel Core i7-8550U");
    EXPECT_EQ(ShortProcessorName("AMD Ryzen 7 5800X 8-Core Processor"), "AMD Ryzen 7 5800X");
    EXPECT_EQ(ShortProcessorName("AMD EPYC"), "AMD EPYC");
    EXPECT_EQ(ShortProcessorName(""), "");
    EXPECT_EQ(SystemInfoCaption(), "Available Memory:\rPlatform, CPU:");
    const TSystemInfo here = ReadSystemInfo();
    EXPECT_GT(here.TotalMemoryKB, 0);
    EXPECT_GE(here.Processors, 1);
    EXPECT_FALSE(here.ProcessorName.empty());
}

TEST(TAboutBox, DialogShowsTheTextsAndClosesOnEnterAndEsc)
{
    QWidget owner;
    TMkAboutDlg about(&owner);
    std::string title, description, caption;
    QSize size;
    int valueWidth = 0;
    QImage titlePicture;
    bool okHasFocus = false;
    QStringList unnamed;
    const bool closedByEnter = RunsAndCloses(about, [&](QDialog &dialog) {
        // Screen readers name every control and picture of the box.
        for (QWidget *child : dialog.findChildren<QWidget *>()) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(child);
            if (!child->isHidden() && child->objectName() != "Separator" &&
                face->text(QAccessible::Name).isEmpty())
                unnamed << child->objectName();
        }
        title = ToBytes(dialog.findChild<QLabel *>("Title")->text());
        description = ToBytes(dialog.findChild<QLabel *>("Description")->text());
        caption = ToBytes(dialog.findChild<QLabel *>("Caption")->text());
        valueWidth = dialog.findChild<QLabel *>("Value")->sizeHint().width();
        titlePicture = dialog.findChild<QLabel *>("Title")->grab().toImage();
        size = dialog.size();
        okHasFocus = dialog.focusWidget() == dialog.findChild<QPushButton *>("OK");
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    EXPECT_TRUE(closedByEnter);
    EXPECT_TRUE(okHasFocus);
    EXPECT_EQ(unnamed, QStringList{});
    EXPECT_EQ(title, ApplicationTitle(ToBytes(QCoreApplication::applicationFilePath())));
    EXPECT_EQ(title, "app_tests");
    EXPECT_EQ(description.rfind("..trova la parola segreta!\n\n", 0), 0u);
    EXPECT_EQ(caption, "Available Memory:\nPlatform, CPU:");
    EXPECT_EQ(size.width(), 410);
    EXPECT_LE(valueWidth, AboutInfoColumnWidth) << "the system information is cut off";

    // The title is sunken: letters in the window-text colour (black) over a
    // light copy one pixel down and right.
    int black = 0, light = 0;
    for (int y = 0; y < titlePicture.height(); ++y)
        for (int x = 0; x < titlePicture.width(); ++x) {
            const QColor c = titlePicture.pixelColor(x, y);
            black += c == QColor(Qt::black);
            light += c == QColor(Qt::white) && x > 0 && y > 0 &&
                     titlePicture.pixelColor(x - 1, y - 1) == QColor(Qt::black);
        }
    EXPECT_GT(black, 50);
    EXPECT_GT(light, 10);

    EXPECT_TRUE(
        RunsAndCloses(about, [](QDialog &dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); }));
    EXPECT_TRUE(RunsAndCloses(about, [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>("OK"), Qt::LeftButton);
    }));
    EXPECT_FALSE(RunsAndCloses(about, [](QDialog &) {}));
}

TEST(TAboutBox, ExactlyCentredWithTheProcessorLineInItsColumn)
{
    QWidget owner;
    TMkAboutDlg about(&owner);
    QPoint place;
    QSize size;
    std::string value;
    int valueWidth = 0;
    RunsAndCloses(about, [&](QDialog &dialog) {
        place = dialog.pos();
        size = dialog.size();
        const auto *label = dialog.findChild<QLabel *>("Value");
        value = ToBytes(label->text());
        valueWidth = label->sizeHint().width();
    });
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(place.x(), screen.left() + (screen.width() - size.width()) / 2);
    EXPECT_EQ(place.y(), screen.top() + (screen.height() - size.height()) / 2);

    // However long the model name, the line ends with the words that say
    // so, and still fits its column.
    const std::string suffix = " or compatible";
    ASSERT_GE(value.size(), suffix.size());
    EXPECT_EQ(value.substr(value.size() - suffix.size()), suffix);
    EXPECT_LE(valueWidth, AboutInfoColumnWidth);
}

TEST(TAboutBox, MailLinkOpensOrSwitchesOff)
{
    QWidget owner;
    TMkAboutDlg about(&owner);
    std::vector<QString> opened;
    bool desktopCanOpen = true;
    about.OpenUrl = [&](const QUrl &url) {
        opened.push_back(url.toString());
        return desktopCanOpen;
    };
    QColor pressedColor;
    bool enabledAfter = false;
    RunsAndCloses(about, [&](QDialog &dialog) {
        auto *link = dialog.findChild<QLabel *>("EMail");
        QTest::mouseClick(link, Qt::LeftButton);
        pressedColor = link->palette().color(QPalette::WindowText);
        enabledAfter = link->isEnabled();
    });
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "mailto:vesmar@example.org");
    EXPECT_EQ(pressedColor, QColor(0x80, 0, 0x80));
    EXPECT_TRUE(enabledAfter);

    desktopCanOpen = false;
    RunsAndCloses(about, [&](QDialog &dialog) {
        auto *link = dialog.findChild<QLabel *>("EMail");
        QTest::mouseClick(link, Qt::LeftButton);
        enabledAfter = link->isEnabled();
        QTest::mouseClick(link, Qt::LeftButton);
    });
    EXPECT_FALSE(enabledAfter);
    EXPECT_EQ(opened.size(), 2u) << "a switched-off link opens nothing";
}
