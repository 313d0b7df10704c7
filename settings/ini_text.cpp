#include "settings/ini_text.h"

#include "platform/text.h"

namespace wavelith {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

bool holdsNul(std::string_view bytes) { return bytes.find('\0') != std::string_view::npos; }

// Only valid UTF-8 survives the round trip: every bad byte comes back as U+FFFD.
std::optional<std::u16string> strictUtf8(std::string_view bytes) {
    std::u16string text = utf8ToUtf16(bytes);
    if (utf16ToUtf8(text) != bytes) return std::nullopt;
    return text;
}

std::string withNewFileStart(std::u16string_view text) {
    std::string file(kNewIniFile);
    file.reserve(file.size() + 2 * text.size());
    for (char16_t unit : text) {
        file.push_back(static_cast<char>(unit & 0xFF));
        file.push_back(static_cast<char>(unit >> 8));
    }
    return file;
}

}  // namespace

const std::string_view kNewIniFile("\xFF\xFE\x0D\x00\x0A\x00", 6);

IniEncoding iniEncoding(std::string_view file) {
    if (startsWith(file, kUtf16LeMark)) return IniEncoding::Utf16Le;
    if (startsWith(file, kUtf16BeMark)) return file.size() % 2 == 0 ? IniEncoding::Utf16Be : IniEncoding::Unreadable;
    bool marked = startsWith(file, kUtf8Mark);
    std::string_view text = marked ? file.substr(kUtf8Mark.size()) : file;
    // No text file of ours holds a NUL: without a UTF-16 mark this is UTF-16 that does not say
    // which, or no text at all.
    if (holdsNul(text)) return IniEncoding::Unreadable;
    if (strictUtf8(text)) return IniEncoding::Utf8;
    return marked ? IniEncoding::Unreadable : IniEncoding::AnsiCodePage;
}

std::optional<std::string> iniAsUtf16Le(std::string_view file, const AnsiDecoder& ansi) {
    switch (iniEncoding(file)) {
        case IniEncoding::Utf16Le: return std::string(file);
        case IniEncoding::Utf16Be: {
            std::u16string text;
            text.reserve(file.size() / 2);
            for (size_t i = kUtf16BeMark.size(); i + 1 < file.size(); i += 2)
                text.push_back(static_cast<char16_t>(static_cast<unsigned char>(file[i]) << 8 |
                                                     static_cast<unsigned char>(file[i + 1])));
            return withNewFileStart(text);
        }
        case IniEncoding::Utf8: {
            std::string_view text = startsWith(file, kUtf8Mark) ? file.substr(kUtf8Mark.size()) : file;
            return withNewFileStart(*strictUtf8(text));
        }
        case IniEncoding::AnsiCodePage:
            if (auto text = ansi(file)) return withNewFileStart(*text);
            return std::nullopt;
        case IniEncoding::Unreadable: break;
    }
    return std::nullopt;
}

}  // namespace wavelith
