#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/DosPath.hpp"
#include "platform/SysUtils.hpp"
#include "support/TempDrives.h"

namespace {

using support::TempDrives;

TEST(DosPathDrives, RootsComeFromThePrefixAndZIsSlashWithoutALink) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    EXPECT_EQ(DosPath::DriveRoot('C'), c);
    EXPECT_EQ(DosPath::DriveRoot('c'), c);
    EXPECT_EQ(DosPath::DriveRoot('D'), std::nullopt);
    EXPECT_EQ(DosPath::DriveRoot('Z'), "/");
    EXPECT_EQ(DosPath::DriveRoot('1'), std::nullopt);

    // A z: of the prefix replaces the default.
    drives.LinkDrive('Z', c);
    EXPECT_EQ(DosPath::DriveRoot('Z'), c);
}

TEST(DosPathDrives, PrefixIsReadAgainWhenItChanges) {
    TempDrives outer;
    std::string outerC = outer.AddDrive('C');
    {
        TempDrives inner;
        std::string innerC = inner.AddDrive('C');
        EXPECT_EQ(DosPath::DriveRoot('C'), innerC);
        EXPECT_EQ(DosPath::DriveRoot('Z'), "/");
    }
    EXPECT_EQ(DosPath::DriveRoot('C'), outerC);

    // A relative prefix is no prefix at all: no drive but the default Z:.
    ::setenv("WINEPREFIX", "relative/prefix", 1);
    EXPECT_EQ(DosPath::DriveRoot('C'), std::nullopt);
    EXPECT_EQ(DosPath::DriveRoot('Z'), "/");
    ::setenv("WINEPREFIX", (outer.Prefix() + "//").c_str(), 1);  // trailing slashes dropped
    EXPECT_EQ(DosPath::DriveRoot('C'), outerC);
}

TEST(DosPathToHost, ComponentsAreFoundExactlyThenWithoutRegardToCase) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    drives.MakeFile(c + "/WINDOWS/system/KERNEL32.DLL");
    drives.MakeFile(c + "/Both/a.txt");
    drives.MakeFile(c + "/Both/A.TXT");
    drives.MakeFile(c + "/表示.dll");
    drives.MakeFile(c + "/Ｗｉｎ/ａ");  // full-width letters have case too
    drives.AddDrive('D');

    struct Case {
        const char *windows;
        std::string host;
    } cases[] = {
        {"C:\\Windows\\System\\Kernel32.dll", c + "/WINDOWS/system/KERNEL32.DLL"},
        {"c:/windows/SYSTEM/kernel32.dll", c + "/WINDOWS/system/KERNEL32.DLL"},
        {"C:\\Both\\A.TXT", c + "/Both/A.TXT"},  // the exact name wins
        {"C:\\Both\\a.txt", c + "/Both/a.txt"},
        {"C:\\\x95\x5C\x8E\xA6.dll", c + "/表示.dll"},                 // 0x5C inside a character
        {"C:\\\x82\x76\x82\x89\x82\x8E\\\x82\x60", c + "/Ｗｉｎ/ａ"},  // Ｗｉｎ\Ａ
        {"C:\\Windows\\Kavru\\czenkai.txt", c + "/WINDOWS/Kavru/czenkai.txt"},  // as written
        {"C:\\", c},
        {"C:\\Windows\\.\\System\\..\\..\\..\\Both", c + "/Both"},  // stops at the root
    };
    for (const Case &k : cases) {
        EXPECT_EQ(DosPath::ToHost(k.windows), k.host) << k.windows;
    }
    EXPECT_EQ(DosPath::ToHost("Q:\\Windows"), std::nullopt);
    EXPECT_EQ(DosPath::ToHost("\\\\server\\share"), std::nullopt);
}

TEST(DosPathToHost, RelativePathsStartAtTheCurrentDirectory) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    std::string d = drives.AddDrive('D');
    drives.MakeFolder(c + "/Windows/System");
    drives.MakeFolder(d + "/Tools");
    drives.ChangeDir(c + "/Windows");

    EXPECT_EQ(DosPath::ToHost("system"), c + "/Windows/System");
    EXPECT_EQ(DosPath::ToHost("..\\Kavru"), c + "/Kavru");
    EXPECT_EQ(DosPath::ToHost("\\Kavru"), c + "/Kavru");            // the current drive's root
    EXPECT_EQ(DosPath::ToHost("C:System"), c + "/Windows/System");  // same drive: current dir
    EXPECT_EQ(DosPath::ToHost("D:Tools"), d + "/Tools");            // other drive: its root
    EXPECT_EQ(DosPath::ToHost(""), c + "/Windows");
}

TEST(DosPathFromHost, DeepestDriveRootWinsAndTiesGoToTheLowestLetter) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    drives.MakeFolder(c + "/Windows/System");
    drives.MakeFolder(c + "/表示");
    drives.LinkDrive('E', c + "/Windows");  // deeper than C:
    drives.LinkDrive('D', c + "/Windows");  // same folder as E:, lower letter

    struct Case {
        std::string host;
        const char *windows;
    } cases[] = {
        {c, "C:\\"},
        {c + "/表示", "C:\\\x95\x5C\x8E\xA6"},
        {c + "/Windows", "D:\\"},
        {c + "/Windows/System", "D:\\System"},
        {c + "/Windows/./System/", "D:\\System"},
        {c + "/Windows/NotYet/file.txt", "D:\\NotYet\\file.txt"},  // need not exist
    };
    for (const Case &k : cases) {
        std::optional<AnsiString> got = DosPath::FromHost(k.host);
        ASSERT_TRUE(got.has_value()) << k.host;
        EXPECT_EQ(got->Bytes(), k.windows) << k.host;
    }
    // Z: is "/", so every host folder has a Windows path.
    std::string z = "Z:" + drives.Temp();
    for (char &ch : z) ch = ch == '/' ? '\\' : ch;
    EXPECT_EQ(DosPath::FromHost(drives.Temp())->Bytes(), z);

    // With z: linked elsewhere, a folder outside every drive has none.
    drives.LinkDrive('Z', c + "/表示");
    EXPECT_EQ(DosPath::FromHost(drives.Temp()), std::nullopt);
}

