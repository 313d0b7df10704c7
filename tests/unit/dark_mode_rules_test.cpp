#include "ui/dark_mode_rules.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(DarkModeRules, DarkOnlyFromWindows10WhenTheUserAsksForIt) {
    // Windows 8.1 reports major version 6: light whatever the registry says.
    EXPECT_FALSE(darkModeWanted(darkModeAvailable(6), 0u));
    EXPECT_FALSE(darkModeAvailable(9));
    ASSERT_TRUE(darkModeAvailable(10));
    EXPECT_TRUE(darkModeWanted(true, 0u));
    EXPECT_FALSE(darkModeWanted(true, 1u));
    EXPECT_FALSE(darkModeWanted(true, std::nullopt));
}

TEST(DarkModeRules, ButtonsAndStaticsAreToldApartByStyle) {
    EXPECT_EQ(buttonKind(0x0), ButtonKind::Push);
    EXPECT_EQ(buttonKind(0x50010001), ButtonKind::Push);  // default push button with window bits
    EXPECT_EQ(buttonKind(0x7), ButtonKind::GroupBox);
    // The three-state kinds are check boxes, although 5 shares a bit with the radio button.
    for (uint32_t kind : {2u, 3u, 5u, 6u}) EXPECT_EQ(buttonKind(kind), ButtonKind::CheckBox) << kind;
    for (uint32_t kind : {4u, 9u}) EXPECT_EQ(buttonKind(kind), ButtonKind::RadioButton) << kind;
    EXPECT_TRUE(isTextStatic(0x50000002));   // right-aligned text
    EXPECT_FALSE(isTextStatic(0x50000003));  // icon
    EXPECT_FALSE(isTextStatic(0x0000000E));  // bitmap
}

TEST(DarkModeRules, HotKeyTextNamesModifiersInOrderThenTheKey) {
    using namespace hot_key_modifiers;
    auto value = [](uint8_t modifiers, uint8_t key) { return static_cast<uint16_t>(modifiers << 8 | key); };
    EXPECT_EQ(hotKeyText(value(kControl | kAlt, 'P'), u"P", u"-None-"), u"Ctrl + Alt + P");
    EXPECT_EQ(hotKeyText(value(kAlt | kShift | kControl, 'K'), u"K", u"-None-"), u"Ctrl + Shift + Alt + K");
    EXPECT_EQ(hotKeyText(value(kExtended, 0x2E), u"Delete", u"-None-"), u"Delete");
    EXPECT_EQ(hotKeyText(value(kShift, 0), u"", u"-None-"), u"Shift + ");
    EXPECT_EQ(hotKeyText(0, u"", u"-None-"), u"-None-");
    EXPECT_EQ(hotKeyText(value(kExtended, 0), u"", u"-None-"), u"-None-");
    // Limits: the key name 32 characters, the none text 16.
    std::u16string longName(100, u'n');
    EXPECT_EQ(hotKeyText(value(kAlt, 'A'), longName, u""), u"Alt + " + std::u16string(32, u'n'));
    EXPECT_EQ(hotKeyText(0, u"", std::u16string(20, u'x')), std::u16string(16, u'x'));
}

TEST(DarkModeRules, EnlargerFillsTheWorkAreaInTheTighterDirection) {
    // 300 x 400 on 1920 x 1040: the height ratio 2.6 is the smaller one.
    std::optional<double> factor = enlargeFactor({300, 400}, {1920, 1040});
    ASSERT_TRUE(factor);
    EXPECT_DOUBLE_EQ(*factor, 2.6);
    EXPECT_EQ(scaledSize(300, *factor), 780);
    EXPECT_EQ(scaledSize(400, *factor), 1040);
    EXPECT_EQ(scaledPosition(7, *factor), 18);  // 18.2 truncated
    FontScale font = enlargedFont(-11, 0, *factor);
    EXPECT_EQ(font.height, -28);
    EXPECT_EQ(font.width, 0) << "the default width stays the default";
    EXPECT_EQ(font.weight, 600);

    // A dialog larger than the work area shrinks to fit, in normal weight, never to nothing.
    std::optional<double> shrink = enlargeFactor({2000, 1000}, {1000, 1000});
    ASSERT_TRUE(shrink);
    EXPECT_DOUBLE_EQ(*shrink, 0.5);
    EXPECT_EQ(enlargedFont(-11, 0, *shrink).weight, 400);
    EXPECT_EQ(enlargedFont(-1, 0, *shrink).height, -1);
    EXPECT_EQ(scaledSize(1, *shrink), 1);
    EXPECT_EQ(enlargedFont(-11, 0, 1.0).weight, 400);
    // No size on either side leaves the dialog alone instead of dividing by zero.
    EXPECT_FALSE(enlargeFactor({0, 400}, {1920, 1040}));
    EXPECT_FALSE(enlargeFactor({300, 400}, {1920, 0}));
    EXPECT_EQ(scaledPosition(2000000000, 1e6), INT32_MAX);
}

TEST(DarkModeRules, PlacementPutsTheDialogInACornerOrTheMiddle) {
    const Area work{100, 50, 1100, 850};  // 1000 x 800, not at the origin
    const Size dialog{400, 200};
    EXPECT_EQ(placedPosition(0, dialog, work), (Point{100, 50}));
    EXPECT_EQ(placedPosition(1, dialog, work), (Point{700, 50}));
    EXPECT_EQ(placedPosition(2, dialog, work), (Point{100, 650}));
    EXPECT_EQ(placedPosition(3, dialog, work), (Point{700, 650}));
    EXPECT_EQ(placedPosition(5, dialog, work), (Point{400, 350}));
    EXPECT_EQ(placedPosition(4, dialog, work), std::nullopt);
    EXPECT_EQ(placedPosition(-1, dialog, work), std::nullopt);
}

}  // namespace wavelith
