#include <gtest/gtest.h>

#include "platform/System.hpp"

namespace {

TEST(AnsiStringTest, Utf8LiteralsBecomeCodePage932Bytes) {
    struct Case {
        const char8_t *text;
        std::string bytes;
    } cases[] = {
        {u8"比　較(&H)", "\x94\xE4\x81\x40\x8A\x72(&H)"},
        {u8"表示.dll", "\x95\x5C\x8E\xA6.dll"},
        {u8"ｸﾘｯﾌﾟ", "\xB8\xD8\xAF\xCC\xDF"},
        {u8"C:\\Windows", "C:\\Windows"},
        {u8"é€", "??"},  // not in the code page
        {u8"", ""},
    };
    for (const Case &c : cases) {
        AnsiString s(c.text);
        EXPECT_EQ(s.Bytes(), c.bytes) << reinterpret_cast<const char *>(c.text);
        EXPECT_EQ(s.Length(), static_cast<int>(c.bytes.size()));
    }
}

TEST(AnsiStringTest, BytesGoBackToUtf8) {
    EXPECT_EQ(AnsiString("\x95\x5C\x8E\xA6.dll").ToUtf8(), "表示.dll");
    // A lone lead byte at the end is no character.
    EXPECT_EQ(AnsiString("A\x95").ToUtf8(), "A?");
}

TEST(AnsiStringTest, SubStringCountsBytesFromOneAndClips) {
    AnsiString s("9:05:03");
    EXPECT_EQ(s.SubString(1, 1), AnsiString("9"));
    EXPECT_EQ(s.SubString(3, 2), AnsiString("05"));
    EXPECT_EQ(s.SubString(6, 5), AnsiString("03"));
    EXPECT_EQ(s.SubString(8, 2), AnsiString(""));
    EXPECT_EQ(s.SubString(20, 2), AnsiString(""));
    EXPECT_EQ(s.SubString(1, 0), AnsiString(""));
}

TEST(AnsiStringTest, EqualityIsByBytes) {
    EXPECT_NE(AnsiString("C:\\Windows\\Sample.dll"), AnsiString("C:\\Windows\\SAMPLE.DLL"));
    EXPECT_NE(AnsiString("a "), AnsiString("a"));
    EXPECT_EQ(AnsiString(u8"比"), AnsiString("\x94\xE4"));
}

TEST(AnsiStringTest, LeadBytesAreFoundFromTheStart) {
    // 0x95 0x5C: the trail byte is a backslash; 0x81 0x81 0x40: the second 0x81 trails.
    AnsiString s(
        "\x95\x5C"
        "a\x81\x81\x81\x40");
    EXPECT_TRUE(s.IsLeadByte(1));
    EXPECT_FALSE(s.IsLeadByte(2));
    EXPECT_FALSE(s.IsLeadByte(3));
    EXPECT_TRUE(s.IsLeadByte(4));
    EXPECT_FALSE(s.IsLeadByte(5));
    EXPECT_TRUE(s.IsLeadByte(6));
}

TEST(AnsiStringTest, FormatFillsEachPercentS) {
    EXPECT_EQ(Format(u8"ﾌｧｲﾙ %s を作成できません", {"C:\\Kavru\\Z1.log"}).Bytes(),
              "\xCC\xA7\xB2\xD9 C:\\Kavru\\Z1.log "
              "\x82\xF0\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1");
}

TEST(DynamicArrayTest, AnIndexOutsideRaisesInsteadOfTouchingMemory) {
    DynamicArray<AnsiString> a;
    a.SetLength(2);
    a[1] = "x";
    EXPECT_THROW(a[2], ERangeError);
    EXPECT_THROW(a[-1], ERangeError);
}

}  // namespace