TEST(DosPathFromHost, CurrentDirectoryIsTheProcesssOwnMappedBack) {
    TempDrives drives;
    std::string d = drives.AddDrive('D');
    drives.MakeFolder(d + "/Tools");
    drives.ChangeDir(d + "/Tools");
    EXPECT_EQ(GetCurrentDir().Bytes(), "D:\\Tools");
    drives.ChangeDir(d);
    EXPECT_EQ(GetCurrentDir().Bytes(), "D:\\");
}

TEST(DosPathNames, NamesWindowsCannotHoldGetWineShortNames) {
    struct Case {
        const char *host;
        const char *listed;
    } cases[] = {
        {"Kernel32.dll", "Kernel32.dll"},
        {"表示.dll", "\x95\x5C\x8E\xA6.dll"},
        {"é.txt", "?.txt"},  // not in the code page, but Windows holds it
        {"a*b.txt", "A_B~~Y0Z.TXT"},
        {"what?", "WHAT~QG4"},
        {"tab\there.dll", "TAB_~M5T.DLL"},
        {"x:y", "X_Y~~R2X"},
        {"trailing ", "TRAI~A5W"},
        {"Report \"1\".Text", "REPO~DC5.TEX"},
        {"ab|c.d", "AB_C~YUP.D"},
        {"表*示.dll", "___~~PYX.DLL"},
        {".hid?den", "HID_~1UE"},
        {"a.b.c*", "AB~~~KEU.C_"},
        {"a¥b.dll", "A_B~~UEM.DLL"},  // the code page turns "¥" into "\"
    };
    for (const Case &k : cases) {
        EXPECT_EQ(DosPath::ListedName(k.host).Bytes(), k.listed) << k.host;
    }
}

TEST(DosPathNames, AShortNameLeadsBackToItsEntry) {
    TempDrives drives;
    std::string c = drives.AddDrive('C');
    drives.MakeFile(c + "/Windows/a*b.txt", "x");
    drives.MakeFile(c + "/Windows/a¥b.dll", "x");
    EXPECT_EQ(DosPath::ToHost("C:\\Windows\\A_B~~UEM.DLL"), c + "/Windows/a¥b.dll");
    EXPECT_EQ(DosPath::ToHost("C:\\Windows\\A_B~~Y0Z.TXT"), c + "/Windows/a*b.txt");
    EXPECT_EQ(DosPath::ToHost("C:\\Windows\\a_b~~y0z.txt"), c + "/Windows/a*b.txt");
    EXPECT_EQ(DosPath::FromHost(c + "/Windows/a*b.txt")->Bytes(), "C:\\Windows\\A_B~~Y0Z.TXT");
}

TEST(DosPathNames, CaseFoldingAndPatterns) {
    EXPECT_EQ(DosPath::CompareNoCase("KERNEL32.dll", "kernel32.DLL"), 0);
    EXPECT_EQ(DosPath::CompareNoCase("Ωmega", "ωMEGA"), 0);
    EXPECT_LT(DosPath::CompareNoCase("a", "B"), 0);
    EXPECT_LT(DosPath::CompareNoCase("Z", "_"), 0);  // letters fold upward, before "_"
    EXPECT_LT(DosPath::CompareNoCase("ab", "abc"), 0);

    struct Case {
        const char *name;
        const char *pattern;
        bool match;
    } cases[] = {
        {"README", "*.*", true},
        {"a.dll", "*.DLL", true},
        {"a.dll", "?.dll", true},
        {"ab.dll", "?.dll", false},
        {"czenkai.txt", "czenkai.txt", true},
        {"czenkai.txt", "CZENKAI.TXT", true},
        {"czenkai.bak", "czenkai.txt", false},
        {"a.b.c", "*.c", true},
        {"abc", "a*c*", true},
        {"", "*", true},
    };
    for (const Case &k : cases) {
        EXPECT_EQ(DosPath::MatchesPattern(k.name, k.pattern), k.match)
            << k.name << " " << k.pattern;
    }
}

TEST(SysUtilsTrim, RemovesControlBytesAndBlanksAtBothEnds) {
    struct Case {
        std::string in;
        std::string out;
    } cases[] = {
        {" 9:02:44\r\n", "9:02:44"},
        {std::string("\0\t97/05/03 9:02:44\x20\x1F", 20), "97/05/03 9:02:44"},
        {"\x95\x5C ", "\x95\x5C"},
        {"  \r\n", ""},
        {"", ""},
        {"!a!", "!a!"},  // 0x21 stays
    };
    for (const Case &k : cases) {
        EXPECT_EQ(Trim(AnsiString::FromBytes(k.in)).Bytes(), k.out);
    }
}

}  // namespace
