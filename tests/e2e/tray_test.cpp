// The tray from outside: the icon and the state it shows, the menu and its commands, the left
// click, the control message, and the icon's return when the shell says it has restarted.
#include "tests/e2e/harness.h"

namespace wavelith::e2e {

namespace {

constexpr POINT kTrayIconCentre{1013, 690};
constexpr POINT kAwayFromTheTray{640, 400};

// A pointer resting on the icon brings up its tooltip over the pixels the icon tests compare.
void keepPointerAwayFromTheTray() {
    if (xdotoolAvailable()) {
        EXPECT_TRUE(movePointer(kAwayFromTheTray.x, kAwayFromTheTray.y));
    }
}

UINT taskbarCreatedMessage() { return RegisterWindowMessageW(L"TaskbarCreated"); }

// Waits for the tray to show something other than `before`, and returns it once it has settled.
std::vector<COLORREF> trayChangedFrom(const std::vector<COLORREF>& before) {
    waitUntil([&] { return trayIconPixels() != before; }, kInputDeadline);
    return settledTrayIconPixels();
}

bool trayShows(const std::vector<COLORREF>& expected) {
    return waitUntil([&] { return trayIconPixels() == expected; }, kInputDeadline);
}

}  // namespace

// ---- the menu -----------------------------------------------------------------------------------

using TrayMenuTest = WavelithTest;

TEST_F(TrayMenuTest, RightClickOpensTheMenuAndItsPauseItemToggles) {
    for (const wchar_t* language : {L"EN", L"JA"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(language)));
        ASSERT_TRUE(storeValue(L"NoOpeningDlg", dwordValue(1)));  // the Japanese start would greet the user
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        std::unique_ptr<ScopedEnvironment> environment = std::make_unique<ScopedEnvironment>(L"QUELLIX_LANG", language);
        AppProcess& app = start();
        environment.reset();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        ASSERT_TRUE(shakesOnTimer(window, observer));

        HWND menu = openTrayMenu(app);
        ASSERT_TRUE(menu) << "no menu on a right click";
        ASSERT_TRUE(dismissMenu(menu));
        EXPECT_TRUE(shakesOnTimer(window, observer)) << "a dismissed menu changed something";

        // Both menus underline P for Pause.
        for (bool shakingAfter : {false, true}) {
            menu = openTrayMenu(app);
            ASSERT_TRUE(menu);
            ASSERT_TRUE(chooseMenuItem(menu, L'p'));
            EXPECT_EQ(shakesOnTimer(window, observer), shakingAfter);
        }
        EXPECT_EQ(app.end(), 0u);
    }
}

TEST_F(TrayMenuTest, ARealRightClickOnTheIconOpensTheMenu) {
    if (!xdotoolAvailable()) GTEST_SKIP() << "xdotool is not installed";
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(trayIconExists(window));
    ASSERT_TRUE(runXdotool(L"mousemove " + std::to_wstring(kTrayIconCentre.x) + L" " +
                           std::to_wstring(kTrayIconCentre.y) + L" click 3"));
    HWND menu = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (menu = app.openMenu()) != nullptr; }, kInputDeadline))
        << "no menu; is the icon not where the shell puts the first one?";
    if (menu) {
        EXPECT_TRUE(dismissMenu(menu));
    }
    keepPointerAwayFromTheTray();
    EXPECT_TRUE(app.running());
}

TEST_F(TrayMenuTest, LeftClickTogglesThePauseOnlyWithClickToPause) {
    for (bool clickToPause : {false, true}) {
        SCOPED_TRACE(clickToPause ? "ClickToPause" : "default");
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        if (clickToPause) {
            ASSERT_TRUE(storeValue(L"ClickToPause", dwordValue(1)));
        }
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        AppProcess& app = start();
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        for (bool shakingAfter : {!clickToPause, true}) {
            ASSERT_TRUE(sendWithin(window, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP));
            EXPECT_EQ(shakesOnTimer(window, observer), shakingAfter);
        }
        EXPECT_EQ(app.end(), 0u);
    }
}

