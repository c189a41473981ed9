// The file search on TSearchRec, over the host's folders as Wine presents them.
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <climits>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/DateTimeInternal.hpp"
#include "platform/DosPath.hpp"
#include "platform/SysUtils.hpp"

namespace {

// Windows' error codes, which the search returns as the run-time library does.
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kInvalidHandle = 6;
constexpr int kNoMoreFiles = 18;

// The attribute bits that must be asked for to be reported.
constexpr int kSpecial = faHidden | faSysFile | faVolumeID | faDirectory;

struct Entry {
    AnsiString name;         // as reported
    std::string sortName;    // the reported name in UTF-8, for the order
    std::u32string sortKey;  // sortName folded, made once for the sort
    std::string hostName;
    int attr = 0;
    int time = 0;
    TDateTime stamp = 0;
    int size = 0;
};

// Fills the entry's attributes and times from the host entry `st` describes.
bool Describe(const struct stat &st, const std::string &hostName, Entry &e) {
    e.attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) e.attr |= faReadOnly;
    if (!hostName.empty() && hostName[0] == '.' && hostName != "." && hostName != "..") {
        e.attr |= faHidden;
    }
    e.size = S_ISDIR(st.st_mode) ? 0 : static_cast<int>(std::min<off_t>(st.st_size, INT_MAX));

    // The last-write time in local time, floored to the packed form's two seconds.
    tm local{};
    time_t t = st.st_mtim.tv_sec;
    if (::localtime_r(&t, &local) == nullptr) return false;
    int year = local.tm_year + 1900;
    int sec = local.tm_sec & ~1;
    if (sec > 58) sec = 58;  // a leap second stays within its minute
    // A year the packed form cannot hold gets no packed time; the value still holds it.
    e.stamp = DateTimeInternal::FromLocalFields(year, local.tm_mon + 1, local.tm_mday,
                                                local.tm_hour, local.tm_min, sec);
    if (year >= 1980 && year <= 2107) {
        unsigned date =
            static_cast<unsigned>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
        unsigned time =
            static_cast<unsigned>((local.tm_hour << 11) | (local.tm_min << 5) | (sec / 2));
        e.time = static_cast<int>((date << 16) | time);
    } else {
        e.time = 0;
    }
    return true;
}

// Fills the entry from the host entry at `hostPath`; false when it cannot be stat'ed (a
// broken link, for instance), which leaves it out of the listing.
bool Describe(const std::string &hostPath, const std::string &hostName, Entry &e) {
    struct stat st {};
    if (::stat(hostPath.c_str(), &st) != 0) return false;
    return Describe(st, hostName, e);
}

// The same for the entry `hostName` of the open folder `dir`, found from the folder
// itself rather than by its whole path again.
bool Describe(DIR *dir, const std::string &hostName, Entry &e) {
    struct stat st {};
    if (::fstatat(::dirfd(dir), hostName.c_str(), &st, 0) != 0) return false;
    return Describe(st, hostName, e);
}

std::string Join(const std::string &folder, const std::string &name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// Case-insensitive order, ties by the reported bytes, then by the host's.
bool Before(const Entry &a, const Entry &b) {
    int c = a.sortKey.compare(b.sortKey);
    if (c != 0) return c < 0;
    if (a.name.Bytes() != b.name.Bytes()) return a.name.Bytes() < b.name.Bytes();
    return a.hostName < b.hostName;
}

// Each entry is handed out once, so its name moves into the record.
void Fill(TSearchRec &rec, Entry &e) {
    rec.Name = std::move(e.name);
    rec.Attr = e.attr;
    rec.Time = e.time;
    rec.TimeStamp = e.stamp;
    rec.Size = e.size;
}

bool HasWildcard(const AnsiString &s) { return s.Pos("*") > 0 || s.Pos("?") > 0; }

}  // namespace

struct TSearchListing {
    std::vector<Entry> entries;
    std::size_t next = 0;
};

