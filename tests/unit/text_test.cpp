#include "platform/text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using wavelith::utf16ToUtf8;
using wavelith::utf8ToUtf16;

// ASCII runs are copied a word at a time: every run length on both sides of each kind of
// character must land on the same text as one unit at a time would.
TEST(Text, AsciiRunsOfEveryLengthAroundOtherCharacters) {
    struct Piece {
        std::string utf8;
        std::u16string utf16;
    };
    const Piece pieces[] = {{"\xC3\xA9", u"\u00E9"}, {"\xE6\x97\xA5", u"\u65E5"}, {"\xF0\x9F\x98\x80", u"\U0001F600"}};
    for (size_t before = 0; before < 20; ++before) {
        for (const Piece& piece : pieces) {
            std::string ascii8 = "abcdefghijklmnopqrstuvwxyz0123456789";
            std::u16string ascii16 = u"abcdefghijklmnopqrstuvwxyz0123456789";
            size_t after = (before * 7) % 19;
            std::string text8 = ascii8.substr(0, before) + piece.utf8 + ascii8.substr(0, after) + piece.utf8;
            std::u16string text16 = ascii16.substr(0, before) + piece.utf16 + ascii16.substr(0, after) + piece.utf16;
            EXPECT_EQ(utf8ToUtf16(text8), text16) << before;
            EXPECT_EQ(utf16ToUtf8(text16), text8) << before;
        }
    }
    // Malformed units inside ASCII runs still become U+FFFD each.
    EXPECT_EQ(utf8ToUtf16("abcdefghi\xFFjklmnopq\xE6\x97"), u"abcdefghi\uFFFDjklmnopq\uFFFD\uFFFD");
    EXPECT_EQ(utf16ToUtf8(std::u16string(u"abcdefgh") + char16_t(0xD800) + u"ijklmnop"),
              "abcdefgh\xEF\xBF\xBDijklmnop");
}

}  // namespace
