#include "game/WordDraw.h"

#include "game/DictionaryReader.h"
#include "game/RandomGenerator.h"

#include <cstdint>
#include <memory>
#include <sys/stat.h>

namespace {

// The largest skip drawn: lines past 589,998 are reached only by searching.
constexpr std::int32_t SkipBound = 590000;

struct TCandidate {
    std::string text;       // the first length + 1 bytes of the line
    std::size_t length = 0; // its full length
};

// Reads up to count - 1 lines; the candidate keeps the last one read, or what
// it held before when none was read.
void Skip(TDictionaryReader &reader, std::int32_t count, TCandidate &candidate)
{
    TDictionaryLine line;
    bool read = false;
    for (std::int32_t i = 1; i < count && reader.Next(line); ++i)
        read = true;
    if (read) {
        candidate.length = line.Length;
        candidate.text.assign(line.Kept);
    }
}

} // namespace

bool DictionaryExists(const std::string &path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string DrawWord(const std::string &path, int length, TRandomGenerator &random)
{
    const auto wanted = static_cast<std::size_t>(length < 0 ? 0 : length);
    const std::size_t keep = wanted + 1;
    auto reader = std::make_unique<TDictionaryReader>(path, keep);
    random.Reseed();
    std::int32_t n = random.RandomBetween(1, SkipBound);

    TCandidate candidate;
    Skip(*reader, n, candidate);
    // A pass whose skip reads at most the first line tests every line of the
    // file; if such a pass ends without a match, no line has the length and
    // searching again would never end.
    bool passFromStart = n <= 2;
    TDictionaryLine line;
    while (candidate.length != wanted) {
        // Only a line of the wanted length is copied: it ends the search.
        if (reader->Next(line)) {
            candidate.length = line.Length;
            if (line.Length == wanted)
                candidate.text.assign(line.Kept);
            continue;
        }
        if (passFromStart)
            return {};
        n = random.RandomBetween(1, n - 1);
        reader.reset(); // close before opening again
        reader = std::make_unique<TDictionaryReader>(path, keep);
        Skip(*reader, n, candidate);
        passFromStart = n <= 2;
    }
    return candidate.text;
}
