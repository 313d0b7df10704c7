// Dark mode as a user sees it: the program's message boxes and dialogs follow the Windows
// setting for dark applications, read when the program starts.
#include <gtest/gtest.h>

#include "tests/e2e/dialog_steps.h"

#include <algorithm>
#include <optional>

namespace wavelith::e2e {

namespace {

constexpr const wchar_t* kPersonalizeKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kLightThemeValue = L"AppsUseLightTheme";

// Sets AppsUseLightTheme (or removes it, for nothing) while it lives and puts back what was
// there, so that the tests after it run light.
class LightThemeSetting {
public:
    explicit LightThemeSetting(std::optional<DWORD> value) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kPersonalizeKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                            &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD type = 0, previous = 0, size = sizeof(previous);
        if (RegQueryValueExW(key_, kLightThemeValue, nullptr, &type, reinterpret_cast<BYTE*>(&previous), &size) ==
                ERROR_SUCCESS &&
            type == REG_DWORD)
            previous_ = previous;
        applied_ = set(value);
    }
    ~LightThemeSetting() {
        if (!key_) return;
        set(previous_);
        RegCloseKey(key_);
    }
    LightThemeSetting(const LightThemeSetting&) = delete;
    LightThemeSetting& operator=(const LightThemeSetting&) = delete;

    bool applied() const { return applied_; }

private:
    bool set(std::optional<DWORD> value) {
        if (!key_) return false;
        if (!value) {
            LSTATUS status = RegDeleteValueW(key_, kLightThemeValue);
            return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
        }
        return RegSetValueExW(key_, kLightThemeValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*value),
                              sizeof(DWORD)) == ERROR_SUCCESS;
    }

    HKEY key_ = nullptr;
    std::optional<DWORD> previous_;
    bool applied_ = false;
};

// A colour as screenPixels reports it.
COLORREF screenPixel(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

RECT clientAreaOnScreen(HWND window, int inset = 0) {
    RECT area{};
    GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    InflateRect(&area, -inset, -inset);
    return area;
}

double shareOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
    if (pixels.empty()) return 0;
    return static_cast<double>(std::count(pixels.begin(), pixels.end(), screenPixel(colour))) / pixels.size();
}

// Whether some pixel is near white (`bright`) or near black: text stands out from its background.
bool anyTextPixel(const std::vector<COLORREF>& pixels, bool bright) {
    return std::any_of(pixels.begin(), pixels.end(), [bright](COLORREF pixel) {
        int channels[] = {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
                          static_cast<int>(pixel & 0xFF)};
        return std::all_of(std::begin(channels), std::end(channels),
                           [bright](int channel) { return bright ? channel > 200 : channel < 80; });
    });
}

const COLORREF kDarkBackground = RGB(56, 56, 56);

// The background once the window has painted it; a window may still be painting when it shows.
std::vector<COLORREF> paintedPixels(const RECT& area, COLORREF background) {
    std::vector<COLORREF> pixels;
    waitUntil(
        [&] {
            pixels = settledScreenPixels(area);
            return shareOf(pixels, background) > 0.5;
        },
        kStartDeadline);
    return pixels;
}

}  // namespace

using DarkModeTest = WavelithTest;

TEST_F(DarkModeTest, MessageBoxesAreDarkWhenWindowsAsksForDarkApplications) {
    const COLORREF lightFace = GetSysColor(COLOR_BTNFACE);
    ASSERT_NE(lightFace, kDarkBackground);
    for (bool dark : {true, false}) {
        SCOPED_TRACE(dark ? "AppsUseLightTheme = 0" : "no AppsUseLightTheme");
        LightThemeSetting setting(dark ? std::optional<DWORD>(0) : std::nullopt);
        ASSERT_TRUE(setting.applied());
        AppProcess& app = start();  // the setting is read at start
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        // An interval out of range refused by the settings dialog: a message box of the program.
        PostMessageW(window, kControlMessage, 32772, 0);
        HWND dialog = app.waitForDialogTitled(L"Settings - Wavelith");
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(sendWithin(GetDlgItem(dialog, 1001), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2147483.648")));
        press(dialog, 6);  // Apply
        HWND box = app.waitForDialogTitled(L"Wavelith", kInputDeadline);
        ASSERT_TRUE(box) << "no message box";
        const COLORREF background = dark ? kDarkBackground : lightFace;
        std::vector<COLORREF> pixels = paintedPixels(clientAreaOnScreen(box), background);
        EXPECT_GT(shareOf(pixels, background), 0.5) << "the box's background is not the expected colour";
        if (!dark) {
            EXPECT_EQ(shareOf(pixels, kDarkBackground), 0.0);
        }

        HWND text = GetDlgItem(box, kMessageBoxTextId);
        ASSERT_TRUE(text);
        std::vector<COLORREF> textPixels = screenPixels(clientAreaOnScreen(text));
        EXPECT_TRUE(anyTextPixel(textPixels, dark)) << "white text on dark, black on light";
        EXPECT_GT(shareOf(textPixels, background), 0.3) << "the message's background is the box's";

        ASSERT_TRUE(clickButton(box, IDOK));
        EXPECT_TRUE(PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0));
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
        EXPECT_EQ(app.end(), 0u);
    }
}

TEST_F(DarkModeTest, SettingsDialogIsDarkWithItsHotKeyControlPaintedDark) {
    LightThemeSetting setting(0);
    ASSERT_TRUE(setting.applied());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    PostMessageW(window, kControlMessage, 32772, 0);  // the tray menu's "Settings"
    HWND dialog = app.waitForDialogTitled(L"Settings - Wavelith");
    ASSERT_TRUE(dialog);

    EXPECT_GT(shareOf(paintedPixels(clientAreaOnScreen(dialog), kDarkBackground), kDarkBackground), 0.5);
    // The hot-key control would otherwise be an edit-like white box with black text.
    HWND hotKey = GetDlgItem(dialog, 1029);
    ASSERT_TRUE(hotKey);
    std::vector<COLORREF> hotKeyPixels = paintedPixels(clientAreaOnScreen(hotKey, 1), kDarkBackground);
    EXPECT_GT(shareOf(hotKeyPixels, kDarkBackground), 0.5);
    EXPECT_TRUE(anyTextPixel(hotKeyPixels, true)) << "the hot key's name is written in white";

    EXPECT_TRUE(PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
}

}  // namespace wavelith::e2e
