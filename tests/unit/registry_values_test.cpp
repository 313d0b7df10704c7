#include "settings/registry_values.h"

#include <gtest/gtest.h>

namespace wavelith {

namespace {

std::vector<uint8_t> utf16(const std::u16string& text, bool terminated = true) {
    std::vector<uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    if (terminated) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

int32_t readText(uint32_t type, const std::u16string& text) { return integerFromRegistryData(type, utf16(text), -7); }

}  // namespace

TEST(RegistryValues, TextCountsOnlyWhenItIsAllDigitsAfterAnOptionalSign) {
    using namespace registry_types;
    EXPECT_EQ(readText(String, u"123"), 123);
    EXPECT_EQ(readText(String, u"-5"), -5);
    EXPECT_EQ(readText(String, u"+"), 0);
    EXPECT_EQ(readText(String, u"-"), 0);
    EXPECT_EQ(readText(String, u"+42"), 42);
    EXPECT_EQ(readText(String, u"12a"), -7);
    EXPECT_EQ(readText(String, u""), -7);
    EXPECT_EQ(readText(String, u" 1"), -7);
    EXPECT_EQ(readText(ExpandString, u"0"), 0);
    EXPECT_EQ(readText(String, u"4294967295"), -1) << "wraps as 32 bits";
    // A multi-string list reads its first string.
    EXPECT_EQ(integerFromRegistryData(MultiString, utf16(std::u16string(u"77\0xyz\0", 7)), -7), 77);
    // Text without its terminating NUL still reads.
    EXPECT_EQ(integerFromRegistryData(String, utf16(u"31", false), -7), 31);
}

TEST(RegistryValues, NumericTypesReadTheirFirstFourBytes) {
    using namespace registry_types;
    EXPECT_EQ(integerFromRegistryData(DwordBigEndian, {0x00, 0x00, 0x01, 0x02}, -7), 258);
    EXPECT_EQ(integerFromRegistryData(Binary, {0x01, 0x02}, -7), 513) << "missing bytes count as zero";
    EXPECT_EQ(integerFromRegistryData(Binary, {}, -7), 0);
    EXPECT_EQ(integerFromRegistryData(Dword, {0xFF, 0xFF, 0xFF, 0xFF}, -7), -1);
    EXPECT_EQ(integerFromRegistryData(Qword, {0x10, 0, 0, 0, 0x99, 0x99, 0x99, 0x99}, -7), 16);
    EXPECT_EQ(integerFromRegistryData(DwordBigEndian, {0x80, 0, 0, 0}, -7), INT32_MIN);
    EXPECT_EQ(integerFromRegistryData(0, {1, 2, 3, 4}, -7), -7) << "REG_NONE";
    EXPECT_EQ(integerFromRegistryData(8, {1, 2, 3, 4}, -7), -7) << "resource list";
}

TEST(RegistryValues, MultiStringBecomesLines) {
    std::u16string list(u"a\0b\0\0", 5);
    EXPECT_EQ(multiStringAsLines(list, 100), u"a\r\nb\r\n");
    EXPECT_EQ(multiStringAsLines(list, 7), u"a\r\nb\r\n") << "six characters and the NUL fit";
    EXPECT_EQ(multiStringAsLines(list, 6), std::nullopt);
    EXPECT_EQ(multiStringAsLines(std::u16string(u"only", 4), 10), u"only") << "unterminated data";
    EXPECT_EQ(multiStringAsLines(std::u16string(u"x\0\0tail\0\0", 9), 100), u"x\r\n") << "stops at the terminator";
}

TEST(RegistryValues, OddByteCountDropsTheLastByte) {
    EXPECT_EQ(unitsOf({0x41, 0x00, 0x42}), u"A");
    EXPECT_EQ(unitsOf({}), u"");
}

}  // namespace wavelith
