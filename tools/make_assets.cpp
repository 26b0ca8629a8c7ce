// Writes the game's own pictures and sounds into a folder:
//   im1.bmp      a letter in place: a filled dark-red peg
//   im2.bmp      a letter elsewhere: a light peg with a dark outline
//   chimes.wav   a word has been drawn: three soft bell strokes
//   success.wav  the word was found: a rising arpeggio
// The pegs differ in brightness and shape, not only in hue, so that they can
// be told apart without colour vision.  The bottom-left pixel of each picture
// holds the background colour, which the list draws transparent.
//
// With --icon it writes the program's icon for the desktop instead, as a
// hicolor icon theme tree under FOLDER: hicolor/scalable/apps/NAME.svg and
// hicolor/NxN/apps/NAME.png for the usual sizes.  The icon is the one the
// window shows (app/VesmarIcon.cpp): a "V" over a dark-red and a light peg on
// a board in the results list's colour.
//
// usage: make_assets FOLDER
//        make_assets --icon NAME FOLDER

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>
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

// --- the program's icon -----------------------------------------------------

// The icon is drawn on a 32-unit grid, the grid of the window icon, so that
// the numbers below can be checked against app/VesmarIcon.cpp.  The SVG and
// every PNG size are made from this one description.
constexpr double IconGrid = 32;

struct TPoint {
    double x, y;
};

struct TRoundedSquare {
    double left, top, side, radius;
    TRgb fill, edge;
    double edgeWidth;
};

struct TRing {
    double cx, cy, radius;
    TRgb fill, edge;
    double edgeWidth;
};

// The board: a rounded square in the colour of the results list.
constexpr TRoundedSquare Board{1.5, 1.5, 29, 5, {0xFF, 0xFF, 0xE1}, {0x80, 0x80, 0x60}, 1.0};

// The bold "V" of the window icon (DejaVu Sans Bold, 20 units, centred in
// the top of the board), as its outline so that the icon needs no font.
constexpr TRgb LetterInk{0x44, 0x00, 0x00};
constexpr std::array<TPoint, 7> Letter{{{8.36, 2.34},
                                        {12.14, 2.34},
                                        {16.02, 13.11},
                                        {19.88, 2.34},
                                        {23.66, 2.34},
                                        {18.25, 16.92},
                                        {13.77, 16.92}}};

// The two pegs of a scored row: a letter in place, a letter elsewhere.
constexpr std::array<TRing, 2> IconPegs{{
    {10, 25, 4, {0x8B, 0x00, 0x00}, {0x40, 0x00, 0x00}, 1.0},
    {22, 25, 4, {0xF4, 0xF4, 0xF4}, {0x30, 0x30, 0x30}, 1.5},
}};

constexpr std::array<int, 7> IconSizes{16, 24, 32, 48, 64, 128, 256};

bool InRoundedSquare(TPoint p, double left, double top, double side, double radius)
{
    const double half = side / 2;
    const double dx = std::abs(p.x - (left + half));
    const double dy = std::abs(p.y - (top + half));
    if (dx > half || dy > half)
        return false;
    const double cx = std::max(dx - (half - radius), 0.0);
    const double cy = std::max(dy - (half - radius), 0.0);
    return cx * cx + cy * cy <= radius * radius;
}

bool InPolygon(TPoint p, const std::array<TPoint, 7> &poly)
{
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const TPoint a = poly[i];
        const TPoint b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// The colour of the icon at a point of the grid, or nothing outside the
// board.  Shapes are painted as the window icon paints them: each fill, then
// its outline centred on the fill's edge, later shapes over earlier ones.
bool IconColourAt(TPoint p, TRgb &colour)
{
    bool painted = false;
    const TRoundedSquare &b = Board;
    const double bw = b.edgeWidth / 2;
    if (InRoundedSquare(p, b.left - bw, b.top - bw, b.side + 2 * bw, b.radius + bw)) {
        const bool inner =
            InRoundedSquare(p, b.left + bw, b.top + bw, b.side - 2 * bw, b.radius - bw);
        colour = inner ? b.fill : b.edge;
        painted = true;
    }
    if (InPolygon(p, Letter)) {
        colour = LetterInk;
        painted = true;
    }
    for (const TRing &peg : IconPegs) {
        const double d = std::hypot(p.x - peg.cx, p.y - peg.cy);
        if (d <= peg.radius + peg.edgeWidth / 2) {
            colour = d <= peg.radius - peg.edgeWidth / 2 ? peg.fill : peg.edge;
            painted = true;
        }
    }
    return painted;
}

struct TRgba {
    std::uint8_t r, g, b, a;
};

// Draws the icon at side x side pixels, each pixel the average of a grid of
// samples, so that edges are smooth at every size.
std::vector<TRgba> DrawIcon(int side)
{
    constexpr int Samples = 8; // per pixel and direction
    std::vector<TRgba> pixels(static_cast<std::size_t>(side * side), TRgba{0, 0, 0, 0});
    const double scale = IconGrid / side;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const TPoint p{(x + (sx + 0.5) / Samples) * scale,
                                   (y + (sy + 0.5) / Samples) * scale};
                    TRgb c{};
                    if (IconColourAt(p, c)) {
                        r += c.r;
                        g += c.g;
                        b += c.b;
                        ++covered;
                    }
                }
            }
            if (covered == 0)
                continue;
            // Straight (not premultiplied) alpha, as PNG stores it.
            auto channel = [covered](double sum) {
                return static_cast<std::uint8_t>(std::lround(sum / covered));
            };
            pixels[static_cast<std::size_t>(y * side + x)] = {
                channel(r), channel(g), channel(b),
                static_cast<std::uint8_t>(std::lround(255.0 * covered / (Samples * Samples)))};
        }
    }
    return pixels;
}

