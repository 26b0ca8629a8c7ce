// How long "Genera parola" keeps the window busy: a draw over the real word
// list (about 102,000 lines) for each length, with a fresh seed each time.
// The skip may run past the end of the list, so a draw often reads the file
// more than once.

#include "game/RandomGenerator.h"
#include "game/Scoring.h"
#include "game/WordDraw.h"

#include <benchmark/benchmark.h>

static void DrawWordFromTheGameList(benchmark::State &state)
{
    const int length = static_cast<int>(state.range(0));
    std::uint32_t seed = 1;
    TRandomGenerator random([&seed] { return seed = seed * 2654435761u + 12345u; });
    for (auto _ : state) {
        const std::string word = DrawWord(VESMAR_WORD_LIST, length, random);
        if (static_cast<int>(word.size()) != length)
            state.SkipWithError("no word drawn");
        benchmark::DoNotOptimize(word);
    }
}
BENCHMARK(DrawWordFromTheGameList)->DenseRange(4, 10)->Unit(benchmark::kMillisecond);

static void ScoreAndBuildARow(benchmark::State &state)
{
    for (auto _ : state) {
        const TPunteggio p = ValutaPunteggio("precisione", "prestigioe");
        benchmark::DoNotOptimize(RigaRisultato("prestigioe", p.Esatte, p.Spostate));
    }
}
BENCHMARK(ScoreAndBuildARow);

BENCHMARK_MAIN();
