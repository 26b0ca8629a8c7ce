#include "app/MkAboutDlg.h"
#include "app/Uvesmar.h"
#include "game/MediaPlayer.h"
#include "game/Scoring.h"
#include "support/ErrorBoxes.h"
#include "support/FakeSoundDevice.h"
#include "support/TempDir.h"
#include "widgets/Accessibility.h"
#include "widgets/Edit.h"
#include "widgets/Latin1.h"
#include "widgets/MkTextListBox.h"
#include "widgets/SpinEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace {

using Calls = std::vector<std::string>;

// One word of each length, so that every draw is known whatever the seed.
constexpr const char *Words = "arte\ncassa\nalbero\nprecisione\n";

// A window playing in a folder of its own, with a recorded sound device.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = std::filesystem::current_path();
        dir_.Write("vocabolario.txt", Words);
        for (const char *picture : {"im1.bmp", "im2.bmp"})
            std::filesystem::copy_file(std::filesystem::path(VESMAR_GAME_FOLDER) / picture,
                                       dir_.File(picture));
        std::filesystem::current_path(dir_.Path());
        sound_ = std::make_shared<testkit::TFakeSoundDevice::TLog>();
        window_ = std::make_unique<TFvesmar>(std::make_unique<testkit::TFakeSoundDevice>(sound_),
                                             [] { return 12345u; });
    }

    void TearDown() override
    {
        window_.reset();
        std::filesystem::current_path(previous_);
    }

    TFvesmar &W() { return *window_; }

    std::string Text(QLabel *label) { return ToBytes(label->text()); }

    bool Playing()
    {
        const bool playing = !W().Bgenera->isHidden();
        EXPECT_EQ(W().Slunghezza->isHidden(), !playing);
        EXPECT_EQ(W().Binvia->isHidden(), playing);
        EXPECT_EQ(W().Btermina->isHidden(), playing);
        EXPECT_EQ(W().Eparola->isHidden(), playing);
        return !playing;
    }

    // A click is handled from the event loop, as in the program.
    void Click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }

    void Guess(const std::string &text)
    {
        W().Eparola->setText(ToQString(text));
        Click(W().Binvia);
    }

    void TypeLength(const QString &text)
    {
        W().Slunghezza->lineEdit()->selectAll();
        W().Slunghezza->lineEdit()->del();
        QTest::keyClicks(W().Slunghezza, text);
    }

    // The window on screen and active, as the player sees it.
    void ShowActive()
    {
        W().show();
        QApplication::setActiveWindow(&W());
        QApplication::processEvents();
    }

    void Start()
    {
        Click(W().Bgenera);
        ASSERT_TRUE(Playing());
    }

    testkit::TErrorBoxes boxes_;
    testkit::TTempDir dir_;
    std::filesystem::path previous_;
    std::shared_ptr<testkit::TFakeSoundDevice::TLog> sound_;
    std::unique_ptr<TFvesmar> window_;
};

} // namespace

TEST_F(WindowTest, StartsWaitingWithTheDesignTexts)
{
    EXPECT_FALSE(W().QuitRequested());
    EXPECT_FALSE(Playing());
    EXPECT_EQ(Text(W().Lmess), "Gioca Vesmar!!");
    EXPECT_EQ(Text(W().Lmess2), "Genera la parola");
    EXPECT_EQ(W().windowTitle(), QString(28, QLatin1Char(' ')) + "Vesmar");
    EXPECT_EQ(W().MkTextListBox1->Count(), 0);
    ASSERT_EQ(W().MkTextListBox2->Count(), 1);
    EXPECT_EQ(W().MkTextListBox2->Item(0), RigaIntestazione);
    EXPECT_EQ(W().Slunghezza->Value(), 5);
    EXPECT_EQ(W().size(), QSize(364, 606));
    EXPECT_EQ(W().Bgenera->geometry(), QRect(24, 16, 81, 22));
    EXPECT_EQ(W().Eparola->geometry(), QRect(112, 16, 129, 21));
    EXPECT_EQ(W().Lmess->pos(), QPoint(8, 4));
}

