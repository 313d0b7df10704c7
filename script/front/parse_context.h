// What the generated lexer and parser share during one parse (bison's %param, flex's extra).
#pragma once

#include "script/front/parse.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith::script {

struct LexerState {
    // The text being scanned; token texts are views into it, never copies.
    std::string_view source;
    int32_t line = 1;
    size_t offset = 0;
    // Where the last match began, and its length: the syntax-error report shows its bytes.
    int32_t tokenLine = 1;
    size_t tokenOffset = 0;
    size_t tokenLength = 0;
    // The string literal being built.
    std::string literal;
    // Bytes of a run of white space still to be split into its line breaks.
    size_t breaksLeft = 0;

    std::string_view tokenText() const { return source.substr(tokenOffset, tokenLength); }
    // Counts every byte consumed since the last line feed. Worked out only for a report, from the
    // text itself, so that no match has to count columns.
    int32_t tokenColumn() const {
        size_t lineStart = tokenOffset == 0 ? std::string_view::npos : source.rfind('\n', tokenOffset - 1);
        return static_cast<int32_t>(tokenOffset - (lineStart == std::string_view::npos ? 0 : lineStart + 1) + 1);
    }

    // lineAfter: the line that the match ends on.
    void advance(size_t length, int32_t lineAfter) {
        tokenLine = line;
        tokenOffset = offset;
        tokenLength = length;
        offset += length;
        line = lineAfter;
    }
    // Takes back the advance over the match just made, which the scanner is about to read again.
    void rewind() {
        line = tokenLine;
        offset = tokenOffset;
    }
    // True once a run's last bytes have been consumed.
    bool leaveBreaks(size_t length) {
        breaksLeft -= length;
        return breaksLeft == 0;
    }
};

struct ParseContext {
    void* scanner = nullptr;
    LexerState lexer;
    const ParseHooks* hooks = nullptr;
    std::unique_ptr<BlockNode> root;
    bool reported = false;

    void reportSyntaxError(const std::string& message);
};

}  // namespace wavelith::script
