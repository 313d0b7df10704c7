// UTF-8 <-> UTF-16 where portable code meets Windows or the host. Malformed input never fails:
// each bad byte or lone surrogate becomes U+FFFD, as the Windows conversions without the strict
// flag do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace wavelith {

// Appends the run of ASCII units that starts at text[i] in one step and returns the index after
// it: most text is ASCII, and one append per unit costs several times as much.
template <typename To, typename From>
size_t appendAsciiRun(std::basic_string<To>& result, std::basic_string_view<From> text, size_t i) {
    const From* const begin = text.data() + i;
    const From* const end = text.data() + text.size();
    const From* p = begin;
    // Eight bytes at a time while no unit has a bit above 0x7F.
    constexpr size_t unitsPerWord = 8 / sizeof(From);
    constexpr uint64_t highBits = sizeof(From) == 1 ? 0x8080808080808080u : 0xFF80FF80FF80FF80u;
    while (end - p >= static_cast<ptrdiff_t>(unitsPerWord)) {
        uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & highBits) break;
        p += unitsPerWord;
    }
    while (p < end && static_cast<uint32_t>(*p) < 0x80) ++p;
    if (p == begin) return i;
    size_t at = result.size();
    result.resize(at + static_cast<size_t>(p - begin));
    To* out = &result[at];
    for (const From* q = begin; q < p; ++q) *out++ = static_cast<To>(*q);
    return i + static_cast<size_t>(p - begin);
}

inline std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        i = appendAsciiRun(result, text, i);
        if (i == text.size()) break;
        auto byte = static_cast<unsigned char>(text[i]);
        int length = byte >= 0xF0 && byte <= 0xF4 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 && byte < 0xE0 ? 2 : 0;
        if (byte > 0xF4) length = 0;
        uint32_t code = length == 2 ? byte & 0x1F : length == 3 ? byte & 0x0F : byte & 0x07;
        int taken = 1;
        bool valid = length != 0;
        for (; valid && taken < length; ++taken) {
            if (i + taken >= text.size()) { valid = false; break; }
            auto next = static_cast<unsigned char>(text[i + taken]);
            if ((next & 0xC0) != 0x80) { valid = false; break; }
            code = (code << 6) | (next & 0x3F);
        }
        if (valid && ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
                      (length == 4 && (code < 0x10000 || code > 0x10FFFF))))
            valid = false;
        if (!valid) {
            result.push_back(0xFFFD);
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            result.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<size_t>(length);
    }
    return result;
}

// Appends the UTF-8 form of text to result (which a caller may have reserved room in).
inline void appendUtf8(std::string& result, std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        i = appendAsciiRun(result, text, i);
        if (i == text.size()) break;
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            result.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            result.push_back(static_cast<char>(0xC0 | (code >> 6)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            result.push_back(static_cast<char>(0xE0 | (code >> 12)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            result.push_back(static_cast<char>(0xF0 | (code >> 18)));
            result.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            result.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

inline std::string utf16ToUtf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    appendUtf8(result, text);
    return result;
}

}  // namespace wavelith
