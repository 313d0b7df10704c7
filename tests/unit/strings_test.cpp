#include "script_runner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using wavelith::script::testing::ScriptRunner;

namespace {

// The character functions count by lead bytes alone: a stray continuation byte is a character by
// itself and a lead byte never reaches past the end, so malformed text is counted, not rejected.
TEST(StringBuiltins, CharactersOfMalformedText) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show(R"("" + MBSTRLEN(CHR(0x80) + CHR(0x80)) + MBSTRLEN(CHR(0xE6) + "a"))"
                          R"( + MBSTRLEN(CHR(0xE6) + "abc") + MBSTRLEN(CHR(0xF8) + "ab"))"),
              "2123");
    EXPECT_EQ(runner.show(R"(MBLEFT(CHR(0xE6) + "abc", 1) == CHR(0xE6) + "ab")"), "1");
    EXPECT_EQ(runner.show(R"(MBRIGHT("a" + CHR(0xF0) + "bc", 1) == CHR(0xF0) + "bc")"), "1");
    EXPECT_EQ(runner.show(R"("" + MBSTRSTR(CHR(0xE6) + "abcd", "d") + MBSTRSTRI(CHR(0xBF) + "xAb", "aB"))"), "22");
}

// Counts and positions at the ends of the integer range neither wrap nor reach past the text.
TEST(StringBuiltins, ExtremeCountsAndPositions) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show(R"(MID("abc", MININTEGER, 1) + MID("abc", MAXINTEGER, 1) + MID("abc", 2, MAXINTEGER))"),
              "abc");
    EXPECT_EQ(runner.show(R"(MBMID("abc", MININTEGER, 1) + MBMID("abc", MAXINTEGER, 1) + MBMID("abc", 2, MAXINTEGER))"),
              "abc");
    EXPECT_EQ(runner.show(R"(LEFT("ab", MAXINTEGER) + MBLEFT("ab", MAXINTEGER) + MBRIGHT("ab", MAXINTEGER))"
                          R"( + RIGHT("ab", MAXINTEGER))"),
              "abababab");
    EXPECT_EQ(runner.show(R"(PADLEFT("ab", MININTEGER, "x") + PADRIGHT("ab", MININTEGER))"
                          R"( + INSCRLF("ab", MAXINTEGER, "-"))"),
              "ababab");
    EXPECT_EQ(runner.show(R"("" + GETASCIICODE("ab", MAXINTEGER) + GETASCIICODE("ab", MININTEGER))"), "-1-1");
}

// The integer and string conversions give what the C library's formatter gives.
TEST(FormatBuiltin, ConversionsMatchTheCFormatter) {
    ScriptRunner runner;
    const char* patterns[] = {"%d",    "%i",   "%5d",   "%-5d|", "%05d", "%+d",  "% d",  "%+ d",   "%.3d", "%8.3d",
                              "%08.3d", "%.0d", "%+.0d", "%u",   "%+u",  "%o",   "%#o",  "%x",     "%#x",  "%#X",
                              "%#08x", "%-#8X|", "%#.0x", "%0-5d|", "% 05i", "%2d", "%010u", "%-+6i|"};
    const int values[] = {0, 7, -7, 255, 2147483647, -2147483647 - 1};
    for (const char* pattern : patterns) {
        for (int value : values) {
            char expected[64];
            std::snprintf(expected, sizeof expected, pattern, value);
            std::string literal = value == INT32_MIN ? "MININTEGER" : std::to_string(value);
            EXPECT_EQ(runner.show("FORMAT(\"" + std::string(pattern) + "\", " + literal + ")"), expected)
                << pattern << " " << value;
        }
    }
    const char* stringPatterns[] = {"%s", "%6s", "%-6s|", "%.2s", "%6.2s", "%-6.1s|", "%.0s|", "%+ #s"};
    for (const char* pattern : stringPatterns) {
        char expected[64];
        std::snprintf(expected, sizeof expected, pattern, "abc");
        EXPECT_EQ(runner.show("FORMAT(\"" + std::string(pattern) + "\", \"abc\")"), expected) << pattern;
    }
    // The C standard's alternate octal always shows a 0 (one Windows C library drops it).
    EXPECT_EQ(runner.show(R"(FORMAT("%#.0o|%#o", 0, 8))"), "0|010");
    // The 0 flag is for numbers: strings pad with spaces, as both C libraries here do.
    EXPECT_EQ(runner.show(R"(FORMAT("[%05s]", "ab"))"), "[   ab]");
}

TEST(FormatBuiltin, OneConversionNeverExceedsTheBuffer) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show(R"(FORMAT("%5000d|", 12345))"), std::string(4095, ' ') + "|");
    EXPECT_EQ(runner.show(R"(FORMAT("%-5000d|", -1))"), "-1" + std::string(4093, ' ') + "|");
    EXPECT_EQ(runner.show(R"(FORMAT("%.99999d", 12345))"), std::string(4095, '0'));
    EXPECT_EQ(runner.show(R"(FORMAT("%099999999999999999999d", 1))"), std::string(4095, '0'));
    EXPECT_EQ(runner.show(R"(FORMAT("%4094d|", 123))"), std::string(4091, ' ') + "123|");
    EXPECT_EQ(runner.show(R"(FORMAT("%4096s|", "xy"))"), std::string(4094, ' ') + "x|");
    EXPECT_EQ(runner.show(R"(STRLEN(FORMAT("%s%s", PADLEFT("", 5000, "a"), "b")))"), "4096");
}

// A long search moves by pairs of bytes; over a small alphabet (many partial matches, pairs that
// share a table entry, bytes above 0x7F) it must find exactly what a plain search finds.
TEST(StringBuiltins, LongSearchFindsTheFirstMatch) {
    ScriptRunner runner;
    const std::string letters[] = {"a", "b", "\xC3\xA9"};
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t below) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % below;
    };
    // A window that ends like the needle but fails, with the match one needle's length further.
    for (size_t pad = 298; pad < 304; ++pad) {
        std::string padding(pad, 'x');
        EXPECT_EQ(runner.show("STRSTR(\"" + padding + "abab\", \"bab\")"), std::to_string(pad + 1));
        EXPECT_EQ(runner.show("STRSTR(\"" + padding + "cabcab\", \"bcab\")"), std::to_string(pad + 2));
    }
    for (int round = 0; round < 60; ++round) {
        std::string text, find;
        std::vector<uint32_t> picked;
        for (uint32_t i = 0, size = 256 + next(1500); i < size; ++i) picked.push_back(next(3));
        for (uint32_t letter : picked) text += letters[letter];
        if (round % 2 == 0) {
            // Whole characters only: a script's text is UTF-8.
            size_t from = next(static_cast<uint32_t>(picked.size() - 20));
            for (size_t i = from, end = from + 3 + next(12); i < end; ++i) find += letters[picked[i]];
        } else {
            for (uint32_t i = 0, size = 3 + next(10); i < size; ++i) find += letters[next(2)];
        }
        size_t expected = text.find(find);
        std::string want = expected == std::string::npos ? "-1" : std::to_string(expected);
        ASSERT_EQ(runner.show("STRSTR(\"" + text + "\", \"" + find + "\")"), want) << find;
    }
}

}  // namespace
