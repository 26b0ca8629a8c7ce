// Writes the game's own pictures and sounds into a folder:
//   im1.bmp      a letter in place: a filled dark-red peg
//   im2.bmp      a letter elsewhere: a light peg with a dark outline
//   chimes.wav   a word has been drawn: three soft bell strokes
//   success.wav  the word was found: a rising arpeggio
// The pegs differ in brightness and shape, not only in hue, so that they can
// be told apart without colour vision.  The bottom-left pixel of each picture
// holds the background colour, which the list draws transparent.
//
// usage: make_assets FOLDER

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

struct TRgb {
    std::uint8_t r, g, b;
};

void Put16(std::string &s, unsigned v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string &s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

bool WriteFile(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out);
}

// --- pictures ---------------------------------------------------------------

constexpr int Side = 16;
constexpr TRgb Background{0xFF, 0xFF, 0xE1}; // the results list's background

using Picture = std::vector<TRgb>; // rows from the top

// Coverage of the pixel (x, y) by a disc centred in the picture.
double Disc(int x, int y, double radius)
{
    const double c = (Side - 1) / 2.0;
    const double d = std::hypot(x - c, y - c);
    return std::clamp(radius + 0.5 - d, 0.0, 1.0);
}

TRgb Mix(TRgb a, TRgb b, double t)
{
    auto m = [t](std::uint8_t p, std::uint8_t q) {
        return static_cast<std::uint8_t>(std::lround(p + (q - p) * t));
    };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Picture Peg(TRgb outline, TRgb fill, TRgb shine, double outlineWidth)
{
    Picture pic(Side * Side, Background);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            TRgb p = Mix(Background, outline, Disc(x, y, 6.5));
            p = Mix(p, fill, Disc(x, y, 6.5 - outlineWidth));
            // A small highlight towards the top left gives the peg its roundness.
            const double h = std::clamp(1.8 - std::hypot(x - 5.0, y - 5.0), 0.0, 1.0);
            p = Mix(p, shine, 0.6 * h * Disc(x, y, 6.5 - outlineWidth));
            pic[static_cast<std::size_t>(y * Side + x)] = p;
        }
    }
    return pic;
}

std::string Bmp(const Picture &pic)
{
    const std::uint32_t rowBytes = (Side * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * Side;
    std::string s = "BM";
    Put32(s, 54 + pixelBytes);
    Put32(s, 0);
    Put32(s, 54);
    Put32(s, 40);
    Put32(s, Side);
    Put32(s, Side); // positive height: rows stored from the bottom
    Put16(s, 1);
    Put16(s, 24);
    Put32(s, 0);
    Put32(s, pixelBytes);
    Put32(s, 3780); // 96 dpi
    Put32(s, 3780);
    Put32(s, 0);
    Put32(s, 0);
    for (int y = Side - 1; y >= 0; --y) {
        for (int x = 0; x < Side; ++x) {
            const TRgb p = pic[static_cast<std::size_t>(y * Side + x)];
            s.push_back(static_cast<char>(p.b));
            s.push_back(static_cast<char>(p.g));
            s.push_back(static_cast<char>(p.r));
        }
        s.append(rowBytes - Side * 3, '\0');
    }
    return s;
}

// --- sounds -----------------------------------------------------------------

constexpr int Rate = 22050;

struct TNote {
    double start;  // seconds
    double freq;   // Hz
    double length; // seconds
    double volume;
};

std::vector<double> Render(const std::vector<TNote> &notes, double seconds)
{
    std::vector<double> mix(static_cast<std::size_t>(seconds * Rate), 0.0);
    for (const TNote &n : notes) {
        const auto first = static_cast<std::size_t>(n.start * Rate);
        const auto count = static_cast<std::size_t>(n.length * Rate);
        for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = static_cast<double>(i) / Rate;
            const double attack = std::min(1.0, t / 0.005);
            const double decay = std::exp(-4.0 * t / n.length);
            // A bell: the fundamental with a quieter inharmonic partial.
            const double wave = std::sin(2 * Pi * n.freq * t) +
                                0.35 * std::sin(2 * Pi * n.freq * 2.76 * t) * std::exp(-6.0 * t);
            mix[first + i] += n.volume * attack * decay * wave;
        }
    }
    // Fade the very end so that the sound never stops with a click.
    for (std::size_t i = 0; i < 200 && i < mix.size(); ++i)
        mix[mix.size() - 1 - i] *= static_cast<double>(i) / 200.0;
    return mix;
}

std::string Wav(const std::vector<double> &samples)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string s = "RIFF";
    Put32(s, 36 + dataBytes);
    s += "WAVEfmt ";
    Put32(s, 16);
    Put16(s, 1); // PCM
    Put16(s, 1); // mono
    Put32(s, Rate);
    Put32(s, Rate * 2); // bytes per second
    Put16(s, 2);        // block align
    Put16(s, 16);       // bits per sample
    s += "data";
    Put32(s, dataBytes);
    for (double v : samples) {
        const auto q = static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32000));
        Put16(s, static_cast<std::uint16_t>(q));
    }
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_assets FOLDER\n";
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";

    const Picture inPlace = Peg({0x40, 0x00, 0x00}, {0x8B, 0x00, 0x00}, {0xE0, 0x60, 0x60}, 1.0);
    const Picture elsewhere = Peg({0x30, 0x30, 0x30}, {0xF4, 0xF4, 0xF4}, {0xFF, 0xFF, 0xFF}, 1.6);

    const std::vector<TNote> chimes = {
        {0.00, 1318.5, 0.9, 0.30}, {0.18, 1046.5, 0.9, 0.30}, {0.36, 1568.0, 1.1, 0.30}};
    const std::vector<TNote> success = {{0.00, 523.3, 0.5, 0.28}, {0.12, 659.3, 0.5, 0.28},
                                        {0.24, 784.0, 0.5, 0.28}, {0.36, 1046.5, 1.1, 0.32},
                                        {0.36, 784.0, 1.1, 0.18}, {0.36, 659.3, 1.1, 0.14}};

    const bool ok = WriteFile(dir + "im1.bmp", Bmp(inPlace)) &&
                    WriteFile(dir + "im2.bmp", Bmp(elsewhere)) &&
                    WriteFile(dir + "chimes.wav", Wav(Render(chimes, 1.5))) &&
                    WriteFile(dir + "success.wav", Wav(Render(success, 1.6)));
    if (!ok) {
        std::cerr << "make_assets: cannot write into " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
