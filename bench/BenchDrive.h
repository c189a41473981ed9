// A temporary drive C: holding a Windows folder and its System folder with a given
// number of entries, for the benchmarks; and the running of the floor's host commands.
#pragma once

#include <string>
#include <vector>

namespace bench {

class BenchDrive {
public:
    // `windowsEntries` and `systemEntries` count every entry a listing reports: "." and
    // "..", and in the Windows folder its System folder. The System folder holds
    // Kernel32.dll, so that the Windows folder is found on C:.
    BenchDrive(int windowsEntries, int systemEntries);
    ~BenchDrive();
    BenchDrive(const BenchDrive &) = delete;
    BenchDrive &operator=(const BenchDrive &) = delete;

    const std::string &WindowsFolder() const { return windows_; }
    const std::string &SystemFolder() const { return system_; }
    // The data folder Kavru at the drive's root (made by the first snapshot).
    std::string DataFolder() const { return drive_ + "/Kavru"; }
    const std::string &Temp() const { return temp_; }

private:
    std::string temp_;
    std::string drive_;
    std::string windows_;
    std::string system_;
    std::string oldPrefix_;
    bool hadPrefix_ = false;
};

// The name of the i-th generated file of a folder: the stem, 3 to 7 digits, one of a
// few extensions, so that names differ in length as a Windows folder's do.
std::string EntryName(const char *stem, int i);

// Runs `argv` and waits for it, its standard output going to `output` (created or
// emptied). Aborts the benchmark run when the command cannot be run or fails.
void RunCommand(const std::vector<std::string> &argv, const std::string &output = "/dev/null");

// The bytes of a host file.
std::string ReadHostFile(const std::string &path);

}  // namespace bench