TEST_F(WindowTest, AGameFromDrawToWin)
{
    Start();
    EXPECT_EQ(Text(W().Lmess), "La parola da 5 lettere \xE8 stata generata!");
    EXPECT_EQ(Text(W().Lmess2), "Indovina la parola!");
    EXPECT_EQ(W().Parola(), "cassa");
    EXPECT_EQ(sound_->calls, (Calls{"open chimes.wav", "play"}));

    // Rejected guesses count for nothing.
    for (const char *bad : {"", "cass", "cassaa", "cass1", "cas a", "cass\xE8"}) {
        Guess(bad);
        EXPECT_EQ(Text(W().Lmess), "Parola non valida!") << bad;
    }
    EXPECT_EQ(W().Tentativi(), 0);
    EXPECT_EQ(W().MkTextListBox1->Count(), 0);

    // Capitals are accepted and shown lower-cased; the message stays.
    Guess("SACCA");
    EXPECT_EQ(W().Tentativi(), 1);
    ASSERT_EQ(W().MkTextListBox1->Count(), 1);
    EXPECT_EQ(W().MkTextListBox1->Item(0), RigaRisultato("sacca", 2, 2));
    EXPECT_EQ(W().MkTextListBox1->ItemIndex(), 0);
    EXPECT_EQ(Text(W().Lmess), "Parola non valida!");

    Guess("lupio");
    EXPECT_EQ(Text(W().Lmess), "Non hai trovato nulla!");
    EXPECT_EQ(W().MkTextListBox1->Item(1), RigaRisultato("lupio", 0, 0));
    Guess("sacco");
    EXPECT_EQ(Text(W().Lmess), "Non hai trovato nulla!");

    Guess("cassa");
    EXPECT_EQ(Text(W().Lmess), "Hai vinto dopo 4 tentativi!");
    EXPECT_EQ(Text(W().Lmess2), "La parola era: cassa");
    EXPECT_FALSE(Playing());
    EXPECT_EQ(W().Parola(), "");
    EXPECT_EQ(W().MkTextListBox1->Count(), 4);
    EXPECT_EQ(W().MkTextListBox1->ItemIndex(), 3);
    EXPECT_EQ(W().Eparola->text(), "cassa");
    EXPECT_EQ(sound_->calls,
              (Calls{"open chimes.wav", "play", "close", "open success.wav", "play"}));
    EXPECT_TRUE(boxes_.shown.empty());

    // The next game clears the rows and the count; the guess stays typed.
    Start();
    EXPECT_EQ(W().MkTextListBox1->Count(), 0);
    EXPECT_EQ(W().Tentativi(), 0);
    EXPECT_EQ(W().Eparola->text(), "cassa");
    Guess("cassa");
    EXPECT_EQ(Text(W().Lmess), "Hai vinto dopo 1 tentativi!");
}

