// Runs the benchmarks, then prints each figure with its ratio to the floor
// (copying the bytes of one room in memory).
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                results_.emplace_back(run.benchmark_name(), run.GetAdjustedRealTime() * ToNanoseconds(run.time_unit));
    }

    void PrintSummary() const
    {
        double floor = 0;
        for (const auto& [name, ns] : results_)
            if (name.rfind("BM_Floor", 0) == 0)
                floor = ns;
        std::printf("\n%-36s %14s %14s\n", "benchmark", "time (us)", "x floor");
        for (const auto& [name, ns] : results_)
            std::printf("%-36s %14.2f %14.1f\n", name.c_str(), ns / 1000.0, floor > 0 ? ns / floor : 0.0);
    }

private:
    static double ToNanoseconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond: return 1e9;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kMicrosecond: return 1e3;
        default: return 1.0;
        }
    }
    std::vector<std::pair<std::string, double>> results_;
};

}  // namespace

int main(int argc, char** argv)
{
    // QImage's BMP reader is a plugin-free part of QtGui, but it wants an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
