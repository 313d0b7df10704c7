// Any bytes as the ini file: the conversion to the profile functions' UTF-16LE must either keep
// every character of the text or refuse, and what it gives must read as UTF-16LE itself.
#include "platform/text.h"
#include "settings/ini_text.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace wavelith;

// A stand-in for the system's ANSI code page: single bytes, with a few left undefined as in
// Windows-1252, so that both of its answers happen.
std::optional<std::u16string> ansiStandIn(std::string_view bytes) {
    std::u16string text;
    for (unsigned char byte : bytes) {
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) return std::nullopt;
        text.push_back(byte);
    }
    return text;
}

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "ini_text_fuzzer: %s\n", what);
    std::abort();
}

std::u16string unitsAfterStart(const std::string& file) {
    std::u16string units;
    for (size_t i = kNewIniFile.size(); i + 1 < file.size(); i += 2)
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(file[i]) |
                                              static_cast<unsigned char>(file[i + 1]) << 8));
    return units;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view file(reinterpret_cast<const char*>(data), size);
    IniEncoding encoding = iniEncoding(file);
    std::optional<std::string> converted = iniAsUtf16Le(file, ansiStandIn);
    if (!converted) {
        if (encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be || encoding == IniEncoding::Utf8)
            fault("a readable file was refused");
        return 0;
    }
    if (encoding == IniEncoding::Unreadable) fault("an unreadable file was converted");
    if (iniEncoding(*converted) != IniEncoding::Utf16Le) fault("the result is no UTF-16LE file");
    if (encoding == IniEncoding::Utf16Le) {
        if (*converted != file) fault("a UTF-16LE file was changed");
        return 0;
    }
    if (converted->substr(0, kNewIniFile.size()) != kNewIniFile || converted->size() % 2 != 0)
        fault("a converted file does not start as a new one");
    std::u16string units = unitsAfterStart(*converted);
    switch (encoding) {
        case IniEncoding::Utf8: {
            std::string_view text = file.substr(0, 3) == "\xEF\xBB\xBF" ? file.substr(3) : file;
            if (utf16ToUtf8(units) != text) fault("UTF-8 text lost characters");
            break;
        }
        case IniEncoding::Utf16Be:
            if (units.size() * 2 + 2 != file.size()) fault("UTF-16BE text lost units");
            for (size_t i = 0; i < units.size(); ++i)
                if (units[i] != (static_cast<unsigned char>(file[2 + 2 * i]) << 8 |
                                 static_cast<unsigned char>(file[3 + 2 * i])))
                    fault("UTF-16BE units changed");
            break;
        case IniEncoding::AnsiCodePage:
            if (units != *ansiStandIn(file)) fault("ANSI text lost characters");
            break;
        default: break;
    }
    return 0;
}