TEST_F(WindowTest, EnterSubmitsWithAnyModifiersAndOnEveryRepeat)
{
    Start();
    W().Eparola->setText("sacca");
    QTest::keyClick(W().Eparola, Qt::Key_Return);
    QTest::keyClick(W().Eparola, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(W().Eparola, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(W().Eparola, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(W().Eparola, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(W().Tentativi(), 5);
    // Held down: every repeated key-down submits again.
    for (int i = 0; i < 3; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                         true);
        QApplication::sendEvent(W().Eparola, &repeat);
    }
    EXPECT_EQ(W().Tentativi(), 8);
    EXPECT_EQ(W().MkTextListBox1->Count(), 8);
    // Other keys reach the field and submit nothing.
    QTest::keyClick(W().Eparola, Qt::Key_X);
    EXPECT_EQ(W().Eparola->text(), "saccax");
    EXPECT_EQ(W().Tentativi(), 8);
}

TEST_F(WindowTest, GivingUpShowsTheWordAndKeepsTheRows)
{
    Start();
    Guess("sacca");
    Click(W().Btermina);
    EXPECT_EQ(Text(W().Lmess), "La parola era: cassa");
    EXPECT_EQ(Text(W().Lmess2), "Genera una nuova parola");
    EXPECT_FALSE(Playing());
    EXPECT_EQ(W().Parola(), "");
    EXPECT_EQ(W().MkTextListBox1->Count(), 1);
    EXPECT_EQ(W().Tentativi(), 1);
    EXPECT_EQ(sound_->calls, (Calls{"open chimes.wav", "play"}));
}

TEST_F(WindowTest, TheLengthControlReadsClampedValues)
{
    TypeLength("12");
    Start();
    EXPECT_EQ(W().Parola(), "precisione");
    EXPECT_EQ(Text(W().Lmess), "La parola da 10 lettere \xE8 stata generata!");
    Click(W().Btermina);

    TypeLength("");
    Start();
    EXPECT_EQ(W().Parola(), "arte");
    Click(W().Btermina);

    TypeLength("-");
    EXPECT_EQ(W().Slunghezza->Value(), 4);
    TypeLength("6");
    EXPECT_EQ(W().Slunghezza->Value(), 6);
    TypeLength("a");
    EXPECT_EQ(W().Slunghezza->lineEdit()->text(), "");

    EXPECT_EQ(TSpinEdit::ReadValue("3", 4, 10), 4);
    EXPECT_EQ(TSpinEdit::ReadValue("-7", 4, 10), 4);
    EXPECT_EQ(TSpinEdit::ReadValue("99999999999999999999", 4, 10), 10);
    EXPECT_EQ(TSpinEdit::ReadValue("0000000000007", 4, 10), 7);
    EXPECT_EQ(TSpinEdit::ReadValue("1-2", 4, 10), 4);

    // The arrows step and stop at the bounds.
    TypeLength("10");
    QTest::keyClick(W().Slunghezza, Qt::Key_Up);
    EXPECT_EQ(W().Slunghezza->Value(), 10);
    QTest::keyClick(W().Slunghezza, Qt::Key_Down);
    EXPECT_EQ(W().Slunghezza->Value(), 9);
    TypeLength("4");
    QTest::keyClick(W().Slunghezza, Qt::Key_Down);
    EXPECT_EQ(W().Slunghezza->Value(), 4);
}

TEST_F(WindowTest, LeavingTheLengthControlCorrectsItsText)
{
    W().show();
    QApplication::setActiveWindow(&W());
    W().Slunghezza->setFocus();
    TypeLength("12");
    EXPECT_EQ(W().Slunghezza->lineEdit()->text(), "12");
    W().MkTextListBox1->setFocus();
    EXPECT_EQ(W().Slunghezza->lineEdit()->text(), "10");
    W().Slunghezza->setFocus();
    TypeLength("-");
    W().MkTextListBox1->setFocus();
    EXPECT_EQ(W().Slunghezza->lineEdit()->text(), "4");
}

TEST_F(WindowTest, ButtonsLeaveTheFocusWhereItWas)
{
    W().show();
    QApplication::setActiveWindow(&W());
    Start();
    W().Eparola->setFocus();
    W().Eparola->setText("sacca");
    Click(W().Binvia);
    EXPECT_EQ(QApplication::focusWidget(), W().Eparola);
    EXPECT_EQ(W().Tentativi(), 1);
}

TEST_F(WindowTest, NoWordOfTheLengthReadsErrore)
{
    dir_.Write("vocabolario.txt", "casa\nalbero\n");
    Click(W().Bgenera);
    EXPECT_EQ(Text(W().Lmess), "Errore!");
    EXPECT_EQ(Text(W().Lmess2), "Indovina la parola!");
    EXPECT_FALSE(Playing());
    EXPECT_FALSE(W().QuitRequested());
    EXPECT_TRUE(sound_->calls.empty());
    EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(WindowTest, AWordListGoneDuringTheGameEndsTheProgram)
{
    std::filesystem::remove(dir_.File("vocabolario.txt"));
    Click(W().Bgenera);
    EXPECT_EQ(Text(W().Lmess), "Errore!");
    EXPECT_TRUE(W().QuitRequested());
    EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(WindowTest, AnUnreadableWordListShowsTheErrorBox)
{
    Start();
    Guess("sacca");
    Click(W().Btermina);
    // A word list that exists but fails on reading.
    std::filesystem::remove(dir_.File("vocabolario.txt"));
    std::filesystem::create_symlink("/proc/self/mem", dir_.File("vocabolario.txt"));
    Click(W().Bgenera);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "I/O error 5.");
    EXPECT_EQ(Text(W().Lmess), "La parola era: cassa");
    EXPECT_EQ(Text(W().Lmess2), "Indovina la parola!");
    EXPECT_EQ(W().MkTextListBox1->Count(), 0);
    EXPECT_EQ(W().Tentativi(), 0);
    EXPECT_EQ(W().Parola(), "");
    EXPECT_FALSE(Playing());
    EXPECT_FALSE(W().QuitRequested());
}

TEST_F(WindowTest, AMissingChimeIsReportedAndTheGameGoesOn)
{
    sound_->failing = {"chimes.wav"};
    sound_->failText = "The sound file chimes.wav does not exist";
    Click(W().Bgenera);
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "The sound file chimes.wav does not exist.");
    EXPECT_EQ(boxes_.shown[0].title,
              ApplicationTitle(ToBytes(QCoreApplication::applicationFilePath())));
    EXPECT_TRUE(Playing());
    Guess("cassa");
    EXPECT_EQ(Text(W().Lmess), "Hai vinto dopo 1 tentativi!");
    EXPECT_EQ(W().MkTextListBox1->ItemIndex(), 0);
}

TEST_F(WindowTest, AMissingSuccessSoundLeavesTheWinningRowUnselected)
{
    sound_->failing = {"success.wav"};
    sound_->failText = "";
    Start();
    Guess("sacca");
    EXPECT_EQ(W().MkTextListBox1->ItemIndex(), 0);
    Guess("cassa");
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "Unknown error code.");
    EXPECT_EQ(Text(W().Lmess), "Hai vinto dopo 2 tentativi!");
    EXPECT_EQ(Text(W().Lmess2), "La parola era: cassa");
    EXPECT_FALSE(Playing());
    EXPECT_EQ(W().MkTextListBox1->Count(), 2);
    EXPECT_EQ(W().MkTextListBox1->ItemIndex(), 0);
    // The game is playable again.
    Start();
    EXPECT_EQ(W().MkTextListBox1->Count(), 0);
}

TEST_F(WindowTest, TheAboutBoxChangesNothing)
{
    Start();
    Guess("sacca");
    int shown = 0;
    W().MkAboutDlg1->OnShow = [&](QDialog &dialog) {
        ++shown;
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.accept(); }, Qt::QueuedConnection);
    };
    Click(W().MkSpeedButton1);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Playing());
    EXPECT_EQ(W().Parola(), "cassa");
    EXPECT_EQ(W().Tentativi(), 1);
    EXPECT_EQ(W().MkTextListBox1->Count(), 1);
}

