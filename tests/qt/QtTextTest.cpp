#include <gtest/gtest.h>

#include "platform/qt/QtText.hpp"

namespace {

TEST(QtTextTest, EditTextGivesOneCharacterForEachCharacterOfTheCodePage) {
    struct Case {
        std::string bytes;
        const char16_t *shown;
    } cases[] = {
        {"abc\r\ndef\r\n", u"abc\ndef\n"},
        {"\x94\xE4\x81\x40\x8A\x72(&H)", u"比　較(&H)"},
        {"\xB8\xD8\xAF\xCC\xDF\xCE\xDE", u"ｸﾘｯﾌﾟﾎﾞ"},
        {"\x95\x5C\x8E\xA6", u"表示"},  // a trail byte that looks like "\"
        {"A\x95", u"A?"},               // a lead byte without its second byte
        {"\x95\r\nB", u"?\nB"},         // nor is a line end its second byte
        {"a\rb\nc", u"a\nb\nc"},        // lone line ends still end lines
        {"", u""},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(QtText::EditText(c.bytes), QString::fromUtf16(c.shown)) << c.bytes;
    }
}

TEST(QtTextTest, BytePositionsBecomeCharacterPositions) {
    // 比　較 CR LF a b: six bytes of three characters, a line end of two bytes.
    const std::string text = "\x94\xE4\x81\x40\x8A\x72\r\nab";
    struct Case {
        int byte, character;
    } cases[] = {
        {0, 0}, {1, 0}, {2, 1},  {4, 2},     {5, 2},  {6, 3}, {7, 3},  // inside the CR LF
        {8, 4}, {9, 5}, {10, 6}, {10000, 6}, {-3, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(QtText::CharPosition(text, c.byte), c.character) << "byte " << c.byte;
    }
}

TEST(QtTextTest, TextEndsCleanlyWhenNothingAppendedCanJoinItsLastCharacter) {
    struct Case {
        std::string bytes;
        bool clean;
    } cases[] = {
        {"", true},
        {"ab\r\n", true},
        {"ab\r", false},   // an LF would make it one line end
        {"a\x95", false},  // a second byte would make it one character
        {"\x95\x5C", true},
        {"\x95\x95", true},  // the second 0x95 is the trail byte
        {"\x95\x95\x95", false},
        {"\x95\x95\r\n\x95", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(QtText::EndsCleanly(c.bytes), c.clean) << c.bytes;
        if (c.clean) {
            EXPECT_EQ(QtText::EditText(c.bytes + "\x95\x5Cz\r\n"),
                      QtText::EditText(c.bytes) + QtText::EditText("\x95\x5Cz\r\n"));
        }
    }
}

}  // namespace
