// screenshot: plays a short game headless and saves a picture of the window.
//
//   screenshot FOLDER OUTPUT.png
//
// FOLDER must hold the game's pictures (im1.bmp, im2.bmp); the game is
// played there with a word list of its own holding one five-letter word, so
// the picture is the same on every run: three guesses, the last one the word.

#include "app/Uvesmar.h"
#include "app/VesmarApplication.h"
#include "game/SoundDevice.h"
#include "widgets/Edit.h"

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace {

// The cues are not heard in a picture.
class TSilentSoundDevice : public TSoundDevice {
public:
    bool Open(const std::string &, std::string &) override { return true; }
    void Close() override {}
    void Play() override {}
};

void Guess(TFvesmar &window, const char *word)
{
    window.Eparola->setText(QString::fromLatin1(word));
    QTest::mouseClick(window.Binvia, Qt::LeftButton);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: screenshot FOLDER OUTPUT.png\n";
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[2]);
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    TVesmarApplication app(qtArgc, argv);

    std::filesystem::current_path(argv[1]);
    std::ofstream("vocabolario.txt") << "arte\ncassa\nalbero\n";
    TFvesmar window(std::make_unique<TSilentSoundDevice>(), [] { return 2024u; });
    window.show();
    QTest::mouseClick(window.Bgenera, Qt::LeftButton);
    for (const char *word : {"sacca", "tasca", "cassa"})
        Guess(window, word);
    QApplication::processEvents();

    const QImage picture = window.grab().toImage();
    if (!picture.save(QString::fromStdString(output.string()), "PNG")) {
        std::cerr << "screenshot: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
