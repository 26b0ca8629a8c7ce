#include "RatioReporter.h"

#include <cstdio>

int MkRunWithRatio(int argc, char **argv, const std::vector<std::string> &ours,
                   const std::vector<std::string> &theirs, const std::string &what)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    double oursTotal = 0;
    double theirsTotal = 0;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i) {
        oursTotal += reporter.Seconds(ours[i]);
        theirsTotal += reporter.Seconds(theirs[i]);
    }
    if (oursTotal <= 0 || theirsTotal <= 0) {
        std::printf("ratio: none (%s did not run)\n", what.c_str());
        return 0;
    }
    std::printf("ratio: %.2f %s\n", theirsTotal / oursTotal, what.c_str());
    return 0;
}
