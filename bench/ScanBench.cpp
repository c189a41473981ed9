// The scan of the Windows and System folders, against find listing the same two folders
// with their modification times.
#include <benchmark/benchmark.h>

#include "Figures.h"
#include "scan/Scan.h"

namespace bench {

std::vector<Figure> RegisterScan(const BenchDrive &drive) {
    benchmark::RegisterBenchmark("scan/ScanFolders",
                                 [](benchmark::State &state) {
                                     for (auto _ : state) ScanFolders();
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        "scan/find",
        [&drive](benchmark::State &state) {
            for (auto _ : state) {
                RunCommand({"find", drive.WindowsFolder(), drive.SystemFolder(), "-maxdepth", "1",
                            "-printf", "%p %TY-%Tm-%Td %TT\n"});
            }
        })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    return {{"ScanFolders, 4998 entries", "scan/ScanFolders", "scan/find"}};
}

}  // namespace bench
