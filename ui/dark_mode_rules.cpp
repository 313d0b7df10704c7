#include "ui/dark_mode_rules.h"

#include <cmath>
#include <limits>

namespace wavelith {

bool darkModeAvailable(uint32_t majorVersion) { return majorVersion > 9; }

bool darkModeWanted(bool available, std::optional<uint32_t> appsUseLightTheme) {
    return available && appsUseLightTheme == 0u;
}

ButtonKind buttonKind(uint32_t style) {
    switch (style & 0x0F) {
        case 2:  // check box
        case 3:  // automatic check box
        case 5:  // three-state
        case 6:  // automatic three-state
            return ButtonKind::CheckBox;
        case 4:  // radio button
        case 9:  // automatic radio button
            return ButtonKind::RadioButton;
        case 7: return ButtonKind::GroupBox;
        default: return ButtonKind::Push;  // push, default push, owner-drawn, split, command link
    }
}

bool isTextStatic(uint32_t style) { return (style & 0x1F) < 3; }

std::u16string hotKeyText(uint16_t hotKey, std::u16string_view keyName, std::u16string_view noneText) {
    using namespace hot_key_modifiers;
    const auto virtualKey = static_cast<uint8_t>(hotKey & 0xFF);
    const auto modifiers = static_cast<uint8_t>(hotKey >> 8);
    // The extended-key bit only says which of two keys of one name is meant.
    if (virtualKey == 0 && (modifiers & (kControl | kShift | kAlt)) == 0)
        return std::u16string(noneText.substr(0, kHotKeyNoneTextLimit));
    std::u16string text;
    if (modifiers & kControl) text += u"Ctrl + ";
    if (modifiers & kShift) text += u"Shift + ";
    if (modifiers & kAlt) text += u"Alt + ";
    text += keyName.substr(0, kHotKeyNameLimit);
    if (text.size() > kHotKeyTextLimit) text.resize(kHotKeyTextLimit);
    return text;
}

std::optional<double> enlargeFactor(Size dialog, Size workArea) {
    if (dialog.width <= 0 || dialog.height <= 0 || workArea.width <= 0 || workArea.height <= 0) return std::nullopt;
    double horizontal = static_cast<double>(workArea.width) / dialog.width;
    double vertical = static_cast<double>(workArea.height) / dialog.height;
    return horizontal < vertical ? horizontal : vertical;
}

int32_t scaledPosition(int32_t value, double factor) {
    double scaled = std::trunc(value * factor);
    // Out-of-range doubles do not convert to integers; no screen is that large anyway.
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    if (!(scaled >= lowest)) return std::numeric_limits<int32_t>::min();
    if (scaled > highest) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(scaled);
}

int32_t scaledSize(int32_t value, double factor) {
    if (value <= 0) return value;
    int32_t scaled = scaledPosition(value, factor);
    return scaled < 1 ? 1 : scaled;
}

FontScale enlargedFont(int32_t height, int32_t width, double factor) {
    auto scaleKeepingSign = [factor](int32_t value) {
        // 0 stands for "the default size": it stays that; anything else keeps its sign.
        if (value == 0) return 0;
        int32_t scaled = scaledPosition(value, factor);
        if (value > 0) return scaled < 1 ? 1 : scaled;
        return scaled > -1 ? -1 : scaled;
    };
    return FontScale{scaleKeepingSign(height), scaleKeepingSign(width), factor > 1 ? 600 : 400};
}

std::optional<Point> placedPosition(int placement, Size dialog, Area workArea) {
    const int32_t right = workArea.right - dialog.width;
    const int32_t bottom = workArea.bottom - dialog.height;
    switch (placement) {
        case 0: return Point{workArea.left, workArea.top};
        case 1: return Point{right, workArea.top};
        case 2: return Point{workArea.left, bottom};
        case 3: return Point{right, bottom};
        case 5:
            return Point{workArea.left + (workArea.width() - dialog.width) / 2,
                         workArea.top + (workArea.height() - dialog.height) / 2};
        default: return std::nullopt;
    }
}

}  // namespace wavelith
