#include "app/Uvesmar.h"

#include "app/MkAboutDlg.h"
#include "app/VesmarApplication.h"
#include "game/MediaPlayer.h"
#include "game/Scoring.h"
#include "game/SoundDevice.h"
#include "game/WordDraw.h"
#include "widgets/Accessibility.h"
#include "widgets/DesignFonts.h"
#include "widgets/Edit.h"
#include "widgets/Latin1.h"
#include "widgets/MkTextListBox.h"
#include "widgets/QtSoundDevice.h"
#include "widgets/QtSystemColors.h"
#include "widgets/SpinEdit.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <iostream>

namespace {

constexpr std::uint32_t InfoBk = 0xFF000000 | static_cast<std::uint32_t>(TSystemColor::InfoBk);

QLabel *MessageLabel(QWidget *parent, const char *text, int x, int y)
{
    auto *label = new QLabel(ToQString(text), parent);
    label->setFont(DesignFont("MS Sans Serif", 16, true));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, SystemColor(TSystemColor::MenuHighlight));
    label->setPalette(p);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton *Button(QWidget *parent, const char *caption, int x, int width)
{
    auto *button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setGeometry(x, 16, width, 22);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The buttons never take the focus, so keyboard players press them by their
// shortcuts; the tool tip and what a screen reader says of a button both
// name its shortcut.
void SetHint(QAbstractButton *button, const char *hint, const char *keys)
{
    const QString text = QString::fromLatin1(hint) + QStringLiteral(" (") +
                         QString::fromLatin1(keys) + QLatin1Char(')');
    button->setToolTip(text);
    button->setAccessibleDescription(text);
}

QWidget *Panel(QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    return panel;
}

TMkTextListBox *ListBox(QWidget *parent)
{
    auto *box = new TMkTextListBox(parent);
    box->setFont(DesignFont("Verdana", 13));
    box->SetColor(InfoBk);
    box->SetItemHeight(24);
    box->TextSettings().SetParserClass("TMkHTMLParser");
    return box;
}

} // namespace

QPoint FittingPosition(QPoint designed, QSize frame, const QRect &available)
{
    const auto fit = [](int at, int extent, int first, int room) {
        return std::max(first, std::min(at, first + room - extent));
    };
    return {fit(designed.x(), frame.width(), available.left(), available.width()),
            fit(designed.y(), frame.height(), available.top(), available.height())};
}

TFvesmar::TFvesmar(std::unique_ptr<TSoundDevice> sound, TRandomGenerator::SeedSource seed,
                   QWidget *parent)
    : QWidget(parent),
      MediaPlayer1(std::make_unique<TMediaPlayer>(sound ? std::move(sound)
                                                        : std::make_unique<TQtSoundDevice>())),
      MkAboutDlg1(std::make_unique<TMkAboutDlg>(this)),
      random_(seed ? std::move(seed) : TRandomGenerator::SeedSource(&TRandomGenerator::ClockSeed))
{
    CreateControls();
    ConnectHandlers();
    FormCreate();
}

TFvesmar::~TFvesmar() = default;

void TFvesmar::CreateControls()
{
    SetAccessibleRole(this, QAccessible::Window);
    setWindowTitle(QString(28, QLatin1Char(' ')) + QStringLiteral("Vesmar"));
    setFont(DesignFont("MS Sans Serif", 11));
    setPalette(DesignPalette());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(FittingPosition(DesignedPosition, DesignedFrameSize, screen->availableGeometry()));
    else
        move(DesignedPosition);
    resize(364, 606);

    MkSimplePanel3 = Panel(this);
    MkSimplePanel2 = Panel(this);
    SetAccessibleRole(MkSimplePanel2, QAccessible::StatusBar);
    MkSimplePanel1 = Panel(this);
    MkSimplePanel3->setFixedHeight(505);
    MkSimplePanel1->setFixedHeight(54);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(MkSimplePanel3);
    column->addWidget(MkSimplePanel2, 1);
    column->addWidget(MkSimplePanel1);

    MkTextListBox2 = ListBox(MkSimplePanel3);
    MkTextListBox2->SetVerticalScrollBar(false);
    MkTextListBox2->setFixedHeight(32);
    MkTextListBox2->AddItem(RigaIntestazione, DescrizioneIntestazione);
    MkTextListBox1 = ListBox(MkSimplePanel3);
    MkTextListBox1->SetSelectedColor(InfoBk);
    MkTextListBox1->SetExtendedSelect(false);
    MkTextListBox1->setFixedHeight(473);
    auto *lists = new QVBoxLayout(MkSimplePanel3);
    lists->setContentsMargins(0, 0, 0, 0);
    lists->setSpacing(0);
    lists->addWidget(MkTextListBox2);
    lists->addStretch(1);
    lists->addWidget(MkTextListBox1);

    Lmess = MessageLabel(MkSimplePanel2, "Gioca Vesmar!!", 8, 4);
    Lmess2 = MessageLabel(MkSimplePanel2, "Genera la parola", 8, 24);
    Announcer = new TAnnouncer(MkSimplePanel2);

    Bgenera = Button(MkSimplePanel1, "Genera parola", 24, 81);
    Btermina = Button(MkSimplePanel1, "Termina", 24, 65);
    Binvia = Button(MkSimplePanel1, "Invia", 248, 49);
    Slunghezza = new TSpinEdit(MkSimplePanel1);
    Slunghezza->setGeometry(120, 16, 49, 21);
    Slunghezza->setRange(4, 10);
    Slunghezza->setValue(5);
    Eparola = new TEdit(MkSimplePanel1);
    Eparola->setGeometry(112, 16, 129, 21);
    MkSpeedButton1 = new QToolButton(MkSimplePanel1);
    MkSpeedButton1->setText(QStringLiteral("?"));
    MkSpeedButton1->setGeometry(304, 16, 23, 22);
    MkSpeedButton1->setAutoRaise(true);
    MkSpeedButton1->setFocusPolicy(Qt::NoFocus);
    MkSpeedButton1->setFont(DesignFont("MS Sans Serif", 11, true));

    setTabOrder(Slunghezza, Eparola);
    setTabOrder(Eparola, MkTextListBox1);
    setTabOrder(MkTextListBox1, MkTextListBox2);
    // What screen readers call the controls that show no caption; the
    // buttons are called by their captions.
    Slunghezza->setAccessibleName(QStringLiteral("Lunghezza della parola"));
    Eparola->setAccessibleName(QStringLiteral("Parola da indovinare"));
    MkTextListBox1->setAccessibleName(QStringLiteral("Risultati"));
    MkTextListBox2->setAccessibleName(QStringLiteral("Intestazione"));
    MkSimplePanel2->setAccessibleName(QStringLiteral("Messaggi"));
    Bgenera->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
    Btermina->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    MkSpeedButton1->setShortcut(QKeySequence(Qt::Key_F1));
    SetHint(Bgenera, "Genera una parola segreta", "Ctrl+N");
    SetHint(Btermina, "Rinuncia e mostra la parola", "Ctrl+T");
    SetHint(Binvia, "Invia la parola", "Invio");
    SetHint(MkSpeedButton1, "Informazioni su Vesmar", "F1");
    auto *quit = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Q")), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
    // The first control of the tab order has the focus when the window opens.
    Slunghezza->setFocus();
}

void TFvesmar::ConnectHandlers()
{
    // A click is handled from the event loop, after whatever reported it has
    // returned: a screen reader's "press" must not wait for the about box or
    // an error box to close.  A button hidden by then does not react.
    const auto onClick = [this](QAbstractButton *button, void (TFvesmar::*handler)()) {
        connect(
            button, &QAbstractButton::clicked, this,
            [this, button, handler] {
                if (!button->isHidden())
                    RunHandler([this, handler] { (this->*handler)(); });
            },
            Qt::QueuedConnection);
    };
    onClick(Bgenera, &TFvesmar::BgeneraClick);
    onClick(Binvia, &TFvesmar::BinviaClick);
    onClick(Btermina, &TFvesmar::BterminaClick);
    onClick(MkSpeedButton1, &TFvesmar::MkSpeedButton1Click);
    Eparola->OnKeyDown = [this](int key, Qt::KeyboardModifiers shift) {
        RunHandler([&] { EparolaKeyDown(key, shift); });
    };
}

void TFvesmar::SetWaiting()
{
    Bgenera->show();
    Slunghezza->show();
    Binvia->hide();
    Btermina->hide();
    Eparola->hide();
}

void TFvesmar::SetPlaying()
{
    Bgenera->hide();
    Slunghezza->hide();
    Binvia->show();
    Btermina->show();
    Eparola->show();
}

void TFvesmar::SetMessage(QLabel *label, const std::string &text)
{
    label->setText(ToQString(text));
    label->adjustSize();
    Announcer->Say(label->text());
}

int TFvesmar::Lunghezza() const
{
    return Slunghezza->Value();
}

void TFvesmar::RequestQuit()
{
    if (!quitRequested_)
        std::cerr << "vesmar: " << DictionaryFile << " not found in "
                  << QDir::currentPath().toLocal8Bit().constData() << "\n";
    quitRequested_ = true;
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
}

void TFvesmar::FormCreate()
{
    SetWaiting();
    if (!DictionaryExists(DictionaryFile))
        RequestQuit();
}

void TFvesmar::BgeneraClick()
{
    Tentativi_ = 0;
    MkTextListBox1->Clear();
    SetMessage(Lmess2, "Indovina la parola!");
    const int length = Lunghezza();
    Parola_ = GeneraParola(length);
    if (Parola_.empty()) {
        SetMessage(Lmess, "Errore!");
        return;
    }
    SetMessage(Lmess, "La parola da " + std::to_string(length) + " lettere \xE8 stata generata!");
    SetPlaying();
    PlayCue(*MediaPlayer1, "chimes.wav");
}

std::string TFvesmar::GeneraParola(int length)
{
    if (!DictionaryExists(DictionaryFile)) {
        RequestQuit();
        return {};
    }
    return DrawWord(DictionaryFile, length, random_);
}

void TFvesmar::BinviaClick()
{
    InviaParola();
}

void TFvesmar::EparolaKeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == TEdit::EnterKey)
        InviaParola();
}

