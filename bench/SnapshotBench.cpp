// Writing and reading the snapshot files of the scan, against cat of the same files.
#include <benchmark/benchmark.h>

#include "Figures.h"
#include "platform/Stdio.hpp"
#include "scan/RunState.h"
#include "scan/Scan.h"
#include "snapshot/Snapshot.h"

namespace bench {

std::vector<Figure> RegisterSnapshot(const BenchDrive &drive) {
    // Both files of the scan, as the first start makes them, for every benchmark here.
    ScanFolders();
    CopyNowToPrev();
    Crt::mkdir((DriveText + "\\Kavru").c_str());
    WriteSnapshots();

    benchmark::RegisterBenchmark("snapshot/WriteSnapshots",
                                 [](benchmark::State &state) {
                                     for (auto _ : state) WriteSnapshots();
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    // The same bytes into two files: what writing the pair costs at the least.
    benchmark::RegisterBenchmark(
        "snapshot/cat-write",
        [&drive](benchmark::State &state) {
            std::string data = drive.DataFolder();
            for (auto _ : state) {
                RunCommand({"cat", data + "/czenkai.txt"}, data + "/copy.txt");
                RunCommand({"cat", data + "/czenkai.bak"}, data + "/copy.bak");
            }
        })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("snapshot/ReadSnapshot",
                                 [](benchmark::State &state) {
                                     for (auto _ : state) ReadSnapshot();
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("snapshot/cat-read",
                                 [&drive](benchmark::State &state) {
                                     std::string file = drive.DataFolder() + "/czenkai.txt";
                                     for (auto _ : state) RunCommand({"cat", file});
                                 })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    return {{"WriteSnapshots, both files", "snapshot/WriteSnapshots", "snapshot/cat-write"},
            {"ReadSnapshot", "snapshot/ReadSnapshot", "snapshot/cat-read"}};
}

}  // namespace bench
