// Runs the benchmarks, then prints each figure with its ratio to its anchor
// and its goal. --benchmark_out still writes every run for tools.
#include <benchmark/benchmark.h>

#ifdef VELMORA_BENCH_WIDGETS
#include <QApplication>
#else
#include <QGuiApplication>
#endif

#include <algorithm>
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
        // With --benchmark_repetitions each figure keeps its quickest run:
        // on a shared machine the others measure the neighbours too.
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const double ns = run.GetAdjustedCPUTime() * ToNanoseconds(run.time_unit);
            std::string name = run.run_name.str();
            // Figures timed as the whole process's CPU keep their own name here.
            const std::string processTime = "/process_time";
            if (name.ends_with(processTime))
                name.resize(name.size() - processTime.size());
            auto it = std::find_if(results_.begin(), results_.end(), [&](const auto& r) { return r.first == name; });
            if (it == results_.end())
                results_.emplace_back(name, ns);
            else
                it->second = std::min(it->second, ns);
        }
    }

    // Each figure beside its anchor: the floor (copying a room's bytes),
    // bare libjpeg-turbo on the same pixels, or Qt's own BMP reader; a goal in
    // microseconds stands alone. Times are CPU times: on a machine shared
    // with other work, wall time also counts the waits for a core.
    void PrintSummary() const
    {
        struct Figure {
            const char* name;
            const char* anchor;  // nullptr: the goal is in microseconds
            double goal;
        };
        static constexpr Figure kFigures[] = {
            {"BM_ReadRoom_Default", "BM_Floor_CopyRoomBytes", 4},
            {"BM_ReadRoom_Noise", "BM_Floor_CopyRoomBytes", 4},
            {"BM_WriteRoom_Noise", "BM_Floor_CopyRoomBytes", 8},
            {"BM_Decode40Bmps_Ours", "BM_Decode40Bmps_QImage", 1},
            {"BM_ComposeOne", nullptr, 8},
            {"BM_ComposeAll48States", nullptr, 400},
            {"BM_ExportJpegQuality80", "BM_Anchor_LibjpegQuality80", 1.1},
            {"BM_ConvertNoiseToRoomPicture", nullptr, 5000},
            {"BM_DitherNoise_FS", nullptr, 5000},
            {"BM_DitherNoise_Ordered", nullptr, 3000},
            {"BM_CoverDither640x480_FS", nullptr, 50000},
            {"BM_ImportDialog640x480_FS", nullptr, 50000},
            {"BM_PaintDabToComposedRoom", nullptr, 20},
            {"BM_FloodFill320x240", nullptr, 300},
            {"BM_CanvasRepaint32x4K", nullptr, 8000},
            {"BM_CanvasDabRepaint", nullptr, 1000},
            {"BM_AnimateDoorGif_Scale1", nullptr, 3000},
            {"BM_AnimateDoorGif_Scale4", nullptr, 25000},
            {"BM_AnimateDoorApng_Scale1", nullptr, 5000},
            {"BM_AnimateDoorWebp_Scale1", nullptr, 40000},
            {"BM_Sheet48_Scale1", nullptr, 30000},
            {"BM_ExportOra_Default", nullptr, 15000},
            {"BM_ImportOra_Default", nullptr, 15000},
            // zlib's share of the OpenRaster figures: the ratio column.
            {"BM_Zlib_OraDeflate", "BM_ExportOra_Default", 1},
            {"BM_Zlib_OraInflate", "BM_ImportOra_Default", 1},
            {"BM_ExportAse_Default", nullptr, 10000},
            {"BM_ImportAse_Default", nullptr, 10000},
            {"BM_RoundDab16BothAxesToComposedRoom", nullptr, 40},
            {"BM_ShadeInk96x76", nullptr, 200},
            {"BM_GradientFill320x240", nullptr, 2000},
            {"BM_Rotate90Selection320x240", nullptr, 300},
        };
        auto timeOf = [this](const std::string& name) {
            for (const auto& [n, ns] : results_)
                if (n == name)
                    return ns;
            return 0.0;
        };
        std::printf("\n%-28s %11s  %-28s %9s %8s\n", "figure", "CPU (us)", "anchor", "x anchor", "goal");
        for (const auto& [name, ns] : results_) {
            const Figure* figure = nullptr;
            for (const Figure& f : kFigures)
                if (name == f.name)
                    figure = &f;
            if (!figure) {
                std::printf("%-28s %11.2f\n", name.c_str(), ns / 1000.0);
                continue;
            }
            if (!figure->anchor) {
                std::printf("%-28s %11.2f  %-28s %9s %6.0fus %s\n", name.c_str(), ns / 1000.0, "", "", figure->goal,
                            ns / 1000.0 <= figure->goal ? "met" : "MISSED");
                continue;
            }
            const double anchor = timeOf(figure->anchor);
            if (anchor <= 0) {
                std::printf("%-28s %11.2f  %-28s %9s\n", name.c_str(), ns / 1000.0, figure->anchor, "not run");
                continue;
            }
            const double ratio = ns / anchor;
            std::printf("%-28s %11.2f  %-28s %9.2f %7.1fx %s\n", name.c_str(), ns / 1000.0, figure->anchor, ratio,
                        figure->goal, ratio <= figure->goal ? "met" : "MISSED");
        }
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
    // QImage's BMP reader is a plugin-free part of QtGui, but it wants an
    // application object; the painter's canvas is a widget.
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef VELMORA_BENCH_WIDGETS
    QApplication app(argc, argv);  // the import dialog's benchmark shows widgets
#else
    QGuiApplication app(argc, argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary();
    benchmark::Shutdown();
    return 0;
}
