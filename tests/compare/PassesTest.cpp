// The two detection passes on one folder section: which current entries each reports,
// the entry line, FoundAny, and where ListIndex is left.
#include <gtest/gtest.h>

#include "CompareFixture.h"
#include "compare/Compare.h"

namespace {

using compare_test::CompareFixture;
using compare_test::Entry;
using Lines = std::vector<std::string>;

using Passes = CompareFixture;

struct PassCase {
    const char *what;
    std::vector<Entry> previous;  // from slot 0
    int prevCount;                // slots loaded; -1: the whole table
    int prevStart;
    std::vector<Entry> current;  // from slot 0: the section walked and its end mark
    Lines rewritten;             // what FindRewritten appends
    Lines added;                 // what FindAdded appends
};

// Names of 21 bytes: the pad is 14 in both passes, the stamp at byte 45.
const PassCase PassCases[] = {
    {"a current section without entries",
     {{"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"}, {"*", "*"}},
     -1,
     0,
     {{"*", "*"}},
     {},
     {}},
    {"a previous section without entries",
     {{"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44",
      "       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"}},
    {"the same name and stamp",
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"}, {"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"}, {"*", "*"}},
     {},
     {}},
    {"stamps for one moment in another layout, or with a trailing blank",
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 09:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44 "},
      {"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44",
      "       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"},
     {}},
    {"names that differ in letter case or by a trailing blank",
     {{"C:\\Windows\\SAMPLE.DLL", "97/05/01 8:00:00"},
      {"C:\\Windows\\Alpha1.dll ", "97/05/01 8:00:00"},
      {"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Sample.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {},
     {"       C:\\Windows\\Sample.dll                97/05/03 9:02:44",
      "       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44"}},
    {"a name twice in the previous section, the first with the same stamp",
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"},
      {"C:\\Windows\\Beta01.dll", "97/05/01 8:00:00"},
      {"C:\\Windows\\Beta01.dll", "97/05/02 8:00:00"},
      {"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44",
      "       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"},
     {}},
    {"lines come in the order of the current section",
     {{"C:\\Windows\\Gamma1.dll", "97/05/01 8:00:00"},
      {"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"},
      {"*", "*"}},
     -1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Gamma1.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44",
      "       C:\\Windows\\Gamma1.dll                97/05/03 9:02:44"},
     {"       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"}},
    {"only the previous section at PrevStart counts",
     {{"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"},
      {"*", "*"},
      {"C:\\Windows\\Beta01.dll", "97/05/01 8:00:00"},
      {"*", "*"}},
     -1,
     2,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {"       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44"}},
    // The slots after the loaded one hold an older load's entries: they are not read.
    {"a previous section without its end mark ends at the loaded slots",
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/01 8:00:00"},
      {"*", "*"}},
     1,
     0,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
      {"C:\\Windows\\Beta01.dll", "97/05/03 9:02:44"},
      {"*", "*"}},
     {},
     {"       C:\\Windows\\Beta01.dll                97/05/03 9:02:44"}},
    {"a section that begins past the loaded slots is empty",
     {{"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"},
      {"*", "*"},
      {"C:\\Windows\\Alpha1.dll", "97/05/01 8:00:00"},
      {"*", "*"}},
     2,
     2,
     {{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"}, {"*", "*"}},
     {},
     {"       C:\\Windows\\Alpha1.dll                97/05/03 9:02:44"}},
};

TEST_F(Passes, ReportWhatEachPassLooksFor) {
    for (const PassCase &k : PassCases) {
        SCOPED_TRACE(k.what);
        Fill(PrevNames, PrevStamps, k.previous);
        PrevCount = k.prevCount < 0 ? static_cast<int>(k.previous.size()) : k.prevCount;
        SetCurrent(k.current);
        const int endMark = static_cast<int>(k.current.size()) - 1;

        struct {
            void (*pass)();
            const Lines &expected;
        } runs[] = {{FindRewritten, k.rewritten}, {FindAdded, k.added}};
        for (const auto &run : runs) {
            Form1->Memo1->Clear();
            ListIndex = 0;
            PrevStart = k.prevStart;
            FoundAny = run.expected.empty() ? 1 : 0;  // the opposite of the result

            run.pass();

            EXPECT_EQ(MemoLines(), run.expected);
            EXPECT_EQ(FoundAny, run.expected.empty() ? 0 : 1);
            EXPECT_EQ(ListIndex, endMark);
            EXPECT_EQ(PrevStart, k.prevStart);
        }
    }
}

TEST_F(Passes, APassStartsAtListIndexAndStopsOnItsEndMark) {
    SetPrevious({{"*", "*"}});
    SetCurrent({{"C:\\Windows\\Alpha1.dll", "97/05/03 9:02:44"},
                {"*", "*"},
                {"C:\\Windows\\System\\Gamma1.dll", "97/05/03 9:01:05"},
                {"*", "*"},
                {"C:\\Windows\\System\\Stale1.dll", "97/05/03 9:01:05"}});
    ListIndex = 2;
    PrevStart = 0;

    FindAdded();

    EXPECT_EQ(MemoLines(),
              Lines{"       C:\\Windows\\System\\Gamma1.dll         97/05/03 9:01:05"});
    EXPECT_EQ(ListIndex, 3);
}

// The pad fills the name up to 35 bytes, but by at most 25 blanks in FindRewritten and
// 20 in FindAdded; bytes are counted, so a double-byte character counts two.
TEST_F(Passes, ThePadCountsBytesUpToEachPassLimit) {
    struct Case {
        std::string name;
        std::string rewritten;
        std::string added;
    } cases[] = {
        {"C:\\Ab.dll",  // 9 bytes
         "       C:\\Ab.dll                           97/05/03 9:02:44",
         "       C:\\Ab.dll                      97/05/03 9:02:44"},
        {"C:\\Abc.dll",  // 10 bytes
         "       C:\\Abc.dll                           97/05/03 9:02:44",
         "       C:\\Abc.dll                      97/05/03 9:02:44"},
        {"C:\\Abcde.dll",  // 12 bytes: 23 and 20 blanks
         "       C:\\Abcde.dll                         97/05/03 9:02:44",
         "       C:\\Abcde.dll                      97/05/03 9:02:44"},
        {"C:\\Win\\Abcd.dll",  // 15 bytes
         "       C:\\Win\\Abcd.dll                      97/05/03 9:02:44",
         "       C:\\Win\\Abcd.dll                      97/05/03 9:02:44"},
        {"C:\\Windows\\\x95\\\x8E\xA6.dll",  // 19 bytes, 17 characters
         "       C:\\Windows\\\x95\\\x8E\xA6.dll                  97/05/03 9:02:44",
         "       C:\\Windows\\\x95\\\x8E\xA6.dll                  97/05/03 9:02:44"},
        {"C:\\Windows\\System\\ABCDEFGHIJKL.DLL",  // 34 bytes
         "       C:\\Windows\\System\\ABCDEFGHIJKL.DLL   97/05/03 9:02:44",
         "       C:\\Windows\\System\\ABCDEFGHIJKL.DLL   97/05/03 9:02:44"},
        {"C:\\Windows\\System\\ABCDEFGHIJKLM.DLL",  // 35 bytes
         "       C:\\Windows\\System\\ABCDEFGHIJKLM.DLL  97/05/03 9:02:44",
         "       C:\\Windows\\System\\ABCDEFGHIJKLM.DLL  97/05/03 9:02:44"},
        {"C:\\Windows\\System\\ABCDEFGHIJKLMNOPQR.DLL",  // 40 bytes
         "       C:\\Windows\\System\\ABCDEFGHIJKLMNOPQR.DLL  97/05/03 9:02:44",
         "       C:\\Windows\\System\\ABCDEFGHIJKLMNOPQR.DLL  97/05/03 9:02:44"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.name);
        SetCurrent({{k.name, "97/05/03 9:02:44"}, {"*", "*"}});

        SetPrevious({{k.name, "97/05/01 8:00:00"}, {"*", "*"}});
        Form1->Memo1->Clear();
        ListIndex = 0;
        FindRewritten();
        EXPECT_EQ(MemoLines(), Lines{k.rewritten});

        SetPrevious({{"*", "*"}});
        Form1->Memo1->Clear();
        ListIndex = 0;
        FindAdded();
        EXPECT_EQ(MemoLines(), Lines{k.added});
    }
}

}  // namespace