TEST(WindowStart, WithoutWordListTheWindowAsksToQuit)
{
    testkit::TTempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        auto sound = std::make_shared<testkit::TFakeSoundDevice::TLog>();
        TFvesmar window(std::make_unique<testkit::TFakeSoundDevice>(sound));
        EXPECT_TRUE(window.QuitRequested());
        EXPECT_FALSE(window.isVisible());
    }
    std::filesystem::create_directory(dir.File("vocabolario.txt"));
    {
        TFvesmar window(std::make_unique<testkit::TFakeSoundDevice>(
            std::make_shared<testkit::TFakeSoundDevice::TLog>()));
        EXPECT_TRUE(window.QuitRequested()) << "a folder is not a word list";
    }
    std::filesystem::current_path(previous);
}

TEST_F(WindowTest, TheFocusStartsOnTheLengthAndFollowsTheTabOrder)
{
    ShowActive();
    ASSERT_EQ(QApplication::focusWidget(), W().Slunghezza);
    // Right after start a typed length replaces the 5, and the arrows step.
    QTest::keyClicks(QApplication::focusWidget(), "4");
    EXPECT_EQ(W().Slunghezza->lineEdit()->text(), "4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ(W().Slunghezza->Value(), 5);

    // Tab goes round the visible controls of the tab order.
    auto tabOrder = [] {
        std::vector<QWidget *> order;
        for (int i = 0; i < 3; ++i) {
            order.push_back(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        order.push_back(QApplication::focusWidget());
        return order;
    };
    const std::vector<QWidget *> waiting{W().Slunghezza, W().MkTextListBox1, W().MkTextListBox2,
                                         W().Slunghezza};
    EXPECT_EQ(tabOrder(), waiting);
    Start();
    W().Eparola->setFocus();
    const std::vector<QWidget *> playing{W().Eparola, W().MkTextListBox1, W().MkTextListBox2,
                                         W().Eparola};
    EXPECT_EQ(tabOrder(), playing);
}

TEST_F(WindowTest, TheLengthStepsByOneOnlyWithArrowsAndSpinButtons)
{
    ShowActive();
    TSpinEdit *spin = W().Slunghezza;
    for (Qt::Key key : {Qt::Key_PageUp, Qt::Key_PageDown})
        QTest::keyClick(spin, key);
    QWheelEvent wheel(QPointF(10, 10), spin->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin, &wheel);
    EXPECT_EQ(spin->Value(), 5);

    // Ctrl, Qt's step modifier, changes nothing: one step, up to the bound.
    QTest::keyClick(spin, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(spin->Value(), 6);
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.subControls = QStyle::SC_All;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QPoint up = spin->style()
                          ->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, spin)
                          .center();
    QTest::mouseClick(spin, Qt::LeftButton, Qt::ControlModifier, up);
    EXPECT_EQ(spin->Value(), 7);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(spin, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(spin->Value(), 10);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(spin, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(spin->Value(), 4);

    // Enter leaves a number beyond the range as typed while the field has
    // the focus; leaving the field corrects it.
    TypeLength("12");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(spin->lineEdit()->text(), "12");
    EXPECT_EQ(spin->Value(), 10);
    W().MkTextListBox1->setFocus();
    EXPECT_EQ(spin->lineEdit()->text(), "10");
}

namespace {

// How many pixels of the area have exactly this colour.
int CountColor(const QImage &image, const QRect &area, const QColor &color)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == color;
    return n;
}

// Pixels clearly darker than the background: the ink of text.
int CountInk(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).lightness() < 100;
    return n;
}

} // namespace

TEST_F(WindowTest, RowsAreDrawnByTheMarkupEngine)
{
    ShowActive();
    Start();
    Guess("sacca"); // two pegs in place, two elsewhere
    // On white, the pictures' own background colour (their bottom-left
    // pixel, the list's yellow) must not show: it is transparent.
    W().MkTextListBox1->SetColor(0xFFFFFF);
    W().MkTextListBox1->SetSelectedColor(0xFFFFFF);
    const QImage window = W().grab().toImage();
    const QRect row = W().MkTextListBox1->visualItemRect(W().MkTextListBox1->item(0))
                          .translated(W().MkTextListBox1->viewport()->mapTo(&W(), QPoint(0, 0)));
    // The first column is 30 pixels; the other two share the rest.
    const int half = (row.width() - 30) / 2;
    const QRect word(row.left() + 30, row.top(), half, row.height());
    const QRect pegs(word.right() + 1, row.top(), row.right() - word.right(), row.height());

    EXPECT_GT(CountColor(window, word, QColor(0x44, 0, 0)), 20) << "the guess in dark red";
    EXPECT_EQ(CountColor(window, pegs, QColor(0x44, 0, 0)), 0);
    const QImage peg(QString::fromLatin1(dir_.File("im1.bmp").c_str()));
    const QColor pegCentre = peg.pixelColor(peg.width() / 2, peg.height() / 2 + 3);
    const QColor pegBackground = peg.pixelColor(0, peg.height() - 1);
    EXPECT_GT(CountColor(window, pegs, pegCentre), 8) << "the pegs in the third column";
    EXPECT_EQ(CountColor(window, pegs, pegBackground), 0) << "drawn with their corner transparent";
}

TEST_F(WindowTest, TheHeaderTitlesAreBold)
{
    ShowActive();
    TMkTextListBox plain;
    plain.setFont(W().MkTextListBox2->font());
    plain.resize(W().MkTextListBox2->size());
    plain.SetItemHeight(24);
    plain.TextSettings().SetParserClass("TMkHTMLParser");
    std::string row = RigaIntestazione;
    for (const char *tag : {"<B>", "</B>"})
        for (auto at = row.find(tag); at != std::string::npos; at = row.find(tag))
            row.erase(at, std::string(tag).size());
    plain.AddItem(row);
    const int bold = CountInk(W().MkTextListBox2->grab().toImage());
    const int regular = CountInk(plain.grab().toImage());
    EXPECT_GT(regular, 50);
    EXPECT_GT(bold, regular * 5 / 4);
}

TEST_F(WindowTest, AFailingRowShowsTheErrorBoxOnceAndTheGameGoesOn)
{
    ShowActive();
    W().MkTextListBox1->AddItem(R"(<font color="#44000G">x</font>)");
    for (int i = 0; i < 3; ++i) {
        W().MkTextListBox1->viewport()->repaint();
        QApplication::processEvents();
    }
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].text, "'$44000G' is not a valid integer value.");
    // The event loop goes on: a game can be played.
    Start();
    Guess("cassa");
    EXPECT_EQ(Text(W().Lmess), "Hai vinto dopo 1 tentativi!");
    QApplication::processEvents();
    EXPECT_EQ(boxes_.shown.size(), 1u);
}

namespace {

QString AccessibleName(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<none>");
}

// The texts a screen reader reads for the rows of a list.
QStringList RowTexts(TMkTextListBox *list)
{
    QStringList texts;
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(list);
    for (int i = 0; face && i < face->childCount(); ++i)
        texts << face->child(i)->text(QAccessible::Name);
    return texts;
}

} // namespace

TEST_F(WindowTest, ScreenReadersHearNamesRowsAndMessages)
{
    ShowActive();
    EXPECT_EQ(AccessibleName(W().Bgenera), "Genera parola");
    EXPECT_EQ(AccessibleName(W().Binvia), "Invia");
    EXPECT_EQ(AccessibleName(W().Btermina), "Termina");
    EXPECT_EQ(AccessibleName(W().MkSpeedButton1), "?");
    EXPECT_EQ(AccessibleName(W().Slunghezza), "Lunghezza della parola");
    EXPECT_EQ(AccessibleName(W().Eparola), "Parola da indovinare");
    EXPECT_EQ(AccessibleName(W().MkTextListBox1), "Risultati");
    EXPECT_EQ(AccessibleName(W().MkTextListBox2), "Intestazione");
    EXPECT_EQ(RowTexts(W().MkTextListBox2), QStringList{"Parole e risultati"});

    // Every message the game gives and every new row is spoken once, a
    // repeated message too, as a notification shown in the status bar.
    std::vector<std::string> spoken;
    QObject::connect(W().Announcer, &TAnnouncer::Spoken, [&](const QString &text) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(W().Announcer);
        EXPECT_EQ(face->role(), QAccessible::Notification);
        EXPECT_EQ(face->parent()->role(), QAccessible::StatusBar);
        EXPECT_EQ(face->text(QAccessible::Name), text);
        spoken.push_back(ToBytes(text));
    });
    Start();
    // The guess field has the keys; the results list, which the focus left
    // for when the length control hid, reads no row itself.
    W().Eparola->setFocus();
    for (const char *guess : {"sacca", "lupio", "lupi", "lupi", "tasse", "cassa"}) {
        Guess(guess);
        QApplication::processEvents();
    }

    EXPECT_EQ(RowTexts(W().MkTextListBox1),
              (QStringList{"sacca: 2 lettere al posto giusto, 2 fuori posto",
                           "lupio: nessuna lettera trovata", "tasse: 3 lettere al posto giusto",
                           "cassa: 5 lettere al posto giusto"}));
    EXPECT_EQ(spoken,
              (std::vector<std::string>{
                  "Indovina la parola! La parola da 5 lettere \xE8 stata generata!",
                  "sacca: 2 lettere al posto giusto, 2 fuori posto.",
                  "lupio: nessuna lettera trovata. Non hai trovato nulla!", "Parola non valida!",
                  "Parola non valida!", "tasse: 3 lettere al posto giusto.",
                  "cassa: 5 lettere al posto giusto. Hai vinto dopo 4 tentativi! "
                  "La parola era: cassa."}));
}

namespace {

double Luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// How a text in area stands out: the contrast between the colour most of
// the area shows, what is behind the text, and the pixel furthest from it,
// the core of a letter.  An area without text reads 1.
double TextContrast(const QImage &image, const QRect &area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000];
    const QRgb behind =
        std::max_element(counts.begin(), counts.end(), [](const auto &a, const auto &b) {
            return a.second < b.second;
        })->first;
    double most = 1;
    for (const auto &[color, count] : counts)
        most = std::max(most, Contrast(color, behind));
    return most;
}

// Where a widget's text lies in its window's picture: inside its frame.
QRect TextArea(QWidget *widget, QWidget *window, int inset)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size())
        .adjusted(inset, inset, -inset, -inset);
}

