#include "ui/script_editor_form.h"

#include <gtest/gtest.h>

namespace wavelith {

namespace {

// The English editor at 100 % scaling: client 474 x 296 in a 490 x 335 window.
ScriptEditorLayout openingLayout() {
    return ScriptEditorLayout(474, 296, 490, 335,
                              {{1062, {11, 11, 463, 252}},
                               {10, {11, 262, 86, 285}},
                               {11, {92, 262, 167, 285}},
                               {1, {227, 262, 302, 285}},
                               {9, {389, 262, 463, 285}}});
}

LayoutRect rectOf(const std::vector<PlacedControl>& placed, int id) {
    for (const PlacedControl& control : placed)
        if (control.id == id) return control.rect;
    ADD_FAILURE() << "no control " << id;
    return {};
}

}  // namespace

TEST(ScriptEditorLayout, GrowingStretchesOnlyTheEditAndMovesTheButtonsWithTheirCorners) {
    std::vector<PlacedControl> placed = openingLayout().arrange(474 + 100, 296 + 40);
    EXPECT_EQ(rectOf(placed, 1062), (LayoutRect{11, 11, 563, 292}));
    EXPECT_EQ(rectOf(placed, 10), (LayoutRect{11, 302, 86, 325}));
    EXPECT_EQ(rectOf(placed, 11), (LayoutRect{92, 302, 167, 325}));
    EXPECT_EQ(rectOf(placed, 1), (LayoutRect{327, 302, 402, 325}));
    EXPECT_EQ(rectOf(placed, 9), (LayoutRect{489, 302, 563, 325}));
}

TEST(ScriptEditorLayout, NeverSmallerThanAtOpening) {
    ScriptEditorLayout layout = openingLayout();
    EXPECT_EQ(layout.minimumWindowWidth(), 490);
    EXPECT_EQ(layout.minimumWindowHeight(), 335);
    std::vector<PlacedControl> opening = layout.arrange(474, 296);
    std::vector<PlacedControl> squeezed = layout.arrange(0, 100);
    for (int id : {1062, 10, 11, 1, 9}) {
        EXPECT_EQ(rectOf(squeezed, id), rectOf(opening, id)) << id;
    }
    EXPECT_EQ(rectOf(opening, 1062), (LayoutRect{11, 11, 463, 252}));
    // Only wider: the buttons stay at their height.
    EXPECT_EQ(rectOf(layout.arrange(500, 200), 1), (LayoutRect{253, 262, 328, 285}));
}

TEST(ScriptEditorLayout, IconsHaveOpaqueAndTransparentPixels) {
    for (EditorIcon icon : {EditorIcon::Script, EditorIcon::Load, EditorIcon::Save}) {
        auto pixels = editorIconPixels(icon);
        int opaque = 0;
        for (uint32_t pixel : pixels) opaque += (pixel >> 24) == 0xFF;
        EXPECT_GT(opaque, 100) << static_cast<int>(icon);
        EXPECT_LT(opaque, 256) << static_cast<int>(icon);
    }
}

}  // namespace wavelith
