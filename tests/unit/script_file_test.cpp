#include "ui/script_file.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace wavelith {

namespace {

// "日本語" in Shift-JIS, which is not valid UTF-8.
const std::string kShiftJis = "\x93\xFA\x96\x7B\x8C\xEA";

// Converts what the tests give it: Shift-JIS for kShiftJis, otherwise every byte as Latin-1.
class FakeCodePages : public CodePageService {
public:
    std::optional<uint32_t> detected;
    uint32_t ansi = 1252;
    bool failConversion = false;
    std::vector<uint32_t> converted;  // the code pages asked for

    std::optional<uint32_t> detectCodePage(std::string_view) override { return detected; }
    std::optional<std::u16string> convert(std::string_view bytes, uint32_t codePage) override {
        converted.push_back(codePage);
        if (failConversion) return std::nullopt;
        if (codePage == kCodePageShiftJis && bytes == kShiftJis) return u"日本語";
        std::u16string text;
        for (char byte : bytes) text.push_back(static_cast<unsigned char>(byte));
        return text;
    }
    bool convertsCleanly(std::string_view bytes, uint32_t codePage) override {
        return codePage == kCodePageShiftJis && bytes == kShiftJis;
    }
    uint32_t ansiCodePage() override { return ansi; }
};

DecodedScript decode(const std::string& bytes, FakeCodePages& service) { return decodeScriptFile(bytes, service); }

}  // namespace

TEST(ScriptFile, ByteOrderMarksDecideTheEncodingAndAreDropped) {
    FakeCodePages service;
    service.detected = 1252;  // must not be asked: every file here says what it is
    // UTF-16LE: the text up to its first NUL, line ends as they are.
    DecodedScript little = decode(std::string("\xFF\xFE" "a\0\n\0b\0\0\0c\0", 12), service);
    EXPECT_EQ(little.result, ScriptReadResult::Ok);
    EXPECT_EQ(little.text, u"a\nb");
    DecodedScript big = decode(std::string("\xFE\xFF\0a\0\n\x65\xE5", 8), service);
    EXPECT_EQ(big.text, u"a\r\n日");
    DecodedScript utf8 = decode("\xEF\xBB\xBF" "x\n\xE6\x97\xA5", service);
    EXPECT_EQ(utf8.text, u"x\r\n日");
    // The empty text as a save writes it loads back as the empty text.
    DecodedScript markOnly = decode("\xEF\xBB\xBF", service);
    EXPECT_EQ(markOnly.result, ScriptReadResult::Ok);
    EXPECT_EQ(markOnly.text, u"");
    EXPECT_TRUE(service.converted.empty());
}

TEST(ScriptFile, WithoutAMarkTheDetectorDecidesAndElseUtf8ThenShiftJisThenAnsi) {
    FakeCodePages detecting;
    detecting.detected = 932;
    EXPECT_EQ(decode(kShiftJis, detecting).text, u"日本語");
    EXPECT_EQ(detecting.converted, std::vector<uint32_t>{932});

    // Wine's detector is not implemented.
    FakeCodePages undetected;
    EXPECT_EQ(decode("\xE6\x97\xA5\xE6\x9C\xAC", undetected).text, u"日本");
    EXPECT_TRUE(undetected.converted.empty()) << "valid UTF-8 is decoded as UTF-8";
    EXPECT_EQ(decode(kShiftJis, undetected).text, u"日本語");
    EXPECT_EQ(undetected.converted, std::vector<uint32_t>{932});
    undetected.converted.clear();
    EXPECT_EQ(decode("caf\xE9", undetected).text, u"caf\u00E9");
    EXPECT_EQ(undetected.converted, std::vector<uint32_t>{1252});
}

TEST(ScriptFile, LineFeedsBecomeCrLfAndALoneCarriageReturnStays) {
    FakeCodePages service;
    EXPECT_EQ(decode("\na\nb\r\nc\rd\n\n", service).text, u"\r\na\r\nb\r\nc\rd\r\n\r\n");
}

TEST(ScriptFile, BadContentIsRefusedWithItsCode) {
    FakeCodePages service;
    EXPECT_EQ(decode("", service).result, ScriptReadResult::CannotRead);
    // Binary: valid UTF-8, but a NUL is no part of a script.
    EXPECT_EQ(decode(std::string("MZ\0\x01", 4), service).result, ScriptReadResult::ConversionFailed);
    // Says UTF-8 and is not.
    EXPECT_EQ(decode("\xEF\xBB\xBF" "a\xC3(", service).result, ScriptReadResult::ConversionFailed);
    service.failConversion = true;
    DecodedScript failed = decode("caf\xE9", service);
    EXPECT_EQ(failed.result, ScriptReadResult::ConversionFailed);
    EXPECT_TRUE(failed.text.empty());
}

TEST(ScriptFile, SavingWritesTheMarkThenUtf8) {
    EXPECT_EQ(encodeScriptFile(u""), "\xEF\xBB\xBF");
    EXPECT_EQ(encodeScriptFile(u"日\r\n"), "\xEF\xBB\xBF\xE6\x97\xA5\r\n");
    EXPECT_TRUE(isValidUtf8("\xEF\xBF\xBD"));  // U+FFFD itself is valid
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));     // overlong
}

TEST(ScriptFile, MessagesAreThoseUsersKnow) {
    EXPECT_EQ(readResultMessage(ScriptReadResult::ConversionFailed, false),
              u"An error occurred during character code conversion..");
    EXPECT_EQ(readResultMessage(static_cast<ScriptReadResult>(3), false), u"Unknown error.");
    EXPECT_EQ(saveResultMessage(ScriptSaveResult::Ok, false), u"The file has been saved in UTF-8 (with BOM).");
    EXPECT_EQ(saveResultMessage(ScriptSaveResult::OutOfMemory, false), u"Out of memory.");
    EXPECT_EQ(saveResultMessage(static_cast<ScriptSaveResult>(2), true), u"不明なエラーです。");
    for (int code : {1, 2, 4, 5, 6}) {
        auto result = static_cast<ScriptReadResult>(code);
        EXPECT_NE(readResultMessage(result, true), readResultMessage(result, false)) << code;
        EXPECT_NE(readResultMessage(result, false), u"Unknown error.") << code;
    }
}

}  // namespace wavelith
