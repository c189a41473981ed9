#include "support/TempDrives.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace support {

namespace {

void SetOrUnset(const char *name, bool had, const std::string &value) {
    if (had) {
        ::setenv(name, value.c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

// Lets the removal reach folders a test made read-only or unreadable.
void OpenUp(const fs::path &root) {
    std::error_code ec;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
}

}  // namespace

FixedTimeZone::FixedTimeZone(const char *tz) {
    const char *old = std::getenv("TZ");
    hadOld_ = old != nullptr;
    if (old != nullptr) old_ = old;
    ::setenv("TZ", tz, 1);
    ::tzset();
}

FixedTimeZone::~FixedTimeZone() {
    SetOrUnset("TZ", hadOld_, old_);
    ::tzset();
}

FixedClock::FixedClock(std::vector<std::string> readings) : reads_(std::make_shared<int>(0)) {
    std::vector<PlatformTesting::ClockReading> moments;
    for (const std::string &text : readings) {
        PlatformTesting::ClockReading r;
        double seconds = 0;
        if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%lf", &r.Year, &r.Month, &r.Day, &r.Hour,
                        &r.Minute, &seconds) != 6) {
            ADD_FAILURE() << "bad time text " << text;
        }
        r.Second = static_cast<int>(seconds);
        r.Millisecond = static_cast<int>(std::lround((seconds - r.Second) * 1000));
        moments.push_back(r);
    }
    if (moments.empty()) moments.emplace_back();
    std::shared_ptr<int> reads = reads_;
    PlatformTesting::SetClock([moments, reads] {
        std::size_t i = static_cast<std::size_t>(*reads);
        ++*reads;
        return moments[i < moments.size() ? i : moments.size() - 1];
    });
}

FixedClock::~FixedClock() { PlatformTesting::SetClock(nullptr); }

FixedLocale::FixedLocale(const PlatformTesting::LocaleValues &values) {
    PlatformTesting::InstallLocale(values);
    PlatformTesting::AnnounceSettingsChange();
}

FixedLocale::~FixedLocale() {
    PlatformTesting::InstallLocale(PlatformTesting::JapaneseLocale());
    PlatformTesting::AnnounceSettingsChange();
}

TempDrives::TempDrives() {
    const char *tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp == '/' ? tmp : "/tmp") + "/quindral-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    temp_ = fs::canonical(pattern).string();
    prefix_ = temp_ + "/prefix";
    fs::create_directories(prefix_ + "/dosdevices");

    const char *old = std::getenv("WINEPREFIX");
    hadPrefix_ = old != nullptr;
    if (old != nullptr) oldPrefix_ = old;
    ::setenv("WINEPREFIX", prefix_.c_str(), 1);
    oldDir_ = fs::current_path().string();
}

TempDrives::~TempDrives() {
    std::error_code ec;
    fs::current_path(oldDir_, ec);
    SetOrUnset("WINEPREFIX", hadPrefix_, oldPrefix_);
    OpenUp(temp_);
    fs::remove_all(temp_, ec);
}

std::string TempDrives::AddDrive(char letter) {
    char l = static_cast<char>(letter | 0x20);
    std::string folder = temp_ + "/drive_" + l;
    fs::create_directories(folder);
    LinkDrive(l, folder);
    return folder;
}

void TempDrives::LinkDrive(char letter, const std::string &hostFolder) {
    char l = static_cast<char>(letter | 0x20);
    fs::path link = prefix_ + "/dosdevices/" + l + ":";
    std::error_code ec;
    fs::remove(link, ec);
    fs::create_directory_symlink(hostFolder, link);
}

void TempDrives::ChangeDir(const std::string &hostPath) { fs::current_path(hostPath); }

std::string TempDrives::MakeFolder(const std::string &hostPath) {
    fs::create_directories(hostPath);
    return hostPath;
}

std::string TempDrives::MakeFile(const std::string &hostPath, const std::string &bytes) {
    fs::path p(hostPath);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) ADD_FAILURE() << "cannot write " << hostPath;
    return hostPath;
}

void TempDrives::SetMTime(const std::string &hostPath, const char *when) {
    std::tm tm{};
    double seconds = 0;
    if (std::sscanf(when, "%d-%d-%d %d:%d:%lf", &tm.tm_year, &tm.tm_mon, &tm.tm_mday, &tm.tm_hour,
                    &tm.tm_min, &seconds) != 6) {
        ADD_FAILURE() << "bad time text " << when;
        return;
    }
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    double whole = std::floor(seconds);
    tm.tm_sec = static_cast<int>(whole);
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    timespec times[2];
    times[0].tv_sec = t;
    times[0].tv_nsec = static_cast<long>(std::lround((seconds - whole) * 1e9));
    times[1] = times[0];
    if (::utimensat(AT_FDCWD, hostPath.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0) {
        ADD_FAILURE() << "cannot set the time of " << hostPath;
    }
}

std::string TempDrives::ReadBytes(const std::string &hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << hostPath;
        return std::string();
    }
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void TempDrives::WriteBytes(const std::string &hostPath, const std::string &bytes) {
    MakeFile(hostPath, bytes);
}

}  // namespace support
