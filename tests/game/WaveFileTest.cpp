#include "game/WaveFile.h"

#include "support/TempDir.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace {

void Put32(std::string &s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void Put16(std::string &s, std::uint16_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>(v >> 8));
}

std::string Wave(std::uint16_t bits, std::uint32_t samples, bool withList = false)
{
    std::string fmt;
    Put16(fmt, 1);
    Put16(fmt, 1);
    Put32(fmt, 22050);
    Put32(fmt, 22050 * bits / 8);
    Put16(fmt, bits / 8);
    Put16(fmt, bits);
    std::string body = "WAVE";
    if (withList) {
        body += "LIST";
        Put32(body, 3);
        body += "abc";
        body.push_back('\0'); // odd chunks are padded
    }
    body += "fmt ";
    Put32(body, static_cast<std::uint32_t>(fmt.size()));
    body += fmt;
    body += "data";
    Put32(body, samples * bits / 8);
    body += std::string(samples * bits / 8, '\0');
    std::string file = "RIFF";
    Put32(file, static_cast<std::uint32_t>(body.size()));
    return file + body;
}

} // namespace

TEST(WaveFile, AcceptsPcmAndExplainsEveryRefusal)
{
    testkit::TTempDir dir;
    EXPECT_EQ(CheckWaveFile(dir.Write("ok.wav", Wave(16, 100))), "");
    EXPECT_EQ(CheckWaveFile(dir.Write("list.wav", Wave(8, 10, true))), "");

    const std::string missing = dir.File("chimes.wav");
    EXPECT_EQ(CheckWaveFile(missing), "The sound file " + missing + " does not exist");
    EXPECT_EQ(CheckWaveFile(dir.Path().string()),
              "The sound file " + dir.Path().string() + " does not exist");

    const std::string text = dir.Write("text.wav", "not a sound at all");
    EXPECT_EQ(CheckWaveFile(text), "The file " + text + " is not a playable WAV sound");
    const std::string full = Wave(16, 100);
    const std::string cut = dir.Write("cut.wav", full.substr(0, 30));
    EXPECT_EQ(CheckWaveFile(cut), "The file " + cut + " is not a playable WAV sound");
    const std::string odd = dir.Write("odd.wav", Wave(12, 10));
    EXPECT_EQ(CheckWaveFile(odd), "The file " + odd + " is not a playable WAV sound");
    EXPECT_NE(CheckWaveFile(dir.Write("empty.wav", "")), "");
}
