#include "BenchDrive.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char **environ;

namespace fs = std::filesystem;

namespace bench {

namespace {

[[noreturn]] void Fail(const std::string &what) {
    std::fprintf(stderr, "bench: %s\n", what.c_str());
    std::exit(2);
}

// Empty files with names of the lengths a Windows folder holds, and last-write times
// spread over a few years.
void Fill(const std::string &folder, int files, const char *stem) {
    for (int i = 0; i < files; ++i) {
        std::string path = folder + "/" + EntryName(stem, i);
        std::ofstream(path, std::ios::binary);
        timespec times[2];
        times[0].tv_sec = 852076800 + static_cast<time_t>(i) * 86399;  // from 1997 on
        times[0].tv_nsec = 0;
        times[1] = times[0];
        if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) Fail("cannot set " + path);
    }
}

}  // namespace

std::string EntryName(const char *stem, int i) {
    static const char *const extensions[] = {".dll", ".DLL", ".exe", ".ini", ".txt", ".drv"};
    char name[64];
    std::snprintf(name, sizeof name, "%s%0*d%s", stem, 3 + i % 5, i, extensions[i % 6]);
    return name;
}

BenchDrive::BenchDrive(int windowsEntries, int systemEntries) {
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp == '/' ? tmp : "/tmp") + "/quindral-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp failed");
    temp_ = fs::canonical(pattern).string();
    drive_ = temp_ + "/drive_c";
    windows_ = drive_ + "/Windows";
    system_ = windows_ + "/System";
    fs::create_directories(system_);
    fs::create_directories(temp_ + "/prefix/dosdevices");
    fs::create_directory_symlink(drive_, temp_ + "/prefix/dosdevices/c:");

    // ".", ".." and System in the Windows folder; ".", ".." and Kernel32.dll in System.
    Fill(windows_, windowsEntries - 3, "Module");
    std::ofstream(system_ + "/Kernel32.dll", std::ios::binary) << "MZ";
    Fill(system_, systemEntries - 3, "Sys");

    const char *old = std::getenv("WINEPREFIX");
    hadPrefix_ = old != nullptr;
    if (old != nullptr) oldPrefix_ = old;
    ::setenv("WINEPREFIX", (temp_ + "/prefix").c_str(), 1);
    ::setenv("TZ", "JST-9", 1);
    ::tzset();
}

BenchDrive::~BenchDrive() {
    if (hadPrefix_) {
        ::setenv("WINEPREFIX", oldPrefix_.c_str(), 1);
    } else {
        ::unsetenv("WINEPREFIX");
    }
    std::error_code ec;
    fs::current_path("/", ec);
    fs::remove_all(temp_, ec);
}

void RunCommand(const std::vector<std::string> &argv, const std::string &output) {
    std::vector<char *> args;
    for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) Fail("cannot run " + argv[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail(argv[0] + " failed");
}

std::string ReadHostFile(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace bench
