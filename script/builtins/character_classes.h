// CONVCHAR: conversions between classes of characters (kana, widths, letter case, control
// characters and their notations) and tab expansion, on UTF-16 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace wavelith::script {

// One row of a family: the forward flag turns first into second, the reverse flag second into first.
struct CharacterPair {
    std::u16string_view first;
    std::u16string_view second;
};

struct ConversionFamily {
    uint32_t forwardFlag;
    uint32_t reverseFlag;
    const CharacterPair* pairs;
    size_t size;
};

struct ConversionFamilies {
    const ConversionFamily* rows;
    size_t size;
};

// The families in the order in which they apply at each position.
ConversionFamilies conversionFamilies();

namespace conversion_flag {
constexpr uint32_t AnyClass = 0x3FFFF0;  // the forward and reverse flags of every family
constexpr uint32_t Tab4 = 0x400000;
constexpr uint32_t Tab8 = 0x800000;
}  // namespace conversion_flag

std::u16string convertCharacterClasses(std::u16string_view text, uint32_t flags);

}  // namespace wavelith::script
