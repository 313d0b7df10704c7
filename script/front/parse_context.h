// What the generated lexer and parser share during one parse (bison's %param, flex's extra).
#pragma once

#include "script/front/parse.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith::script {

struct LexerState {
    int32_t line = 1;
    int32_t column = 1;
    // Where the last match began, and its bytes: the syntax-error report shows them.
    int32_t tokenLine = 1;
    int32_t tokenColumn = 1;
    std::string tokenText;
    // The string literal being built.
    std::string literal;
    // Bytes of a run of white space still to be split into its line breaks.
    size_t breaksLeft = 0;

    void advance(const char* text, size_t length) {
        tokenLine = line;
        tokenColumn = column;
        tokenText.assign(text, length);
        for (size_t i = 0; i < length; ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
    }
    // Takes back the advance over the match just made, which the scanner is about to read again.
    void rewind() {
        line = tokenLine;
        column = tokenColumn;
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
    // The whole text; a syntax-error report splits it into lines only when it needs one.
    std::string_view source;
    std::unique_ptr<BlockNode> root;
    bool reported = false;

    void reportSyntaxError(const std::string& message);
};

}  // namespace wavelith::script
