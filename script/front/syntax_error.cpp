// The report of a syntax error: message, position, the offending token, and the source line
// with a caret under the token. Each part has a byte limit, as the host's balloon texts are short.
#include "script/front/parse.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace wavelith::script {

namespace {
// snprintf into a fixed buffer: longer texts are cut at the buffer's size, never overrun.
template <size_t Size, typename... Args>
std::string bounded(const char* format, Args... args) {
    char buffer[Size];
    std::snprintf(buffer, Size, format, args...);
    return buffer;
}

int digits(int32_t value) { return static_cast<int>(std::to_string(value).size()); }
}  // namespace

std::vector<std::string_view> splitSourceLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::string syntaxErrorReport(const std::string& message, int32_t line, int32_t column, std::string_view tokenText,
                              const std::vector<std::string_view>& sourceLines) {
    std::string got;
    if (!tokenText.empty() && tokenText[0] != '\n' && tokenText[0] != '\r')
        got = bounded<128>(" (got '%s')", std::string(tokenText).c_str());
    if (line < 1 || sourceLines.size() < static_cast<size_t>(line))
        return bounded<1024>("line %d, col %d: %s%s", line, column, message.c_str(), got.c_str());

    std::string quoted = bounded<256>("   %d | %s", line, std::string(sourceLines[line - 1]).c_str());
    // The caret stands under the token's column of the quoted text.
    size_t width = std::min(digits(line) + std::max(column, 1) + 5, 252);
    std::string marker(width, ' ');
    marker += '^';
    if (tokenText.size() >= 2) {
        for (size_t i = 1; i < tokenText.size() && marker.size() < 254; ++i) marker += '~';
    }
    return bounded<1024>("line %d, col %d: %s%s\n%s\n%s", line, column, message.c_str(), got.c_str(), quoted.c_str(),
                         marker.c_str());
}

}  // namespace wavelith::script