// ---- the control message ------------------------------------------------------------------------

using ControlMessageTest = WavelithTest;

TEST_F(ControlMessageTest, UnknownArgumentsToggleAndUnknownCommandsAreIgnored) {
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    struct Step {
        WPARAM command;
        LPARAM argument;
        bool shakingAfter;
    };
    const Step steps[] = {
        {kCommandPause, 7, false},  // neither on nor off: toggle
        {32774, kPauseTurnOn, false},  // a command number that does nothing
        {kCommandPause, -1, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.command << ", " << step.argument);
        ASSERT_TRUE(sendWithin(window, kControlMessage, step.command, step.argument));
        EXPECT_EQ(shakesOnTimer(window, observer), step.shakingAfter);
    }
}

// ---- the icon -----------------------------------------------------------------------------------

using TrayIconTest = WavelithTest;

TEST_F(TrayIconTest, ShowsOneIconWhileRunningAndAnotherWhilePaused) {
    keepPointerAwayFromTheTray();
    std::vector<COLORREF> empty = settledTrayIconPixels();
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    ASSERT_TRUE(trayIconExists(window));
    std::vector<COLORREF> running = trayChangedFrom(empty);
    ASSERT_NE(running, empty) << "no icon on screen";

    ASSERT_EQ(runSecondInstance(L"/P"), 0u);
    std::vector<COLORREF> paused = trayChangedFrom(running);
    EXPECT_NE(paused, running) << "the icon does not show the pause";
    EXPECT_NE(paused, empty);
    ASSERT_EQ(runSecondInstance(L"/P"), 0u);
    EXPECT_TRUE(trayShows(running)) << "the running icon did not come back";

    ASSERT_EQ(app.end(), 0u);
    EXPECT_TRUE(trayShows(empty)) << "the icon outlived the program";
}

TEST_F(TrayIconTest, TaskbarCreatedAddsTheIconBackInItsCurrentState) {
    keepPointerAwayFromTheTray();
    std::vector<COLORREF> empty = settledTrayIconPixels();
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"/P");
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    std::vector<COLORREF> paused = trayChangedFrom(empty);

    // What a restarting shell does to the icon.
    ASSERT_TRUE(removeTrayIcon(window));
    ASSERT_FALSE(trayIconExists(window));
    ASSERT_TRUE(trayShows(empty));
    ASSERT_TRUE(sendWithin(window, taskbarCreatedMessage(), 0, 0));
    EXPECT_TRUE(trayIconExists(window)) << "the icon was not added again";
    EXPECT_TRUE(trayShows(paused)) << "the icon came back without the paused look";

    // The message without a restart: adding fails, the icon stays and still works.
    ASSERT_TRUE(sendWithin(window, taskbarCreatedMessage(), 0, 0));
    EXPECT_TRUE(trayIconExists(window));
    EXPECT_TRUE(trayShows(paused));
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L'p'));
    EXPECT_TRUE(shakesOnTimer(window, observer));
}

TEST_F(TrayIconTest, ArgumentModeHasNoIconAndNoMenu) {
    AppProcess& app = start(L"300 5");
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    EXPECT_FALSE(trayIconExists(window));
    ASSERT_TRUE(sendWithin(window, taskbarCreatedMessage(), 0, 0));
    EXPECT_FALSE(trayIconExists(window)) << "TaskbarCreated added an icon in argument mode";
    // A menu would hold this message in its modal loop; none returns at once.
    EXPECT_TRUE(sendWithin(window, kTrayCallbackMessage, kTrayIconId, WM_RBUTTONUP, milliseconds(3000)));
    HWND menu = app.openMenu();
    EXPECT_FALSE(menu);
    if (menu) dismissMenu(menu);
}

}  // namespace wavelith::e2e