// Desktop palettes of the kinds players use: Adwaita's dark one, a darker
// one with dim text, and white on black.
std::vector<std::pair<const char *, QPalette>> DesktopPalettes()
{
    const auto dark = [](QColor text, QColor window, QColor base, QColor button) {
        QPalette p(text, button, button.lighter(130), button.darker(130), button.darker(115), text,
                   Qt::white, base, window);
        p.setColor(QPalette::ButtonText, text);
        p.setColor(QPalette::ToolTipBase, base);
        p.setColor(QPalette::ToolTipText, text);
        p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9E));
        return p;
    };
    return {
        {"dark", dark(QColor(0xEE, 0xEE, 0xEC), QColor(0x35, 0x35, 0x35), QColor(0x2D, 0x2D, 0x2D),
                      QColor(0x45, 0x45, 0x45))},
        {"darker", dark(QColor(0xC0, 0xC0, 0xC0), QColor(0x1E, 0x1E, 0x1E),
                        QColor(0x12, 0x12, 0x12), QColor(0x28, 0x28, 0x28))},
        {"white on black", dark(Qt::white, Qt::black, Qt::black, Qt::black)},
    };
}

} // namespace

TEST_F(WindowTest, EveryTextStandsOutUnderAnyDesktopPalette)
{
    const QPalette design = QApplication::palette();
    W().MkAboutDlg1->OnShow = [](QDialog &dialog) {
        dialog.show();
        QApplication::processEvents();
        const QImage picture = dialog.grab().toImage();
        for (QWidget *child : dialog.findChildren<QWidget *>()) {
            if (child->isHidden() || child->objectName() == "Icon" ||
                child->objectName() == "Separator")
                continue;
            EXPECT_GE(TextContrast(picture, TextArea(child, &dialog, 2)), 4.5)
                << "about box, " << child->objectName().toStdString();
        }
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.accept(); }, Qt::QueuedConnection);
    };
    for (const auto &[name, palette] : DesktopPalettes()) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        ShowActive();
        Start();
        W().Eparola->setText(QStringLiteral("sacca"));
        QApplication::processEvents();
        QImage picture = W().grab().toImage();
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 W().Btermina, W().Binvia, W().MkSpeedButton1, W().Eparola, W().Lmess, W().Lmess2})
            EXPECT_GE(TextContrast(picture, TextArea(widget, &W(), 3)), 4.5)
                << widget->accessibleName().toStdString() << " while playing";
        Guess("cassa");
        QApplication::processEvents();
        picture = W().grab().toImage();
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 W().Bgenera, W().Slunghezza->lineEdit(), W().Lmess, W().Lmess2})
            EXPECT_GE(TextContrast(picture, TextArea(widget, &W(), 3)), 4.5)
                << widget->accessibleName().toStdString() << " while waiting";
        // The words of the rows, left of the pegs.
        for (TMkTextListBox *list : {W().MkTextListBox1, W().MkTextListBox2}) {
            const QRect row = list->visualItemRect(list->item(0));
            const QRect words(list->viewport()->mapTo(&W(), row.topLeft() + QPoint(24, 2)),
                              QSize(96, row.height() - 4));
            EXPECT_GE(TextContrast(picture, words), 4.5) << list->accessibleName().toStdString();
        }
        Click(W().MkSpeedButton1);
    }
    QApplication::setPalette(design);
}

