// The script editor's portable half: how its controls follow a resize, its texts, and the
// pixels of its four icons.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace wavelith {

struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const LayoutRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
};

struct PlacedControl {
    int id;
    LayoutRect rect;  // in client coordinates
};

// Recorded once the dialog has its opening size (after any enlargement): the edit stretches,
// the buttons right of it stay with the bottom right corner, the rest with the bottom left.
class ScriptEditorLayout {
public:
    // The controls that follow a resize (1063 exists in the Japanese template only).
    static std::vector<int> controlIds();

    ScriptEditorLayout(int clientWidth, int clientHeight, int windowWidth, int windowHeight,
                       std::vector<PlacedControl> controls);

    // Where each recorded control goes for a client area of this size.
    std::vector<PlacedControl> arrange(int clientWidth, int clientHeight) const;
    // The smallest window size a user may drag to: the opening size.
    int minimumWindowWidth() const { return windowWidth_; }
    int minimumWindowHeight() const { return windowHeight_; }

private:
    int clientWidth_, clientHeight_, windowWidth_, windowHeight_;
    std::vector<PlacedControl> controls_;
};

enum class EditorText { LoadTip, SaveTip, OpenTitle, SaveTitle, TextFilesFilter, AllFilesFilter };
std::u16string_view editorText(EditorText id, bool japanese);

// 16 x 16 pixels as 0xAARRGGBB (alpha not premultiplied), top row first.
enum class EditorIcon { Script, Load, Save };
std::array<uint32_t, 16 * 16> editorIconPixels(EditorIcon icon);

}  // namespace wavelith
