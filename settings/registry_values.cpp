#include "settings/registry_values.h"

namespace wavelith {

namespace {

// The leading text of the data: up to its first NUL.
std::u16string firstString(const std::vector<uint8_t>& data) {
    std::u16string units = unitsOf(data);
    return units.substr(0, units.find(u'\0'));
}

std::optional<int32_t> decimal(const std::u16string& text) {
    if (text.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        i = 1;
    } else if (text[0] < u'0' || text[0] > u'9') {
        return std::nullopt;
    }
    uint32_t value = 0;  // wraps like the 32-bit arithmetic of the stored value
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(text[i] - u'0');
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace

std::u16string unitsOf(const std::vector<uint8_t>& data) {
    std::u16string units(data.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    return units;
}

int32_t integerFromRegistryData(uint32_t type, const std::vector<uint8_t>& data, int32_t defaultValue) {
    auto byte = [&](size_t i) -> uint32_t { return i < data.size() ? data[i] : 0; };
    switch (type) {
        case registry_types::String:
        case registry_types::ExpandString:
        case registry_types::MultiString: return decimal(firstString(data)).value_or(defaultValue);
        case registry_types::Binary:
        case registry_types::Dword:
        case registry_types::Qword:
            return static_cast<int32_t>(byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
        case registry_types::DwordBigEndian:
            return static_cast<int32_t>(byte(3) | byte(2) << 8 | byte(1) << 16 | byte(0) << 24);
        default: return defaultValue;
    }
}

std::optional<std::u16string> multiStringAsLines(const std::u16string& units, size_t capacity) {
    std::u16string lines;
    size_t i = 0;
    for (; i < units.size(); ++i) {
        if (units[i] != u'\0') {
            lines += units[i];
        } else if (i > 0 && units[i - 1] == u'\0') {
            break;  // the empty string after the last one ends the list
        } else {
            lines += u"\r\n";
        }
        if (lines.size() + 1 > capacity) return std::nullopt;
    }
    if (lines.size() + 1 > capacity) return std::nullopt;
    return lines;
}

}  // namespace wavelith