void TFvesmar::InviaParola()
{
    const std::string guess = LowerCase(ToBytes(Eparola->text()));
    if (!ParolaValida(guess, Lunghezza())) {
        SetMessage(Lmess, "Parola non valida!");
        return;
    }
    ++Tentativi_;
    ValutaParola(guess);
    MkTextListBox1->SetItemIndex(MkTextListBox1->Count() - 1);
}

void TFvesmar::ValutaParola(const std::string &guess)
{
    const TPunteggio score = ValutaPunteggio(Parola_, guess);
    const std::string spoken = DescrizioneRisultato(guess, score.Esatte, score.Spostate);
    MkTextListBox1->AddItem(RigaRisultato(guess, score.Esatte, score.Spostate), spoken);
    // A list that holds the focus reads its new current row itself.
    if (!MkTextListBox1->hasFocus())
        Announcer->Say(ToQString(spoken));
    if (score.Esatte == 0 && score.Spostate == 0)
        SetMessage(Lmess, "Non hai trovato nulla!");
    if (score.Esatte == static_cast<int>(Parola_.size())) {
        SetMessage(Lmess, "Hai vinto dopo " + std::to_string(Tentativi_) + " tentativi!");
        SetMessage(Lmess2, "La parola era: " + Parola_);
        SetWaiting();
        Parola_.clear();
        PlayCue(*MediaPlayer1, "success.wav");
    }
}

void TFvesmar::BterminaClick()
{
    SetMessage(Lmess, "La parola era: " + Parola_);
    SetMessage(Lmess2, "Genera una nuova parola");
    SetWaiting();
    Parola_.clear();
}

void TFvesmar::MkSpeedButton1Click()
{
    MkAboutDlg1->Execute();
}
