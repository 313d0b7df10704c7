// Pausing from outside beyond the pause commands: the pause hotkey pressed on the keyboard, a
// hotkey that another program holds already, and the automatic resume after ReOnSec seconds.
#include "tests/e2e/harness.h"

namespace wavelith::e2e {

namespace {

constexpr int kOwnHotkeyId = 0x2E2E;

// The test's own registration of a key, as another program would hold it.
class HeldHotkey {
public:
    HeldHotkey(UINT modifiers, UINT virtualKey) : held_(RegisterHotKey(nullptr, kOwnHotkeyId, modifiers, virtualKey)) {}
    ~HeldHotkey() {
        if (held_) UnregisterHotKey(nullptr, kOwnHotkeyId);
    }
    HeldHotkey(const HeldHotkey&) = delete;
    HeldHotkey& operator=(const HeldHotkey&) = delete;
    bool held() const { return held_; }

    // Whether the key was pressed for this registration, within `timeout`.
    bool waitForPress(milliseconds timeout = kInputDeadline) const {
        MSG message;
        return waitUntil(
            [&] {
                return PeekMessageW(&message, nullptr, WM_HOTKEY, WM_HOTKEY, PM_REMOVE) && message.wParam == kOwnHotkeyId;
            },
            timeout);
    }

private:
    bool held_;
};

const wchar_t* const kPressCtrlAltA = L"key ctrl+alt+a";

}  // namespace

using PauseHotkeyTest = WavelithTest;

TEST_F(PauseHotkeyTest, StoredHotkeyTogglesThePauseWhenPressed) {
    if (!xdotoolAvailable()) GTEST_SKIP() << "xdotool is not installed: no way to press a real key";
    // Shift+A is not allowed alone and is taken as Ctrl+Alt+A.
    for (DWORD hotkey : {0x0641u, 0x0141u}) {
        SCOPED_TRACE(testing::Message() << "HOTKEY_PAUSE 0x" << std::hex << hotkey);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        ASSERT_TRUE(storeValue(L"HOTKEY_PAUSE", dwordValue(hotkey)));
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        AppProcess& app = start();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        ASSERT_TRUE(shakesOnTimer(window, observer));
        for (bool shakingAfter : {false, true}) {
            ASSERT_TRUE(runXdotool(kPressCtrlAltA));
            EXPECT_TRUE(waitUntilShaking(window, observer, shakingAfter)) << "Ctrl+Alt+A did not toggle the pause";
        }
        EXPECT_EQ(app.end(), 0u);
    }
}

TEST_F(PauseHotkeyTest, HotkeyHeldByAnotherProgramGivesANoticeAndStaysWithIt) {
    HeldHotkey held(MOD_CONTROL | MOD_ALT, 'A');
    ASSERT_TRUE(held.held()) << "Ctrl+Alt+A is taken already";
    struct Language {
        const wchar_t* name;
        const wchar_t* notice;
    };
    for (const Language& language : {Language{L"EN", L"Cannot Register the hotkey."},
                                     Language{L"JA", L"ホットキーを登録できません。"}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(language.name)));
        ASSERT_TRUE(storeValue(L"HOTKEY_PAUSE", dwordValue(0x0641)));
        ASSERT_TRUE(storeValue(L"NoOpeningDlg", dwordValue(1)));
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        auto environment = std::make_unique<ScopedEnvironment>(L"QUELLIX_LANG", language.name);
        AppProcess& app = start();
        environment.reset();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        EXPECT_TRUE(waitForBalloon(language.notice)) << "no notice about the hotkey";
        if (xdotoolAvailable()) {
            ASSERT_TRUE(runXdotool(kPressCtrlAltA));
            EXPECT_TRUE(held.waitForPress()) << "the key no longer reaches the program that held it first";
            EXPECT_TRUE(shakesOnTimer(window, observer)) << "the key paused the program all the same";
        }
        EXPECT_EQ(app.end(), 0u);
    }
}

using ReOnTest = WavelithTest;

TEST_F(ReOnTest, APauseEndsByItselfAfterReOnSecSeconds) {
    ASSERT_TRUE(storeValue(L"ReOnSec", dwordValue(2)));
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_EQ(runSecondInstance(L"/P"), 0u);
    EXPECT_FALSE(shakesOnTimer(window, observer)) << "the pause did not take";
    EXPECT_TRUE(waitUntilShaking(window, observer, true, milliseconds(6000))) << "the pause did not end by itself";
}

}  // namespace wavelith::e2e
