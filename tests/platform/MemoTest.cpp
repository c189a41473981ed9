// The text area: its text as code page 932 bytes with CR LF line ends, its lines, its
// selection in byte positions, and the copy of the selection to the clipboard.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clipbrd.hpp"
#include "platform/Forms.hpp"
#include "platform/StdCtrls.hpp"
#include "support/HeadlessApp.h"

namespace {

std::string Bytes(const AnsiString &s) { return s.Bytes(); }

std::vector<std::string> LinesOf(TMemo &memo) {
    std::vector<std::string> lines;
    for (int i = 0; i < memo.Lines->Count(); ++i) lines.push_back(memo.Lines->Get(i).Bytes());
    return lines;
}

TEST(MemoTest, TextAndLinesAgree) {
    struct Case {
        const char *what;
        std::function<void(TMemo &)> steps;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"new", [](TMemo &) {}, "", {}},
        {"two lines added",
         [](TMemo &m) {
             m.Lines->Add("Memo1");
             m.Lines->Add(u8"前回 97/05/01");
         },
         "Memo1\r\n\x91\x4F\x89\xF1 97/05/01\r\n",
         {"Memo1", "\x91\x4F\x89\xF1 97/05/01"}},
        {"cleared",
         [](TMemo &m) {
             m.Lines->Add("Memo1");
             m.Clear();
         },
         "",
         {}},
        {"a line after clearing",
         [](TMemo &m) {
             m.Lines->Add("Memo1");
             m.Clear();
             m.Lines->Add("a");
         },
         "a\r\n",
         {"a"}},
        {"an empty line", [](TMemo &m) { m.Lines->Add(""); }, "\r\n", {""}},
        {"a text without a final line end gets one before the next line",
         [](TMemo &m) {
             m.Text = "abc";
             m.Lines->Add("x");
         },
         "abc\r\nx\r\n",
         {"abc", "x"}},
        {"a line inserted before another",
         [](TMemo &m) {
             m.Lines->Add("a");
             m.Lines->Add("c");
             m.Lines->Insert(1, "b");
         },
         "a\r\nb\r\nc\r\n",
         {"a", "b", "c"}},
        {"a line holding a line end is two lines",
         [](TMemo &m) {
             m.Lines->Add("x");
             m.Lines->Add("a\r\nb");
             m.Lines->Add("c");
         },
         "x\r\na\r\nb\r\nc\r\n",
         {"x", "a", "b", "c"}},
        {"lone LF and CR end lines too",
         [](TMemo &m) { m.Text = "a\nb\rc"; },
         "a\nb\rc",
         {"a", "b", "c"}},
        {"after a lone CR the next line follows it",
         [](TMemo &m) {
             m.Text = "a\r";
             m.Lines->Add("\nb");
         },
         "a\r\nb\r\n",
         {"a", "b"}},
        {"the list's text replaces the memo's",
         [](TMemo &m) {
             m.Lines->Add("old");
             m.Lines->SetText("x\r\ny");
         },
         "x\r\ny\r\n",
         {"x", "y"}},
    };
    for (const Case &c : cases) {
        TMemo memo(nullptr);
        c.steps(memo);
        EXPECT_EQ(Bytes(memo.Text), c.text) << c.what;
        EXPECT_EQ(LinesOf(memo), c.lines) << c.what;
        EXPECT_EQ(memo.Lines->Count(), static_cast<int>(c.lines.size())) << c.what;
    }
}

TEST(MemoTest, ALineOutsideTheListIsARangeError) {
    TMemo memo(nullptr);
    memo.Lines->Add("a");
    EXPECT_THROW(memo.Lines->Get(1), ERangeError);
    EXPECT_THROW(memo.Lines->Get(-1), ERangeError);
    EXPECT_THROW(memo.Lines->Insert(2, "x"), ERangeError);
}

TEST(MemoTest, SelectionCountsBytesAndIsClippedToTheText) {
    struct Case {
        const char *what;
        std::function<void(TMemo &)> select;
        int start, length;
    } cases[] = {
        {"start and length", [](TMemo &m) { m.SelStart = 0, m.SelLength = 3; }, 0, 3},
        {"an end past the text is its end", [](TMemo &m) { m.SelStart = 2, m.SelLength = 10000; },
         2, 6},
        {"a huge length", [](TMemo &m) { m.SelStart = 2, m.SelLength = INT_MAX; }, 2, 6},
        {"a start past the text", [](TMemo &m) { m.SelStart = 20; }, 8, 0},
        {"a negative start", [](TMemo &m) { m.SelStart = -5; }, 0, 0},
        {"a negative length selects backwards", [](TMemo &m) { m.SelStart = 5, m.SelLength = -2; },
         3, 2},
        {"setting the start empties the selection",
         [](TMemo &m) { m.SelStart = 3, m.SelLength = 2, m.SelStart = 1; }, 1, 0},
        {"a new text puts the caret at 0",
         [](TMemo &m) { m.SelStart = 4, m.SelLength = 2, m.Text = "ab\r\ncd\r\n"; }, 0, 0},
        {"an added line puts the caret after it",
         [](TMemo &m) { m.SelStart = 1, m.Lines->Add("e"); }, 11, 0},
    };
    for (const Case &c : cases) {
        TMemo memo(nullptr);
        memo.Text = "ab\r\ncd\r\n";
        c.select(memo);
        EXPECT_EQ(memo.SelStart, c.start) << c.what;
        EXPECT_EQ(memo.SelLength, c.length) << c.what;
    }
}

