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
};

struct ParseContext {
    void* scanner = nullptr;
    LexerState lexer;
    const ParseHooks* hooks = nullptr;
    std::vector<std::string_view> sourceLines;
    std::unique_ptr<BlockNode> root;
    bool reported = false;

    void reportSyntaxError(const std::string& message);
};

}  // namespace wavelith::script
