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
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the benchmark; it comes
        // after the single runs, so it has the last word.
        for (const Run &run : runs)
            if (Counts(run))
                secondsPerIteration_[run.run_name.str()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
    }

    // Seconds per iteration of a benchmark that ran, 0 for one that did not.
    double Seconds(const std::string &name) const
    {
        const auto it = secondsPerIteration_.find(name);
        return it == secondsPerIteration_.end() ? 0.0 : it->second;
    }

private:
    static bool Counts(const Run &run)
    {
        if (run.error_occurred || run.iterations <= 0)
            return false;
        return run.run_type == Run::RT_Iteration ||
               (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median");
    }

    std::map<std::string, double> secondsPerIteration_;
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
