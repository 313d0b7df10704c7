// Where the Win32 layer meets portable text: wchar_t is 16-bit on Windows, so UTF-16 passes
// between std::u16string and the wide Windows calls unchanged.
#pragma once

#include <string>
#include <string_view>

namespace wavelith {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows code only: wchar_t holds UTF-16");

inline const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
inline std::wstring toWide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string fromWide(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }

}  // namespace wavelith