TEST(WindowPlacement, TheDesignedPositionWhereTheWindowFitsAndInsideTheScreenWhereNot)
{
    const QPoint designed = TFvesmar::DesignedPosition;
    const QSize frame = TFvesmar::DesignedFrameSize;
    const struct {
        QRect available;
        QPoint expected;
    } cases[] = {
        {{0, 0, 1280, 1024}, designed},     // fits
        {{0, 0, 800, 700}, {428, 60}},      // 1600 x 1400 at twice the scale
        {{0, 27, 800, 673}, {428, 60}},     // the same below a panel
        {{0, 27, 800, 560}, {428, 27}},     // too short: from the area's top
        {{0, 0, 300, 500}, {0, 0}},         // smaller than the window
        {{1280, 0, 1024, 768}, {1280, 128}} // a screen right of another
    };
    for (const auto &c : cases)
        EXPECT_EQ(FittingPosition(designed, frame, c.available), c.expected) << c.available.x();

    // The offscreen platform's screen is 800 x 600: the window moves into it.
    testkit::TTempDir dir;
    dir.Write("vocabolario.txt", "arte\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        TFvesmar window(std::make_unique<testkit::TFakeSoundDevice>(
            std::make_shared<testkit::TFakeSoundDevice::TLog>()));
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(available.contains(QRect(window.pos(), frame))) << available.width();
        EXPECT_EQ(window.size(), QSize(364, 606));
    }
    std::filesystem::current_path(previous);
}

