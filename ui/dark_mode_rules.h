// The parts of dark mode that need no window: when it applies, its colours, how controls are
// told apart by style, the hot-key control's text, and the arithmetic of the dialog enlarger.
#pragma once

#include "platform/desktop.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavelith {

struct Rgb {
    uint8_t red, green, blue;
};

namespace dark_colours {
constexpr Rgb kBackground{56, 56, 56};
constexpr Rgb kText{255, 255, 255};
// Tooltips and list views sit a little darker than the dialog.
constexpr Rgb kTipBackground{45, 45, 45};
constexpr Rgb kTipText{254, 254, 254};
constexpr Rgb kDisabledText{127, 127, 127};
constexpr Rgb kDisabledBoxFace{76, 76, 76};
constexpr Rgb kHotKeyBorderFocused{0, 120, 215};
constexpr Rgb kHotKeyBorder{80, 80, 80};
}  // namespace dark_colours

// Windows 10 (major version 10) is the first with dark applications. The major version must be
// the real one: a program without a compatibility manifest is told 6 by the usual calls.
bool darkModeAvailable(uint32_t majorVersion);
// The user asks for dark applications when AppsUseLightTheme is there and 0; a missing value
// (or one of another type, read as missing) means light.
bool darkModeWanted(bool available, std::optional<uint32_t> appsUseLightTheme);

// What a "Button" window is, by the kind in the low bits of its style.
enum class ButtonKind { Push, GroupBox, CheckBox, RadioButton };
ButtonKind buttonKind(uint32_t style);
// A static control that shows plain text (left, centred or right aligned), not an icon, frame
// or picture.
bool isTextStatic(uint32_t style);

// ---- the hot-key control ----

// The modifier bits of a hot-key control's value (its high byte).
namespace hot_key_modifiers {
constexpr uint8_t kShift = 0x01;
constexpr uint8_t kControl = 0x02;
constexpr uint8_t kAlt = 0x04;
constexpr uint8_t kExtended = 0x08;
}  // namespace hot_key_modifiers

constexpr size_t kHotKeyNameLimit = 32;
constexpr size_t kHotKeyTextLimit = 64;
constexpr size_t kHotKeyNoneTextLimit = 16;

// "Ctrl + Shift + Alt + <key name>" with the modifiers that are set, for a value of the control
// (low byte virtual key, high byte modifiers); `noneText` when neither a key nor a modifier is.
std::u16string hotKeyText(uint16_t hotKey, std::u16string_view keyName, std::u16string_view noneText);

// ---- the dialog enlarger ----

struct Size {
    int32_t width, height;
    bool operator==(const Size& other) const { return width == other.width && height == other.height; }
};
struct Area {
    int32_t left, top, right, bottom;
    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
};

// How much the dialog grows to fill the work area in the tighter direction; nothing when
// either has no size, so that the dialog is left alone.
std::optional<double> enlargeFactor(Size dialog, Size workArea);
// A length or position times the factor, truncated. Sizes keep at least one pixel so that no
// window is made empty.
int32_t scaledPosition(int32_t value, double factor);
int32_t scaledSize(int32_t value, double factor);

struct FontScale {
    int32_t height;  // as in LOGFONT: negative for the character height, 0 for the default
    int32_t width;
    int32_t weight;
};
// The enlarged font's height and width times the factor; semi-bold when the dialog grew.
FontScale enlargedFont(int32_t height, int32_t width, double factor);

// Where the enlarged dialog goes: 0 top-left of the work area, 1 top-right, 2 bottom-left,
// 3 bottom-right, 5 centred; any other placement leaves it where it is.
std::optional<Point> placedPosition(int placement, Size dialog, Area workArea);

}  // namespace wavelith