std::string Hex(TRgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string Number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

std::string IconSvg()
{
    const std::string grid = Number(IconGrid);
    std::string s = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                    grid + "\" height=\"" + grid + "\" viewBox=\"0 0 " + grid + " " + grid +
                    "\">\n  <title>Vesmar</title>\n";
    s += "  <rect x=\"" + Number(Board.left) + "\" y=\"" + Number(Board.top) + "\" width=\"" +
         Number(Board.side) + "\" height=\"" + Number(Board.side) + "\" rx=\"" +
         Number(Board.radius) + "\" fill=\"" + Hex(Board.fill) + "\" stroke=\"" + Hex(Board.edge) +
         "\" stroke-width=\"" + Number(Board.edgeWidth) + "\"/>\n";
    s += "  <polygon points=\"";
    for (std::size_t i = 0; i < Letter.size(); ++i)
        s += (i ? " " : "") + Number(Letter[i].x) + "," + Number(Letter[i].y);
    s += "\" fill=\"" + Hex(LetterInk) + "\"/>\n";
    for (const TRing &peg : IconPegs)
        s += "  <circle cx=\"" + Number(peg.cx) + "\" cy=\"" + Number(peg.cy) + "\" r=\"" +
             Number(peg.radius) + "\" fill=\"" + Hex(peg.fill) + "\" stroke=\"" + Hex(peg.edge) +
             "\" stroke-width=\"" + Number(peg.edgeWidth) + "\"/>\n";
    s += "</svg>\n";
    return s;
}

// PNG stores its numbers big-endian.
void PutBig32(std::string &s, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        s.push_back(static_cast<char>((v >> shift) & 0xFF));
}

std::uint32_t Crc32(const std::string &bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (const char ch : bytes) {
        crc ^= static_cast<std::uint8_t>(ch);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::uint32_t Adler32(const std::string &bytes)
{
    std::uint32_t a = 1, b = 0;
    for (const char ch : bytes) {
        a = (a + static_cast<std::uint8_t>(ch)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

// A zlib stream of stored deflate blocks: no compression, so no library, and
// the icons are small enough for that not to matter.
std::string ZlibStored(const std::string &data)
{
    std::string s = "\x78\x01"; // deflate, 32 KiB window, no dictionary
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(data.size() - at, 65535);
        const bool last = at + length == data.size();
        s.push_back(last ? '\x01' : '\x00');
        Put16(s, static_cast<unsigned>(length));
        Put16(s, static_cast<unsigned>(~length & 0xFFFF));
        s.append(data, at, length);
        at += length;
    } while (at < data.size());
    PutBig32(s, Adler32(data));
    return s;
}

void PutChunk(std::string &png, const char *type, const std::string &data)
{
    PutBig32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = type + data;
    png += typed;
    PutBig32(png, Crc32(typed));
}

std::string Png(const std::vector<TRgba> &pixels, int side)
{
    std::string header;
    PutBig32(header, static_cast<std::uint32_t>(side));
    PutBig32(header, static_cast<std::uint32_t>(side));
    header += '\x08';       // bits per channel
    header += '\x06';       // RGBA
    header.append(3, '\0'); // deflate, adaptive filters, no interlace

    std::string scanlines;
    for (int y = 0; y < side; ++y) {
        scanlines.push_back('\0'); // filter: none
        for (int x = 0; x < side; ++x) {
            const TRgba p = pixels[static_cast<std::size_t>(y * side + x)];
            scanlines.push_back(static_cast<char>(p.r));
            scanlines.push_back(static_cast<char>(p.g));
            scanlines.push_back(static_cast<char>(p.b));
            scanlines.push_back(static_cast<char>(p.a));
        }
    }

    std::string png = "\x89PNG\r\n\x1A\n";
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", ZlibStored(scanlines));
    PutChunk(png, "IEND", "");
    return png;
}

bool WriteIcons(const std::string &name, const std::filesystem::path &folder)
{
    const std::filesystem::path theme = folder / "hicolor";
    std::error_code error;
    std::filesystem::create_directories(theme / "scalable" / "apps", error);
    bool ok =
        !error && WriteFile((theme / "scalable" / "apps" / (name + ".svg")).string(), IconSvg());
    for (const int side : IconSizes) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        std::filesystem::create_directories(theme / size / "apps", error);
        ok = ok && !error &&
             WriteFile((theme / size / "apps" / (name + ".png")).string(),
                       Png(DrawIcon(side), side));
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string(argv[1]) == "--icon") {
        if (!WriteIcons(argv[2], argv[3])) {
            std::cerr << "make_assets: cannot write the icons into " << argv[3] << "\n";
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::cerr << "usage: make_assets FOLDER\n"
                     "       make_assets --icon NAME FOLDER\n";
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