int SearchFirst(const AnsiString &path, int attr, TSearchRec &rec) {
    rec.FindHandle.reset();
    rec.ExcludeAttr = ~attr & kSpecial;

    // Split off the last component, minding the second byte of double-byte characters.
    const std::string &b = path.Bytes();
    std::size_t split = std::string::npos;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(b[i])) && i + 1 < b.size()) {
            ++i;
        } else if (b[i] == '\\' || b[i] == '/') {
            split = i;
        }
    }
    std::size_t nameAt = split == std::string::npos ? 0 : split + 1;
    if (split == std::string::npos && b.size() >= 2 && b[1] == ':') nameAt = 2;
    AnsiString folder = AnsiString::FromBytes(std::string_view(b).substr(0, nameAt));
    AnsiString pattern = AnsiString::FromBytes(std::string_view(b).substr(nameAt));
    if (pattern.IsEmpty()) return kFileNotFound;

    auto listing = std::make_shared<TSearchListing>();
    if (HasWildcard(pattern)) {
        std::optional<std::string> host = DosPath::ToHost(folder.IsEmpty() ? "." : folder);
        if (!host) return kPathNotFound;
        DIR *dir = ::opendir(host->c_str());
        if (dir == nullptr) return kPathNotFound;
        std::vector<Entry> found;
        std::string hostPattern = DosPath::NameToHost(pattern);
        while (dirent *d = ::readdir(dir)) {
            std::string name = d->d_name;
            if (name == "." || name == "..") continue;
            Entry e;
            e.hostName = name;
            e.name = DosPath::ListedName(name);
            e.sortName =
                e.name.Bytes() == DosPath::NameFromHost(name).Bytes() ? name : e.name.Bytes();
            if (!DosPath::MatchesPattern(e.sortName, hostPattern)) continue;
            if (!Describe(dir, name, e)) continue;
            e.sortKey = DosPath::FoldedName(e.sortName);
            found.push_back(std::move(e));
        }
        ::closedir(dir);
        // The order is found on indexes, so that the entries move only once.
        std::vector<std::size_t> order(found.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(),
                  [&found](std::size_t x, std::size_t y) { return Before(found[x], found[y]); });

        // "." and ".." come first, except at a drive's root.
        if (!DosPath::IsDriveRoot(*host)) {
            for (const char *dot : {".", ".."}) {
                Entry e;
                e.name = dot;
                e.hostName = dot;
                e.sortName = dot;
                if (DosPath::MatchesPattern(dot, DosPath::NameToHost(pattern)) &&
                    Describe(Join(*host, dot), dot, e)) {
                    listing->entries.push_back(std::move(e));
                }
            }
        }
        listing->entries.reserve(listing->entries.size() + found.size());
        for (std::size_t i : order) listing->entries.push_back(std::move(found[i]));
    } else {
        std::optional<std::string> host = DosPath::ToHost(path);
        if (!host) return kPathNotFound;
        std::string name = host->substr(host->find_last_of('/') + 1);
        Entry e;
        e.hostName = name;
        e.name = DosPath::ListedName(name);
        if (!Describe(*host, name, e)) {
            std::optional<std::string> parent = DosPath::ToHost(folder.IsEmpty() ? "." : folder);
            struct stat st {};
            bool folderThere = parent && ::stat(parent->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            return folderThere ? kFileNotFound : kPathNotFound;
        }
        listing->entries.push_back(std::move(e));
    }

    // Entries with a special bit that was not asked for are passed over.
    std::erase_if(listing->entries,
                  [&](const Entry &e) { return (e.attr & rec.ExcludeAttr) != 0; });
    if (listing->entries.empty()) return kFileNotFound;
    Fill(rec, listing->entries[0]);
    listing->next = 1;
    rec.FindHandle = std::move(listing);
    return 0;
}

int SearchNext(TSearchRec &rec) {
    if (!rec.FindHandle) return kInvalidHandle;
    TSearchListing &l = *rec.FindHandle;
    if (l.next >= l.entries.size()) return kNoMoreFiles;
    Fill(rec, l.entries[l.next++]);
    return 0;
}

void SearchClose(TSearchRec &rec) { rec.FindHandle.reset(); }
