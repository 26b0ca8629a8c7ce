#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Runs the benchmarks of the program and then prints, last, lines
//
//   ratio: X what
//
// where X is usually how many times faster ours ran than the alternative:
// the time the alternative's benchmarks took over the time ours took, per
// iteration, summed over the pairs (higher is better for us).  Set against a
// floor, X is ours over the floor (lower is better).  Scripts read the lines.
//
// Run with repetitions, a benchmark stands for its best round, and only
// that round and the median are shown.  The machines we measure on switch
// between a fast and a slow state; with the rounds interleaved
// (--benchmark_enable_random_interleaving), both sides of a ratio get their
// share of the fast state, and their best rounds are comparable where two
// single runs may have met different states.  Interleaved rounds end in any
// order, so the table is printed at the end, in the order the benchmarks
// were registered.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

    // Seconds per iteration of a benchmark that ran, 0 for one that did not.
    double Seconds(const std::string &name) const
    {
        const auto it = secondsPerIteration_.find(name);
        return it == secondsPerIteration_.end() ? 0.0 : it->second;
    }

private:
    // Seconds per iteration of a round, or of an aggregate of rounds.
    static double PerIteration(const Run &run)
    {
        return run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    void KeepIfBest(const Run &round);

    std::map<std::string, double> secondsPerIteration_;
    // The best round so far of each benchmark run with repetitions.
    std::map<std::string, Run> bestRounds_;
    std::vector<Run> shown_;
};

// One ratio line: the time of the benchmarks named in Over over the time of
// those named in Under, summed over the pairs (Over[i], Under[i]) that both
// ran.
struct TMkRatio {
    std::vector<std::string> Over;
    std::vector<std::string> Under;
    std::string What;
};

// Runs every benchmark the command line selects and prints one ratio line
// for each comparison, in order.  Returns the program's exit status.
int MkRunWithRatios(int argc, char **argv, const std::vector<TMkRatio> &ratios);

// The usual comparison: how many times faster ours ran than theirs
// (ours[i] is compared with theirs[i]).
inline int MkRunWithRatio(int argc, char **argv, const std::vector<std::string> &ours,
                          const std::vector<std::string> &theirs, const std::string &what)
{
    return MkRunWithRatios(argc, argv, {{theirs, ours, what}});
}
