#include "script_runner.h"

#include "script/builtins/character_classes.h"
#include "script/builtins/table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

using namespace wavelith::script;
using wavelith::script::testing::ScriptRunner;

namespace {

uint32_t flag(const char* name) {
    const ConstantEntry* constant = findConstant(name);
    EXPECT_NE(constant, nullptr) << name;
    return constant ? static_cast<uint32_t>(constant->value) : 0;
}

std::u16string convert(std::u16string_view text, uint32_t flags) { return convertCharacterClasses(text, flags); }

TEST(CharacterClasses, FamiliesMatchTheirFlagsAndSizes) {
    struct Expected {
        const char* forward;
        const char* reverse;
        size_t pairs;
    };
    const Expected expected[] = {{"CC_HIRA_KATA", "CC_KATA_HIRA", 83},       {"CC_KATA_FL_HF", "CC_KATA_HF_FL", 86},
                                 {"CC_ALPHA_FL_HF", "CC_ALPHA_HF_FL", 52},   {"CC_NUM_FL_HF", "CC_NUM_HF_FL", 10},
                                 {"CC_SYM_FL_HF", "CC_SYM_HF_FL", 37},       {"CC_FALPHA_UP_LO", "CC_FALPHA_LO_UP", 26},
                                 {"CC_HALPHA_UP_LO", "CC_HALPHA_LO_UP", 26}, {"CC_CTRL_ESC", "CC_ESC_CTRL", 32},
                                 {"CC_CTRL_CARET", "CC_CARET_CTRL", 26}};
    ConversionFamilies families = conversionFamilies();
    ASSERT_EQ(families.size, std::size(expected));
    uint32_t all = 0;
    for (size_t i = 0; i < families.size; ++i) {
        EXPECT_EQ(families.rows[i].forwardFlag, flag(expected[i].forward));
        EXPECT_EQ(families.rows[i].reverseFlag, flag(expected[i].reverse));
        EXPECT_EQ(families.rows[i].size, expected[i].pairs) << expected[i].forward;
        all |= families.rows[i].forwardFlag | families.rows[i].reverseFlag;
    }
    EXPECT_EQ(all, conversion_flag::AnyClass);
    EXPECT_EQ(conversion_flag::Tab4, flag("CC_TAB_4SP"));
    EXPECT_EQ(conversion_flag::Tab8, flag("CC_TAB_8SP"));
}

// Each side of every pair converts alone into the other; where several pairs share a side (ﾜ, ｲ,
// ｴ, a control character's two escapes), the first of them wins. This also proves that no pair is
// hidden by an earlier one whose side is a prefix of its own (ｶ before ｶﾞ would split every
// voiced letter).
TEST(CharacterClasses, EveryPairConvertsBothWays) {
    ConversionFamilies families = conversionFamilies();
    for (size_t f = 0; f < families.size; ++f) {
        const ConversionFamily& family = families.rows[f];
        auto firstPairWith = [&](std::u16string_view CharacterPair::*side, std::u16string_view text) {
            for (size_t j = 0; j < family.size; ++j)
                if (family.pairs[j].*side == text) return family.pairs[j];
            return CharacterPair{};
        };
        for (size_t i = 0; i < family.size; ++i) {
            const CharacterPair& pair = family.pairs[i];
            CharacterPair forward = firstPairWith(&CharacterPair::first, pair.first);
            CharacterPair reverse = firstPairWith(&CharacterPair::second, pair.second);
            EXPECT_EQ(convert(pair.first, family.forwardFlag), forward.second) << "family " << f << " pair " << i;
            EXPECT_EQ(convert(pair.second, family.reverseFlag), reverse.first) << "family " << f << " pair " << i;
        }
    }
}

// Later pairs and later families see the text as earlier ones left it, and the walk then moves
// on one unit, so the second unit of a replacement gets its own turn.
TEST(CharacterClasses, FamiliesApplyInOrderAtEachPosition) {
    EXPECT_EQ(convert(u"が", flag("CC_HIRA_KATA") | flag("CC_KATA_FL_HF")), u"ｶﾞ");
    EXPECT_EQ(convert(u"Ａ", flag("CC_ALPHA_FL_HF") | flag("CC_HALPHA_UP_LO")), u"a");
    EXPECT_EQ(convert(u"\x01", flag("CC_CTRL_CARET") | flag("CC_HALPHA_UP_LO")), u"^a");
    EXPECT_EQ(convert(u"\\t", flag("CC_ESC_CTRL") | flag("CC_CTRL_CARET")), u"^I");
    // A family runs in one direction only, the forward one when both are asked for.
    EXPECT_EQ(convert(u"かカ", flag("CC_HIRA_KATA") | flag("CC_KATA_HIRA")), u"カカ");
    // Tabs expand over the converted text: the one-column ｶ has become the two-column カ.
    EXPECT_EQ(convert(u"ｶ\tx", flag("CC_KATA_HF_FL") | flag("CC_TAB_4SP")), u"カ  x");
    EXPECT_EQ(convert(u"ab\tc", flag("CC_TAB_4SP") | flag("CC_TAB_8SP")), u"ab  c");
}

TEST(CharacterClasses, ConvCharBuiltinWorksOnUtf8) {
    ScriptRunner runner;
    EXPECT_EQ(runner.show("CONVCHAR(\"\xE3\x81\x8C\", CC_HIRA_KATA | CC_KATA_FL_HF)"), "\xEF\xBD\xB6\xEF\xBE\x9E");
    EXPECT_EQ(runner.show("CONVCHAR(\"a\\tb\", \"8388608\")"), "a       b");
    EXPECT_EQ(runner.show("CONVCHAR(\"\xF0\x9F\x98\x80\", CC_HIRA_KATA)"), "\xF0\x9F\x98\x80");
    EXPECT_TRUE(runner.messages.empty());
}

}  // namespace
