#include "widgets/QtSoundDevice.h"
#include "game/MediaPlayer.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::string ShortBeep()
{
    auto put = [](std::string &s, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    const std::uint32_t samples = 2205;
    std::string s = "RIFF";
    put(s, 36 + samples * 2, 4);
    s += "WAVEfmt ";
    put(s, 16, 4);
    put(s, 1, 2);
    put(s, 1, 2);
    put(s, 22050, 4);
    put(s, 44100, 4);
    put(s, 2, 2);
    put(s, 16, 2);
    s += "data";
    put(s, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i)
        put(s, (i / 25) % 2 ? 0x2000 : 0xE000, 2);
    return s;
}

} // namespace

// With the real Qt backend, whatever audio the machine has (none on a build
// server): opening answers at once, playing neither blocks nor crashes, and
// a bad file is refused with a reason.
TEST(TQtSoundDevice, OpensPlaysAndRefusesWithoutBlocking)
{
    testkit::TTempDir dir;
    const std::string good = dir.Write("beep.wav", ShortBeep());
    const std::string bad = dir.Write("bad.wav", "RIFF....WAVEnothing");

    QElapsedTimer timer;
    timer.start();
    {
        TMediaPlayer player(std::make_unique<TQtSoundDevice>());
        PlayCue(player, good);
        QCoreApplication::processEvents();
        PlayCue(player, good); // cuts the first one short
        QCoreApplication::processEvents();
        try {
            PlayCue(player, bad);
            FAIL() << "a bad file opened";
        } catch (const EMCIDeviceError &e) {
            EXPECT_EQ(std::string(e.what()), "The file " + bad + " is not a playable WAV sound");
        }
        EXPECT_FALSE(player.DeviceOpen());
        EXPECT_THROW(PlayCue(player, dir.File("missing.wav")), EMCIDeviceError);
        PlayCue(player, good);
    }
    QCoreApplication::processEvents();
    EXPECT_LT(timer.elapsed(), 10000);
}
