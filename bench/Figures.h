// The figures the benchmark run prints at its end: each the time of one benchmark as a
// ratio against the time of its floor, both measured in the same run.
#pragma once

#include <string>
#include <vector>

#include "BenchDrive.h"

namespace bench {

struct Figure {
    std::string label;    // what was measured, for the table
    std::string subject;  // the benchmark's name
    std::string floor;    // the floor benchmark's name
};

// Each registers its benchmarks (subjects and floors) and returns its figures. The drive
// is the one of the whole run, with DriveText and WinDirName already located on it.
std::vector<Figure> RegisterScan(const BenchDrive &drive);
std::vector<Figure> RegisterSnapshot(const BenchDrive &drive);
std::vector<Figure> RegisterCompare(const BenchDrive &drive);

}  // namespace bench
