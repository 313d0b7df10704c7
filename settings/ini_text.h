// The text of .\quellix.ini in whatever encoding a user or another tool left it, and the UTF-16LE
// file the profile functions are to work on. A conversion must keep every section and every
// character, so the encoding is decided by strict checks and never guessed: what no check
// accepts is not converted at all.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wavelith {

enum class IniEncoding {
    Utf16Le,       // FF FE: the profile functions' own form, left as it is
    Utf16Be,       // FE FF and whole code units after it
    Utf8,          // valid UTF-8 throughout (plain ASCII too), after an EF BB BF mark or without one
    AnsiCodePage,  // no mark and not UTF-8: read in the system's ANSI code page, if it reads cleanly
    Unreadable,    // none of these: a NUL byte without a UTF-16 mark, bad UTF-8 behind its mark, ...
};

IniEncoding iniEncoding(std::string_view file);

// `bytes` read in the system's ANSI code page; nothing when a byte sequence is not valid in it.
using AnsiDecoder = std::function<std::optional<std::u16string>(std::string_view bytes)>;

// What a new file holds: the UTF-16LE mark and a blank line.
extern const std::string_view kNewIniFile;

// The whole file as UTF-16LE with every character it holds: a UTF-16LE file as it is, any other
// as the start of a new file followed by its text. Nothing when it cannot be read without loss.
std::optional<std::string> iniAsUtf16Le(std::string_view file, const AnsiDecoder& ansi);

}  // namespace wavelith
