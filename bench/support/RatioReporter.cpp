#include "RatioReporter.h"

#include <cstdio>

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
