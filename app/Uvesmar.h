#pragma once

#include "game/RandomGenerator.h"
#include "game/SoundDevice.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QPushButton;
class QToolButton;
class TAnnouncer;
class TEdit;
class TMediaPlayer;
class TMkAboutDlg;
class TMkTextListBox;
class TSpinEdit;

// Where a window of the given frame size goes: at its designed position
// where the whole frame fits in the available area of the screen, otherwise
// moved just as far as it must, and to the area's top left corner when it is
// larger than the area.  A screen at twice the scale has half the room in
// device-independent pixels, which the designed position may not fit.
QPoint FittingPosition(QPoint designed, QSize frame, const QRect &available);

// The game's only window.  It holds the game in progress (the secret word
// and the number of attempts) and shows it through two states: waiting,
// with "Genera parola" and the length control, and playing, with the guess
// field, "Invia" and "Termina".
class TFvesmar : public QWidget {
    Q_OBJECT
public:
    // The sound device and the seed source can be replaced, for tests; by
    // default cues play through Qt and draws are seeded from the clock.
    explicit TFvesmar(std::unique_ptr<TSoundDevice> sound = nullptr,
                      TRandomGenerator::SeedSource seed = {}, QWidget *parent = nullptr);
    ~TFvesmar() override;

    static constexpr const char *DictionaryFile = "vocabolario.txt";
    // Where the window's frame stands and how large it is, in
    // device-independent pixels.
    static constexpr QPoint DesignedPosition{524, 158};
    static constexpr QSize DesignedFrameSize{372, 640};

    // Controls, named as in the window's design.
    QWidget *MkSimplePanel1;
    QWidget *MkSimplePanel2;
    QWidget *MkSimplePanel3;
    TMkTextListBox *MkTextListBox1; // the results
    TMkTextListBox *MkTextListBox2; // the header
    QLabel *Lmess;
    QLabel *Lmess2;
    QPushButton *Bgenera;
    QPushButton *Btermina;
    QPushButton *Binvia;
    QToolButton *MkSpeedButton1;
    // Speaks the messages and new rows to screen readers.
    TAnnouncer *Announcer;
    TSpinEdit *Slunghezza;
    TEdit *Eparola;
    std::unique_ptr<TMediaPlayer> MediaPlayer1;
    std::unique_ptr<TMkAboutDlg> MkAboutDlg1;

    const std::string &Parola() const { return Parola_; }
    int Tentativi() const { return Tentativi_; }

    // True once the window has asked the application to end.
    bool QuitRequested() const { return quitRequested_; }

    // Handlers.
    void FormCreate();
    void BgeneraClick();
    void BinviaClick();
    void EparolaKeyDown(int key, Qt::KeyboardModifiers shift);
    void BterminaClick();
    void MkSpeedButton1Click();

private:
    void CreateControls();
    void ConnectHandlers();
    void SetWaiting();
    void SetPlaying();
    void SetMessage(QLabel *label, const std::string &text);
    int Lunghezza() const;

    void InviaParola();
    std::string GeneraParola(int length);
    void ValutaParola(const std::string &guess);
    void RequestQuit();

    std::string Parola_;
    int Tentativi_ = 0;
    TRandomGenerator random_;
    bool quitRequested_ = false;
};
