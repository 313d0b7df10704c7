// The settings dialog as a user meets it: opened from the tray and by another instance, its
// fields filled from the stored settings, typing filtered, Apply taking effect at once, bad
// input refused with its message, Cancel and the Japanese single interval.
#include "tests/e2e/dialog_steps.h"

#include <commctrl.h>

namespace wavelith::e2e {

namespace {

constexpr int kApply = 6;
constexpr int kInterval = 1001;
constexpr int kInterval2 = 1014;
constexpr int kHotkey = 1029;
constexpr int kShakeMode = 1030;
constexpr const wchar_t* kEnglishCaption = L"Settings - Wavelith";

HWND openSettingsByControlMessage(const AppProcess& app, const std::wstring& caption = kEnglishCaption) {
    // Posted: the dialog runs modally inside the program's handling of the message.
    PostMessageW(app.mainWindow(), kControlMessage, 32772, 0);
    return app.waitForDialogTitled(caption);
}

// Replaces the field's text key by key, as typing over a selection does.
void typeInto(HWND dialog, int id, const std::wstring& text) {
    HWND edit = GetDlgItem(dialog, id);
    sendWithin(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) sendWithin(edit, WM_CHAR, c, 0);
}

void selectShakeMode(HWND dialog, int mode) {
    sendWithin(GetDlgItem(dialog, kShakeMode), CB_SETCURSEL, mode, 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kShakeMode, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kShakeMode)));
}

bool storedBecomes(const std::wstring& key, DWORD value) {
    return waitUntil([&] { return storedValue(key) == dwordValue(value); }, kInputDeadline);
}

size_t injectedMoves(const std::vector<InputEvent>& events) {
    size_t moves = 0;
    for (const InputEvent& event : events) moves += event.injected() && event.message == WM_MOUSEMOVE;
    return moves;
}

}  // namespace

using SettingsDialogTest = WavelithTest;

TEST_F(SettingsDialogTest, OpensFromTheTrayAndFromAnotherInstanceOnce) {
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);

    PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    HWND dialog = app.waitForDialogTitled(kEnglishCaption);
    ASSERT_TRUE(dialog) << "a double click on the icon opened no settings dialog";
    EXPECT_EQ(dialogItemText(dialog, kInterval), L"50");
    EXPECT_EQ(dialogItemText(dialog, kInterval2), L"50");
    EXPECT_EQ(dialogItemText(dialog, 1003), L"Create a shortcut icon for this program on start&up folder");
    // A second request only brings the open dialog to the front.
    PostMessageW(window, kControlMessage, 32772, 0);
    PostMessageW(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(sendWithin(window, WM_NULL, 0, 0));
    EXPECT_EQ(topLevelWindowsOf(app.id(), L"#32770").size(), 1u);
    press(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));

    dialog = openSettingsByControlMessage(app);
    ASSERT_TRUE(dialog) << "the control message opened no settings dialog";
    press(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    EXPECT_EQ(app.end(), 0u);

    AppProcess& noSave = start(L"/N");
    ASSERT_TRUE(noSave.waitForMainWindow());
    EXPECT_TRUE(openSettingsByControlMessage(noSave, L"Settings - Wavelith (Non-save mode)"));
}

TEST_F(SettingsDialogTest, ApplyTakesEffectAtOnceAndBadInputChangesNothing) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    HWND dialog = openSettingsByControlMessage(app);
    ASSERT_TRUE(dialog);

    typeInto(dialog, kInterval, L"12a.3.45");
    EXPECT_EQ(dialogItemText(dialog, kInterval), L"12.345");

    // A shake every quarter second, by one pixel: only the new settings give shakes this soon.
    typeInto(dialog, kInterval, L"0.25");
    typeInto(dialog, kInterval2, L"0.25");
    selectShakeMode(dialog, 2);
    observer.clear();
    press(dialog, kApply);
    EXPECT_TRUE(storedBecomes(L"IntervalTimeMSec", 250)) << "Apply did not save at once";
    EXPECT_TRUE(storedBecomes(L"Intelligibility", 2));
    EXPECT_TRUE(observer.waitFor([](const auto& events) { return injectedMoves(events) >= 3; }))
        << "no shakes at the new interval";
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Apply closed the dialog";

    typeInto(dialog, kInterval, L"2147483.648");
    press(dialog, kApply);
    EXPECT_EQ(answerMessageBox(app, IDOK), L"IntervalTime is invalid number. Please specify between 0 and 2147483.647.");
    EXPECT_EQ(storedValue(L"IntervalTimeMSec"), dwordValue(250));

    press(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    dialog = openSettingsByControlMessage(app);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialogItemText(dialog, kInterval), L"0.25") << "Cancel kept the refused input";
    press(dialog, IDCANCEL);
}

TEST_F(SettingsDialogTest, HotkeySetInTheDialogWorksAtOnce) {
    if (!xdotoolAvailable()) GTEST_SKIP() << "xdotool is not installed: no way to press a real key";
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    HWND dialog = openSettingsByControlMessage(app);
    ASSERT_TRUE(dialog);
    sendWithin(GetDlgItem(dialog, kHotkey), HKM_SETHOTKEY, MAKEWORD('B', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    press(dialog, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    EXPECT_TRUE(storedBecomes(L"HOTKEY_PAUSE", 0x0642));
    ASSERT_TRUE(shakesOnTimer(window, observer));
    ASSERT_TRUE(runXdotool(L"key ctrl+alt+b"));
    EXPECT_TRUE(waitUntilShaking(window, observer, false)) << "the new hotkey did not pause";
}

TEST_F(SettingsDialogTest, JapaneseSingleIntervalIsBothBounds) {
    ScopedEnvironment japanese(L"QUELLIX_LANG", L"JA");
    storeDwords({{L"NoOpeningDlg", 1}});
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    HWND dialog = openSettingsByControlMessage(app, L"ウェーブリス");
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, kInterval2))) << "one interval shows one field";
    typeInto(dialog, kInterval, L"7");
    press(dialog, IDOK);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    EXPECT_TRUE(storedBecomes(L"IntervalTimeMSec", 7000));
    EXPECT_EQ(storedValue(L"IntervalTimeMSec2"), dwordValue(7000));
}

}  // namespace wavelith::e2e
