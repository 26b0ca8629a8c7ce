#include "RatioReporter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using TRun = benchmark::BenchmarkReporter::Run;

// A run of name that took perIteration seconds for each of 100 iterations;
// family places it in the order of registration.
TRun Round(const std::string &name, std::int64_t family, double perIteration, int repetitions)
{
    TRun run;
    run.run_name.function_name = name;
    run.family_index = family;
    run.per_family_instance_index = 0;
    run.iterations = 100;
    run.repetitions = repetitions;
    run.time_unit = benchmark::kNanosecond;
    run.real_accumulated_time = perIteration * 100;
    run.cpu_accumulated_time = run.real_accumulated_time;
    return run;
}

// The median as the library reports it: its count of iterations is that of
// the rounds, and its time is the median's time per iteration as often.
TRun Median(const std::string &name, std::int64_t family, double perIteration, int rounds)
{
    TRun run = Round(name, family, perIteration, rounds);
    run.run_type = TRun::RT_Aggregate;
    run.aggregate_name = "median";
    run.iterations = rounds;
    run.real_accumulated_time = perIteration * rounds;
    return run;
}

class RatioReporterTest : public ::testing::Test {
protected:
    RatioReporterTest()
    {
        reporter.SetOutputStream(&out);
        reporter.SetErrorStream(&out);
    }
    std::ostringstream out;
    TRatioReporter reporter;
};

TEST_F(RatioReporterTest, ABenchmarkInRoundsStandsForItsBestRound)
{
    // Rounds end in any order: the slow state met the second one.
    reporter.ReportRuns(
        {Round("row", 0, 3e-6, 3), Round("row", 0, 2e-6, 3), Round("row", 0, 6e-6, 3)});
    reporter.ReportRuns({Median("row", 0, 3e-6, 3)});
    EXPECT_DOUBLE_EQ(reporter.Seconds("row"), 2e-6);

    // Without its rounds (aggregates only), the median stands for it.
    reporter.ReportRuns({Median("floor", 1, 4e-7, 3)});
    EXPECT_DOUBLE_EQ(reporter.Seconds("floor"), 4e-7);

    // A single run stands for itself; one that did not run is 0.
    reporter.ReportRuns({Round("once", 2, 5e-6, 1)});
    EXPECT_DOUBLE_EQ(reporter.Seconds("once"), 5e-6);
    EXPECT_EQ(reporter.Seconds("missing"), 0.0);
}

TEST_F(RatioReporterTest, TheTableComesAtTheEndInRegistrationOrder)
{
    reporter.ReportRuns({Round("second", 1, 1e-6, 2), Round("second", 1, 2e-6, 2)});
    reporter.ReportRuns({Round("first", 0, 3e-6, 2), Round("first", 0, 4e-6, 2)});
    reporter.ReportRuns({Median("second", 1, 1.5e-6, 2)});
    reporter.ReportRuns({Median("first", 0, 3.5e-6, 2)});
    EXPECT_EQ(out.str(), "");

    reporter.Finalize();
    const std::string table = out.str();
    const std::size_t firstBest = table.find("first_best");
    const std::size_t firstMedian = table.find("first_median");
    const std::size_t secondBest = table.find("second_best");
    ASSERT_NE(secondBest, std::string::npos);
    EXPECT_LT(firstBest, firstMedian);
    EXPECT_LT(firstMedian, secondBest);
    // The rounds themselves are not shown, nor any other aggregate.
    EXPECT_EQ(table.find("first "), std::string::npos);
    EXPECT_EQ(table.find("_mean"), std::string::npos);
}

} // namespace
