#include "script/interp/value.h"

#include <charconv>

namespace wavelith::script {

void limitExceeded() { throw ValueTooLarge(); }

void ScriptValue::copyDataFrom(const ScriptValue& other) {
    text = other.text;
    elements = other.elements;
}

void ScriptValue::moveDataFrom(ScriptValue& other) noexcept {
    text = std::move(other.text);
    elements = std::move(other.elements);
}

void ValueText::read(const ScriptValue& value) {
    if (value.isString || value.isArray) {
        view_ = value.text;
    } else {
        char* end = std::to_chars(digits_, digits_ + sizeof digits_, value.intValue).ptr;
        view_ = std::string_view(digits_, static_cast<size_t>(end - digits_));
    }
}

std::string ScriptValue::toString() const { return std::string(ValueText(*this).view()); }

int32_t readInteger(std::string_view text) {
    size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int32_t readUnsignedLiteral(std::string_view digits, int base) {
    int64_t value = 0;
    for (char c : digits) {
        int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * base + digit;
        if (value >= 2147483647) return 2147483647;
    }
    return static_cast<int32_t>(value);
}

int32_t power(int32_t base, int32_t exponent) {
    // One multiplication per unit of the exponent would take seconds for a large one; squaring
    // gives the same wrapped product.
    uint32_t result = 1, factor = static_cast<uint32_t>(base);
    for (int32_t remaining = exponent; remaining > 0; remaining >>= 1) {
        if (remaining & 1) result *= factor;
        factor *= factor;
    }
    return static_cast<int32_t>(result);
}

std::string upperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return result;
}

bool isIdentifier(std::string_view name) {
    if (name.empty()) return false;
    auto isLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!isLetter(name[0])) return false;
    for (char c : name.substr(1))
        if (!isLetter(c) && !(c >= '0' && c <= '9')) return false;
    return true;
}

}  // namespace wavelith::script
