#include "RatioReporter.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The pairs (Over[i], Under[i]) of which both ran, their times summed.
void Sum(const TRatioReporter &reporter, const TMkRatio &ratio, double &over, double &under)
{
    over = 0;
    under = 0;
    for (std::size_t i = 0; i < ratio.Over.size() && i < ratio.Under.size(); ++i) {
        const double a = reporter.Seconds(ratio.Over[i]);
        const double b = reporter.Seconds(ratio.Under[i]);
        if (a > 0 && b > 0) {
            over += a;
            under += b;
        }
    }
}

} // namespace

void TRatioReporter::KeepIfBest(const Run &round)
{
    const std::string name = round.run_name.str();
    const auto it = bestRounds_.find(name);
    if (it == bestRounds_.end())
        bestRounds_.emplace(name, round);
    else if (PerIteration(round) < PerIteration(it->second))
        it->second = round;
}

// The rounds of a benchmark with repetitions come first, then its
// aggregates: the best round is shown in place of the rounds, beside the
// median, and has the last word.
void TRatioReporter::ReportRuns(const std::vector<Run> &runs)
{
    for (const Run &run : runs) {
        const std::string name = run.run_name.str();
        if (run.error_occurred || run.iterations <= 0) {
            shown_.push_back(run);
        } else if (run.run_type == Run::RT_Iteration && run.repetitions > 1) {
            KeepIfBest(run);
        } else if (run.run_type == Run::RT_Iteration) {
            secondsPerIteration_[name] = PerIteration(run);
            shown_.push_back(run);
        } else if (run.aggregate_name == "median") {
            secondsPerIteration_[name] = PerIteration(run);
            if (const auto best = bestRounds_.find(name); best != bestRounds_.end()) {
                Run bestRound = best->second;
                bestRound.run_type = Run::RT_Aggregate;
                bestRound.aggregate_name = "best";
                shown_.push_back(bestRound);
                secondsPerIteration_[name] = PerIteration(bestRound);
            }
            shown_.push_back(run);
        }
    }
}

void TRatioReporter::Finalize()
{
    std::stable_sort(shown_.begin(), shown_.end(), [](const Run &a, const Run &b) {
        return std::pair(a.family_index, a.per_family_instance_index) <
               std::pair(b.family_index, b.per_family_instance_index);
    });
    if (!shown_.empty())
        ConsoleReporter::ReportRuns(shown_);
    shown_.clear();
    ConsoleReporter::Finalize();
}

int MkRunWithRatios(int argc, char **argv, const std::vector<TMkRatio> &ratios)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const TMkRatio &ratio : ratios) {
        double over = 0;
        double under = 0;
        Sum(reporter, ratio, over, under);
        if (over <= 0 || under <= 0)
            std::printf("ratio: none (%s did not run)\n", ratio.What.c_str());
        else
            std::printf("ratio: %.2f %s\n", over / under, ratio.What.c_str());
    }
    return 0;
}