TEST(MemoTest, CopyToClipboardCopiesTheSelectionWithoutSplittingACharacter) {
    struct Case {
        const char *what;
        std::string text;
        int start, length;
        bool copies;
        std::string copied;
    } cases[] = {
        {"a short text whole", "abc", 0, 10000, true, "abc"},
        {"a line end counts two", "ab\r\ncd\r\n", 0, 4, true, "ab\r\n"},
        {"cut inside a line", "ab\r\ncd\r\n", 0, 5, true, "ab\r\nc"},
        {"from a later start", "ab\r\ncd\r\n", 4, 2, true, "cd"},
        {"a character cut in two is left out", "\x94\xE4\x81\x40\x8A\x72", 0, 3, true, "\x94\xE4"},
        {"whole double-byte characters", "\x94\xE4\x81\x40\x8A\x72", 0, 4, true,
         "\x94\xE4\x81\x40"},
        {"half-width katakana are one byte each", "\xB8\xD8\xAF\xCC\xDF", 0, 3, true,
         "\xB8\xD8\xAF"},
        // 95 5C and 81 81 are characters: the second 81 trails, though it could lead.
        {"a trail byte that looks like a lead byte", "\x95\x5C\x81\x81\x81\x40", 0, 4, true,
         "\x95\x5C\x81\x81"},
        {"a lead byte after such a trail byte", "\x95\x5C\x81\x81\x81\x40", 0, 5, true,
         "\x95\x5C\x81\x81"},
        {"an empty selection copies nothing", "abc", 1, 0, false, ""},
        {"half a character copies nothing", "\x94\xE4", 0, 1, false, ""},
        {"an empty text copies nothing", "", 0, 10000, false, ""},
    };
    for (const Case &c : cases) {
        support::HeadlessApp app;
        app.Widgets().ClipboardSetText("before");
        TMemo memo(nullptr);
        memo.Text = AnsiString::FromBytes(c.text);
        memo.SelStart = c.start;
        memo.SelLength = c.length;
        memo.CopyToClipboard();
        EXPECT_TRUE(app.Widgets().ClipboardHasText) << c.what;
        EXPECT_EQ(Bytes(app.Widgets().ClipboardText), c.copies ? c.copied : "before") << c.what;
        // The selection stays as it was set.
        EXPECT_EQ(memo.SelStart, c.start) << c.what;
    }
}

TEST(MemoTest, ALongTextGivesTheClipboardItsFirst10000Positions) {
    support::HeadlessApp app;
    TMemo memo(nullptr);
    std::string line = "C:\\Windows\\System\\Kernel32.dll\r\n";  // 32 bytes
    for (int i = 0; i < 400; ++i) memo.Lines->Add(AnsiString::FromBytes(line.substr(0, 30)));
    Clipboard()->Clear();
    memo.SelStart = 0;
    memo.SelLength = 10000;
    memo.CopyToClipboard();
    std::string expected;
    for (int i = 0; i < 312; ++i) expected += line;  // 9984 bytes
    expected += "C:\\Windows\\Syste";                // 16 more, cut inside the line
    ASSERT_EQ(app.Widgets().ClipboardText.Length(), 10000);
    EXPECT_TRUE(Bytes(app.Widgets().ClipboardText) == expected);
    EXPECT_EQ(memo.SelLength, 10000);
}

TEST(MemoTest, ClipboardClearEmptiesItAndTextReplacesIt) {
    support::HeadlessApp app;
    Clipboard()->AsText = u8"比較";
    EXPECT_EQ(Bytes(app.Widgets().ClipboardText), "\x94\xE4\x8A\x72");
    Clipboard()->Clear();
    EXPECT_FALSE(app.Widgets().ClipboardHasText);
    EXPECT_EQ(app.Widgets().ClipboardClears, 1);
    Clipboard()->SetTextBuf("x");
    EXPECT_EQ(Bytes(app.Widgets().ClipboardText), "x");
}

}  // namespace
