// The benchmark run: one drive of 4998 entries, every benchmark with its floor, and at
// the end the table of figures, each the median time as a ratio against its floor's.
//
//   quindral_bench [--benchmark_filter=...] [--benchmark_repetitions=N]
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "BenchDrive.h"
#include "Figures.h"
#include "app/Unit1.h"
#include "platform/Forms.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"

namespace {

// Shows what the console shows and keeps each benchmark's median real time (the plain
// run's time where there are no repetitions).
class FigureReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred) continue;
            bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type == Run::RT_Aggregate && !median) continue;
            std::string name = run.run_name.function_name;
            if (median || times_.count(name) == 0) {
                times_[name] = run.GetAdjustedRealTime() /
                               benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
            }
        }
    }

    void PrintFigures(const std::vector<bench::Figure> &figures) const {
        std::printf("\n%-40s %12s %12s %8s\n", "figure", "time (ms)", "floor (ms)", "ratio");
        for (const bench::Figure &f : figures) {
            auto subject = times_.find(f.subject);
            auto floor = times_.find(f.floor);
            if (subject == times_.end() || floor == times_.end()) continue;
            std::printf("%-40s %12.3f %12.3f %8.2f\n", f.label.c_str(), subject->second,
                        floor->second, subject->second / floor->second);
        }
    }

private:
    std::map<std::string, double> times_;  // milliseconds
};

}  // namespace

int main(int argc, char **argv) {
    // Nine repetitions unless asked otherwise, the median the figure. Each benchmark's
    // repetitions run one after the other, next to its floor's: shuffled in among the
    // others, they would meet the heap as the comparisons of 20000 entries leave it.
    std::vector<char *> args(argv, argv + argc);
    bool repetitionsGiven = false;
    for (char *a : args) repetitionsGiven |= std::strncmp(a, "--benchmark_repetitions", 23) == 0;
    std::string repetitions = "--benchmark_repetitions=9";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    if (!repetitionsGiven) {
        args.push_back(repetitions.data());
        args.push_back(aggregates.data());
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    // The main window as the program makes it, headless: its start-up locates the Windows
    // folder on the drive and writes the first snapshot.
    bench::BenchDrive drive(2000, 2998);
    Application->CreateForm<TForm1>(&Form1);
    ScanFolders();
    int marks = 0;
    int slot = 0;
    for (; marks < 2; ++slot) marks += NowNames[slot] == "*" ? 1 : 0;
    if (DriveText != "C:" || slot - 2 != 4998) {
        std::fprintf(stderr, "bench: the scan found %d entries on %s, not 4998 on C:\n", slot - 2,
                     DriveText.c_str());
        return 2;
    }

    std::vector<bench::Figure> figures;
    for (auto reg : {bench::RegisterScan, bench::RegisterSnapshot, bench::RegisterCompare}) {
        std::vector<bench::Figure> more = reg(drive);
        figures.insert(figures.end(), more.begin(), more.end());
    }
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintFigures(figures);
    benchmark::Shutdown();
    return 0;
}
