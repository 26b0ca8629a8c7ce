// How fast the game reads its word list, beside the fastest plain way.
//
// A 600,000-line list made from the game's word list: one full pass of the
// dictionary reader beside a memchr line count of the same file in the same
// process; a draw of a length the list holds, and of one it does not (which
// ends after its full pass).  Then the memory a draw takes over a list whose
// only line is 100 MB long: it ends with no word ("Errore!") and must not
// keep the line.
//
// The last line printed is the ratio of the memchr count's time to the
// reader's.

#include "HeapCounter.h"
#include "RatioReporter.h"

#include "app/HeapSettings.h"
#include "game/DictionaryReader.h"
#include "game/RandomGenerator.h"
#include "game/WordDraw.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ListLines = 600'000;

struct TLists {
    std::filesystem::path folder;
    std::string list;     // 600,000 lines
    std::string longLine; // one line of 100 MB
    int absentLength = 0;
};

const TLists &Lists()
{
    static const TLists lists = [] {
        TLists made;
        made.folder = std::filesystem::temp_directory_path() / "vesmar-bench";
        std::filesystem::create_directories(made.folder);
        std::vector<std::string> words;
        std::ifstream in(VESMAR_WORD_LIST);
        std::size_t longest = 0;
        for (std::string word; std::getline(in, word);) {
            words.push_back(word);
            longest = std::max(longest, word.size());
        }
        made.absentLength = static_cast<int>(longest) + 1;
        made.list = (made.folder / "list.txt").string();
        std::ofstream out(made.list, std::ios::binary);
        for (int i = 0; i < ListLines; ++i)
            out << words[static_cast<std::size_t>(i) % words.size()] << '\n';
        made.longLine = (made.folder / "long.txt").string();
        std::ofstream(made.longLine, std::ios::binary) << std::string(100'000'000, 'x') << '\n';
        return made;
    }();
    return lists;
}

TRandomGenerator Random()
{
    static std::uint32_t seed = 1;
    return TRandomGenerator([] { return seed = seed * 2654435761u + 12345u; });
}

void ReaderPass(benchmark::State &state)
{
    const std::string &path = Lists().list;
    TDictionaryLine line;
    for (auto _ : state) {
        TDictionaryReader reader(path, 11);
        std::size_t lines = 0;
        while (reader.Next(line))
            ++lines;
        if (lines != ListLines)
            state.SkipWithError("wrong line count");
    }
}

void MemchrCount(benchmark::State &state)
{
    const std::string &path = Lists().list;
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        std::size_t lines = 0;
        for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
            const char *p = buffer.data();
            const char *end = p + got;
            while ((p = static_cast<const char *>(std::memchr(p, '\n', end - p))) != nullptr) {
                ++lines;
                ++p;
            }
        }
        ::close(fd);
        benchmark::DoNotOptimize(lines);
    }
}

void DrawPresent(benchmark::State &state)
{
    TRandomGenerator random = Random();
    for (auto _ : state)
        if (DrawWord(Lists().list, 5, random).size() != 5)
            state.SkipWithError("no word drawn");
}

void DrawAbsent(benchmark::State &state)
{
    TRandomGenerator random = Random();
    for (auto _ : state)
        if (!DrawWord(Lists().list, Lists().absentLength, random).empty())
            state.SkipWithError("a word of a length the list lacks");
}

void DrawOverOneLongLine(benchmark::State &state)
{
    TRandomGenerator random = Random();
    std::size_t extra = 0;
    for (auto _ : state) {
        const std::size_t before = MkHeapLive();
        MkHeapResetPeak();
        if (!DrawWord(Lists().longLine, 5, random).empty())
            state.SkipWithError("a word from a list without one");
        extra = std::max(extra, MkHeapPeak() - before);
    }
    state.counters["extra_heap_KiB"] = static_cast<double>(extra) / 1024;
    if (extra >= 1 << 20)
        state.SkipWithError("the draw took 1 MB of heap or more");
}

} // namespace

BENCHMARK(ReaderPass)->Name("DictionaryPass/Vesmar")->Unit(benchmark::kMillisecond);
BENCHMARK(MemchrCount)->Name("DictionaryPass/memchr")->Unit(benchmark::kMillisecond);
BENCHMARK(DrawPresent)->Name("GeneraParola/present")->Unit(benchmark::kMillisecond);
BENCHMARK(DrawAbsent)->Name("GeneraParola/absent")->Unit(benchmark::kMillisecond);
BENCHMARK(DrawOverOneLongLine)->Name("GeneraParola/one100MBLine")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    MkKeepHeapForRepaints();
    Lists();
    const int status =
        MkRunWithRatio(argc, argv, {"DictionaryPass/Vesmar"}, {"DictionaryPass/memchr"},
                       "dictionary reading, Vesmar against a memchr line count");
    std::filesystem::remove_all(Lists().folder);
    return status;
}
