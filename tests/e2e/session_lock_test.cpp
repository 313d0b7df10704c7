// A locked session from outside: with PauseWhileLocked (on by default) a lock stops the shakes
// without pausing and the unlock brings them back at once; the tray item turns it off and saves
// at once, after which a lock changes nothing.
#include "tests/e2e/dialog_steps.h"

#include <wtsapi32.h>

namespace wavelith::e2e {

namespace {

size_t burstsWithin(InputObserver& observer, milliseconds time) {
    observer.clear();
    Sleep(static_cast<DWORD>(time.count()));
    observer.sync();
    return injectedMouseBursts(observer.events()).size();
}

bool sendSessionChange(HWND window, WPARAM event) {
    return sendWithin(window, WM_WTSSESSION_CHANGE, event, static_cast<LPARAM>(WTSGetActiveConsoleSessionId()));
}

}  // namespace

using SessionLockTest = WavelithTest;

TEST_F(SessionLockTest, ALockStopsTheShakesAndTheUnlockResumesThem) {
    storeDwords({{L"IntervalTimeMSec", 300}, {L"IntervalTimeMSec2", 300}, {L"OpenShowDlg", 1}});
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    HWND dialog = waitForStatusDialog(app);
    ASSERT_TRUE(dialog);
    ASSERT_GE(burstsWithin(observer, milliseconds(1500)), 3u) << "no shakes before the lock";

    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_LOCK));
    EXPECT_EQ(dialogItemText(dialog, kStatusStateText), L"Stopped(Locked)");
    EXPECT_EQ(burstsWithin(observer, milliseconds(1500)), 0u) << "shakes went on at the lock screen";
    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_UNLOCK));
    EXPECT_EQ(dialogItemText(dialog, kStatusStateText), L"Running");
    EXPECT_GE(burstsWithin(observer, milliseconds(1500)), 3u) << "the unlock did not bring the shakes back";

    // A pause the user made stays a pause across a lock.
    ASSERT_EQ(runSecondInstance(L"/P:OFF"), 0u);
    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_LOCK));
    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_UNLOCK));
    EXPECT_EQ(dialogItemText(dialog, kStatusStateText), L"Stopped");
    EXPECT_EQ(burstsWithin(observer, milliseconds(1000)), 0u);
    ASSERT_EQ(runSecondInstance(L"/P:ON"), 0u);

    // The tray item turns the rule off and saves at once.
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L'l'));
    EXPECT_TRUE(waitUntil([] { return storedValue(L"PauseWhileLocked") == dwordValue(0); }, kInputDeadline));
    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_LOCK));
    EXPECT_EQ(dialogItemText(dialog, kStatusStateText), L"Running");
    EXPECT_GE(burstsWithin(observer, milliseconds(1500)), 3u) << "a lock held the shakes back though the rule is off";
    ASSERT_TRUE(sendSessionChange(window, WTS_SESSION_UNLOCK));

    EXPECT_EQ(app.end(), 0u);
}

}  // namespace wavelith::e2e