TEST_F(WindowTest, KeyboardPlayersPressTheButtonsByTheirShortcuts)
{
    ShowActive();
    const auto press = [this](QKeySequence keys) {
        QApplication::setActiveWindow(&W());
        QTest::keySequence(&W(), keys);
        QApplication::processEvents();
        QTest::qWait(150); // a shortcut shows the button pressed for a moment
        QApplication::processEvents();
    };
    press(QKeySequence(QStringLiteral("Ctrl+T"))); // "Termina" is hidden
    EXPECT_EQ(Text(W().Lmess), "Gioca Vesmar!!");
    press(QKeySequence(QStringLiteral("Ctrl+N")));
    ASSERT_TRUE(Playing());
    press(QKeySequence(QStringLiteral("Ctrl+N"))); // hidden now: no second draw
    EXPECT_EQ(sound_->calls, (Calls{"open chimes.wav", "play"}));
    press(QKeySequence(QStringLiteral("Ctrl+T")));
    EXPECT_FALSE(Playing());
    EXPECT_EQ(Text(W().Lmess), "La parola era: cassa");

    int shown = 0;
    W().MkAboutDlg1->OnShow = [&](QDialog &dialog) {
        ++shown;
        QMetaObject::invokeMethod(
            &dialog, [&dialog] { dialog.accept(); }, Qt::QueuedConnection);
    };
    press(QKeySequence(Qt::Key_F1));
    EXPECT_EQ(shown, 1);

    for (const auto &[button, keys] :
         {std::pair<QAbstractButton *, const char *>{W().Bgenera, "Ctrl+N"},
          {W().Btermina, "Ctrl+T"},
          {W().MkSpeedButton1, "F1"}}) {
        EXPECT_TRUE(button->toolTip().contains(QLatin1String(keys))) << keys;
        EXPECT_TRUE(button->accessibleDescription().contains(QLatin1String(keys))) << keys;
    }
    press(QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_FALSE(W().isVisible());
}

TEST_F(WindowTest, AnEmptyListWithTheFocusShowsIt)
{
    ShowActive();
    TMkTextListBox *list = W().MkTextListBox1;
    const auto marks = [list] {
        const QImage picture = list->viewport()->grab().toImage();
        const QRgb behind = picture.pixel(picture.width() / 2, 12);
        int differ = 0;
        for (int x = 0; x < picture.width(); ++x)
            differ += picture.pixel(x, 0) != behind ? 1 : 0;
        return differ;
    };
    EXPECT_EQ(marks(), 0);
    list->setFocus();
    QApplication::processEvents();
    // The dotted focus rectangle along the top of where the first item stands.
    EXPECT_GT(marks(), list->viewport()->width() / 3);
}
