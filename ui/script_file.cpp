#include "ui/script_file.h"

#include "platform/text.h"

#include <new>

namespace wavelith {

namespace {

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// UTF-16 text ends at its first NUL, as it always has: files padded with NULs still load.
std::u16string utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        auto unit = static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

// The text when `bytes` are valid UTF-8, else nothing.
std::optional<std::u16string> strictUtf8(std::string_view bytes) {
    std::u16string text = utf8ToUtf16(bytes);
    // Only valid UTF-8 survives the round trip: each bad byte came back as U+FFFD.
    if (utf16ToUtf8(text) != bytes) return std::nullopt;
    return text;
}

// Where the platform cannot tell (Wine's detector is not implemented; some systems lack it):
// UTF-8 first, because it is what we save; then Shift-JIS, the likeliest legacy encoding of our
// users' scripts whatever the system's own code page; then that code page.
uint32_t guessCodePage(std::string_view bytes, CodePageService& service) {
    if (isValidUtf8(bytes)) return kCodePageUtf8;
    if (service.convertsCleanly(bytes, kCodePageShiftJis)) return kCodePageShiftJis;
    return service.ansiCodePage();
}

std::u16string withCrLf(const std::u16string& text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) result.push_back(u'\r');
        result.push_back(text[i]);
    }
    return result;
}

DecodedScript failed(ScriptReadResult result) { return {result, {}}; }

DecodedScript decode(std::string_view bytes, CodePageService& service) {
    if (bytes.empty()) return failed(ScriptReadResult::CannotRead);
    if (startsWith(bytes, "\xFF\xFE")) return {ScriptReadResult::Ok, utf16Units(bytes.substr(2), false)};

    std::optional<std::u16string> text;
    if (startsWith(bytes, "\xFE\xFF")) {
        text = utf16Units(bytes.substr(2), true);
    } else if (startsWith(bytes, "\xEF\xBB\xBF")) {
        // A file that says it is UTF-8 and is not would come back with its bad bytes replaced.
        text = strictUtf8(bytes.substr(3));
    } else {
        uint32_t codePage = service.detectCodePage(bytes).value_or(0);
        if (codePage == 0) codePage = guessCodePage(bytes, service);
        if (codePage == kCodePageUtf8) text = strictUtf8(bytes);
        if (!text) text = service.convert(bytes, codePage);
        // A NUL cannot be part of a script: this is a binary file, not text.
        if (text && text->find(u'\0') != std::u16string::npos) text.reset();
    }
    if (!text) return failed(ScriptReadResult::ConversionFailed);
    return {ScriptReadResult::Ok, withCrLf(*text)};
}

}  // namespace

bool isValidUtf8(std::string_view bytes) { return strictUtf8(bytes).has_value(); }

DecodedScript decodeScriptFile(std::string_view bytes, CodePageService& service) {
    try {
        return decode(bytes, service);
    } catch (const std::bad_alloc&) {
        return failed(ScriptReadResult::OutOfMemory);
    }
}

std::string encodeScriptFile(std::u16string_view text) { return "\xEF\xBB\xBF" + utf16ToUtf8(text); }

std::u16string_view readResultMessage(ScriptReadResult result, bool japanese) {
    switch (result) {
        case ScriptReadResult::Ok: return u"";
        case ScriptReadResult::CannotOpen: return japanese ? u"ファイルを開けません。" : u"Cannot open the file.";
        case ScriptReadResult::CannotRead: return japanese ? u"ファイルを読み込めません。" : u"Cannot read the file.";
        case ScriptReadResult::OutOfMemory: return japanese ? u"メモリが足りません。" : u"Out of memory.";
        case ScriptReadResult::ConversionUnavailable:
            return japanese ? u"文字コード変換の準備中にエラーが発生しました。"
                            : u"An error occurred while preparing for character code conversion.";
        case ScriptReadResult::ConversionFailed:
            return japanese ? u"文字コードの変換中にエラーが発生しました。"
                            : u"An error occurred during character code conversion..";
    }
    return japanese ? u"不明なエラーです。" : u"Unknown error.";
}

std::u16string_view saveResultMessage(ScriptSaveResult result, bool japanese) {
    switch (result) {
        case ScriptSaveResult::Ok:
            return japanese ? u"UTF-8（BOM付き）で保存しました。" : u"The file has been saved in UTF-8 (with BOM).";
        case ScriptSaveResult::CannotOpenForWrite:
            return japanese ? u"ファイルを書き込みモードで開けません。" : u"Cannot open the file on write mode.";
        case ScriptSaveResult::CannotWrite: return japanese ? u"ファイルに書き込めません。" : u"Cannot write to the file.";
        case ScriptSaveResult::OutOfMemory: return readResultMessage(ScriptReadResult::OutOfMemory, japanese);
    }
    return readResultMessage(static_cast<ScriptReadResult>(-1), japanese);
}

}  // namespace wavelith
