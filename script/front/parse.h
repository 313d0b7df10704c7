// The front end's one entry: DO-Rozude text (UTF-8, ending in a line feed) to a syntax tree.
#pragma once

#include "script/front/syntax_tree.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith::script {

struct ParseResult {
    // 0 parsed, 1 syntax error, 2 parser stack exhausted.
    int status = 0;
    std::unique_ptr<BlockNode> root;
};

struct ParseHooks {
    // A FUNC definition, as soon as it is reduced (so calls may precede it in the text).
    std::function<void(std::string name, std::vector<std::string> params, std::unique_ptr<BlockNode> body)>
        defineFunction;
    // The first syntax error: its line and the whole report (UTF-8).
    std::function<void(int32_t line, const std::string& report)> syntaxError;
};

ParseResult parseScript(std::string_view text, const ParseHooks& hooks);

// The lines that a syntax-error report quotes: the text split at each line feed.
std::vector<std::string_view> splitSourceLines(std::string_view text);

// Builds the report of a syntax error (limits and layout of the message sink's code 101).
std::string syntaxErrorReport(const std::string& message, int32_t line, int32_t column, std::string_view tokenText,
                              const std::vector<std::string_view>& sourceLines);

}  // namespace wavelith::script
