// FORMAT: printf-style patterns over script values. Only the integer conversions and %s take a
// value; everything else is copied as written. The conversions follow the C rules for flags,
// width and precision, written out here rather than handed to snprintf so that every build
// gives the same text and no width, however large, reaches the C library.
#include "script/builtins/table.h"
#include "script/interp/interpreter.h"

#include <algorithm>

namespace wavelith::script {

namespace {

// What one conversion may produce: the formatter's buffer held 4096 bytes with its terminator.
constexpr size_t ConversionLimit = 4095;
// Widths and precisions saturate far beyond anything that could show within the limit.
constexpr uint64_t CountCap = uint64_t{1} << 40;

struct Conversion {
    bool leftAlign = false, plus = false, space = false, zero = false, alternate = false;
    uint64_t width = 0;
    bool hasPrecision = false;
    uint64_t precision = 0;
    char type = 0;
};

uint64_t readCount(std::string_view pattern, size_t& at) {
    uint64_t count = 0;
    for (; at < pattern.size() && pattern[at] >= '0' && pattern[at] <= '9'; ++at)
        count = std::min(count * 10 + static_cast<uint64_t>(pattern[at] - '0'), CountCap);
    return count;
}

// prefix, zeros and body padded to the width, written out only as far as the limit: the padding
// of a huge width is never built.
std::string padToWidth(const Conversion& conversion, std::string_view prefix, uint64_t zeros, std::string_view body,
                       bool zeroFill) {
    uint64_t length = prefix.size() + zeros + body.size();
    uint64_t fill = conversion.width > length ? conversion.width - length : 0;
    std::string out;
    auto repeat = [&](uint64_t count, char byte) {
        out.append(static_cast<size_t>(std::min<uint64_t>(count, ConversionLimit - out.size())), byte);
    };
    auto text = [&](std::string_view part) { out.append(part.substr(0, ConversionLimit - out.size())); };
    zeroFill = zeroFill && conversion.zero && !conversion.leftAlign;
    if (!conversion.leftAlign && !zeroFill) repeat(fill, ' ');
    text(prefix);
    if (zeroFill) repeat(fill, '0');
    repeat(zeros, '0');
    text(body);
    if (conversion.leftAlign) repeat(fill, ' ');
    return out;
}

std::string formatInteger(const Conversion& conversion, int32_t value) {
    bool isSigned = conversion.type == 'd' || conversion.type == 'i';
    bool negative = isSigned && value < 0;
    uint32_t magnitude = negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    uint32_t base = conversion.type == 'o' ? 8 : conversion.type == 'x' || conversion.type == 'X' ? 16 : 10;
    const char* digitSet = conversion.type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";

    // 0 has no digits of its own: the least count (1 unless a precision says otherwise) shows it.
    std::string digits;
    for (uint32_t rest = magnitude; rest != 0; rest /= base) digits.insert(digits.begin(), digitSet[rest % base]);
    uint64_t leastDigits = conversion.hasPrecision ? conversion.precision : 1;
    uint64_t zeros = leastDigits > digits.size() ? leastDigits - digits.size() : 0;
    if (conversion.type == 'o' && conversion.alternate && zeros == 0) zeros = 1;

    std::string prefix = negative ? "-" : isSigned && conversion.plus ? "+" : isSigned && conversion.space ? " " : "";
    if (base == 16 && conversion.alternate && magnitude != 0) prefix += conversion.type == 'X' ? "0X" : "0x";
    // A precision asks for an exact digit count, so the 0 flag no longer pads.
    return padToWidth(conversion, prefix, zeros, digits, !conversion.hasPrecision);
}

std::string formatString(const Conversion& conversion, std::string_view value) {
    if (conversion.hasPrecision && conversion.precision < value.size()) value = value.substr(0, conversion.precision);
    return padToWidth(conversion, {}, 0, value, false);
}

}  // namespace

// FORMAT(pattern[, values…]): each value is used at most once, in order; surplus ones are ignored.
void builtinFormat(Interpreter&, ScriptValue& result, const Arguments& arguments) {
    std::string pattern = Interpreter::asString(arguments[0]);
    size_t nextValue = 1;
    std::string formatted;
    size_t at = 0;
    while (at < pattern.size()) {
        if (pattern[at] != '%') {
            appendText(formatted, 1, pattern[at++]);
            continue;
        }
        if (at + 1 < pattern.size() && pattern[at + 1] == '%') {
            appendText(formatted, 1, '%');
            at += 2;
            continue;
        }
        // % flags width [. precision] type
        Conversion conversion;
        size_t end = at + 1;
        for (; end < pattern.size(); ++end) {
            char flag = pattern[end];
            if (flag == '-') conversion.leftAlign = true;
            else if (flag == '+') conversion.plus = true;
            else if (flag == ' ') conversion.space = true;
            else if (flag == '0') conversion.zero = true;
            else if (flag == '#') conversion.alternate = true;
            else break;
        }
        conversion.width = readCount(pattern, end);
        if (end < pattern.size() && pattern[end] == '.') {
            ++end;
            conversion.hasPrecision = true;
            conversion.precision = readCount(pattern, end);
        }
        if (end >= pattern.size()) {
            appendText(formatted, std::string_view(pattern).substr(at));
            break;
        }
        conversion.type = pattern[end];
        std::string_view written = std::string_view(pattern).substr(at, end + 1 - at);
        at = end + 1;

        bool takesInteger = std::string_view("diouxX").find(conversion.type) != std::string_view::npos;
        bool takesString = conversion.type == 's';
        if ((!takesInteger && !takesString) || nextValue >= arguments.size()) {
            appendText(formatted, written);
            continue;
        }
        const ScriptValue& value = arguments[nextValue++];
        appendText(formatted, takesInteger ? formatInteger(conversion, Interpreter::asInt(value))
                                           : formatString(conversion, Interpreter::asString(value)));
    }
    result = ScriptValue::string(std::move(formatted));
}

}  // namespace wavelith::script
