// How stored registry data reads as an integer or as text, whatever its type. Portable, so
// every odd value a user or another program may have left in the key is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavelith {

namespace registry_types {
constexpr uint32_t String = 1;           // REG_SZ
constexpr uint32_t ExpandString = 2;     // REG_EXPAND_SZ
constexpr uint32_t Binary = 3;           // REG_BINARY
constexpr uint32_t Dword = 4;            // REG_DWORD
constexpr uint32_t DwordBigEndian = 5;   // REG_DWORD_BIG_ENDIAN
constexpr uint32_t MultiString = 7;      // REG_MULTI_SZ
constexpr uint32_t Qword = 11;           // REG_QWORD
}  // namespace registry_types

// Text values count when they are a sign or digit followed by digits only; numeric types give
// their first four bytes (missing bytes as zero); anything else gives the default.
int32_t integerFromRegistryData(uint32_t type, const std::vector<uint8_t>& data, int32_t defaultValue);

// The UTF-16 units of raw value data (an odd last byte is dropped).
std::u16string unitsOf(const std::vector<uint8_t>& data);

// A multi-string list as lines, each string ended by CR LF, stopping at the list terminator.
// Nothing when the result (and its NUL) would not fit in `capacity` characters.
std::optional<std::u16string> multiStringAsLines(const std::u16string& units, size_t capacity);

}  // namespace wavelith
