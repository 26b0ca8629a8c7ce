#include "game/WaveFile.h"

#include <cstdint>
#include <fstream>
#include <sys/stat.h>

namespace {

std::uint32_t Le32(const unsigned char *p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::uint16_t Le16(const unsigned char *p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool ReadExactly(std::ifstream &in, unsigned char *to, std::size_t n)
{
    in.read(reinterpret_cast<char *>(to), static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n;
}

// Walks the chunks after the RIFF header looking for "fmt " and "data".
bool HasPlayableChunks(std::ifstream &in)
{
    bool format = false;
    unsigned char header[8];
    while (ReadExactly(in, header, sizeof header)) {
        const std::uint32_t size = Le32(header + 4);
        const std::string id(reinterpret_cast<char *>(header), 4);
        if (id == "fmt ") {
            unsigned char fmt[16];
            if (size < sizeof fmt || !ReadExactly(in, fmt, sizeof fmt))
                return false;
            const std::uint16_t tag = Le16(fmt);
            const std::uint16_t channels = Le16(fmt + 2);
            const std::uint16_t bits = Le16(fmt + 14);
            format = (tag == 1 || tag == 0xFFFE) && channels > 0 && (bits == 8 || bits == 16);
            if (!format)
                return false;
            in.seekg(static_cast<std::streamoff>(size - sizeof fmt + (size & 1)), std::ios::cur);
        } else if (id == "data") {
            return format;
        } else {
            in.seekg(static_cast<std::streamoff>(size) + (size & 1), std::ios::cur);
        }
        if (!in)
            return false;
    }
    return false;
}

} // namespace

std::string CheckWaveFile(const std::string &fileName)
{
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0 || S_ISDIR(info.st_mode))
        return "The sound file " + fileName + " does not exist";
    std::ifstream in(fileName, std::ios::binary);
    unsigned char riff[12];
    if (!in)
        return "The sound file " + fileName + " cannot be read";
    if (!ReadExactly(in, riff, sizeof riff) ||
        std::string(reinterpret_cast<char *>(riff), 4) != "RIFF" ||
        std::string(reinterpret_cast<char *>(riff) + 8, 4) != "WAVE" || !HasPlayableChunks(in))
        return "The file " + fileName + " is not a playable WAV sound";
    return {};
}
