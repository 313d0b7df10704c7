// The interpreter's text conversions are the platform's.
#pragma once

#include "platform/text.h"
#include "script/interp/value.h"

namespace wavelith::script {
using wavelith::utf16ToUtf8;
using wavelith::utf8ToUtf16;

// The bytes of utf16ToUtf8(text), counted without building it.
inline size_t utf8Length(std::u16string_view text) {
    size_t bytes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                    text[i + 1] <= 0xDFFF;
        if (pair) ++i;
        bytes += pair ? 4 : unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;  // a lone half becomes U+FFFD
    }
    return bytes;
}

// A text that a built-in made in UTF-16, as a script string within the text limit: measured
// before it is built.
inline std::string utf8WithinLimit(std::u16string_view text) {
    checkTextBytes(utf8Length(text));
    return utf16ToUtf8(text);
}
}  // namespace wavelith::script
