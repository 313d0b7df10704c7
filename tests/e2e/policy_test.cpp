// The administrator's policy as it meets a user: values under the machine and user policy keys
// take effect at the next start, and the settings dialog shows what they govern.
#include "tests/e2e/dialog_steps.h"

#include <algorithm>

namespace wavelith::e2e {

namespace {

constexpr const wchar_t* kPolicyKey = L"SOFTWARE\\Policies\\Harvenlock\\QUELLIX";
constexpr int kDisableShutdown = 1010;
constexpr int kShutdownInfo = 1013;
constexpr int kEditScript = 1061;
constexpr int kInterval = 1001;
constexpr const wchar_t* kSetByAdministrator = L"Set by your administrator.";

// Policy values for one test; both policy keys are gone before and after, so that no other
// test starts under a policy.
class ScopedPolicy {
public:
    ScopedPolicy() { removeAll(); }
    ~ScopedPolicy() { removeAll(); }
    ScopedPolicy(const ScopedPolicy&) = delete;
    ScopedPolicy& operator=(const ScopedPolicy&) = delete;

    bool set(HKEY root, const wchar_t* name, DWORD value) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, kPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        bool written = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
                       ERROR_SUCCESS;
        RegCloseKey(key);
        return written;
    }

private:
    static void removeAll() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kPolicyKey);
        RegDeleteTreeW(HKEY_CURRENT_USER, kPolicyKey);
    }
};

bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

}  // namespace

using PolicyTest = WavelithTest;

TEST_F(PolicyTest, DisabledEndsTheStartWithItsMessageAndTheMachineKeyDecides) {
    ScopedPolicy policy;
    // The machine's explicit 0 overrules the user's 1.
    ASSERT_TRUE(policy.set(HKEY_LOCAL_MACHINE, L"Disabled", 0));
    ASSERT_TRUE(policy.set(HKEY_CURRENT_USER, L"Disabled", 1));
    AppProcess& allowed = start();
    ASSERT_TRUE(allowed.waitForMainWindow()) << "the user's value won over the machine's";

    // The copy started before the policy can still be ended, as the installer does.
    ASSERT_TRUE(policy.set(HKEY_LOCAL_MACHINE, L"Disabled", 1));
    EXPECT_EQ(runSecondInstance(L"/X"), 0u);
    ASSERT_TRUE(allowed.waitForExit().has_value());

    storeDwords({{L"IntervalTimeMSec", 40000}});
    AppProcess& refused = start();
    EXPECT_EQ(answerMessageBox(refused, IDOK), L"Wavelith has been turned off by your administrator.");
    EXPECT_EQ(refused.waitForExit(), 3u);
    EXPECT_EQ(refused.mainWindow(), nullptr);
    EXPECT_EQ(storedValue(L"IntervalTimeMSec"), dwordValue(40000)) << "a refused start touched the settings";
}

TEST_F(PolicyTest, MinimumIntervalRaisesTheObservedInterval) {
    ScopedPolicy policy;
    ASSERT_TRUE(policy.set(HKEY_LOCAL_MACHINE, L"MinimumIntervalMSec", 1000));
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start(L"100 5");
    ASSERT_TRUE(app.waitForMainWindow());
    ASSERT_TRUE(observer.waitFor([](const auto& events) { return injectedMouseBursts(events).size() >= 4; },
                                 milliseconds(15000)));
    std::vector<MouseBurst> bursts = injectedMouseBursts(observer.events());
    std::vector<long long> gaps;
    for (size_t i = 1; i < bursts.size(); ++i)
        gaps.push_back(std::chrono::duration_cast<milliseconds>(bursts[i].start - bursts[i - 1].start).count());
    std::sort(gaps.begin(), gaps.end());
    long long median = gaps[gaps.size() / 2];
    EXPECT_GE(median, 850) << "the command line's 100 ms was not raised";
    EXPECT_LE(median, 2000);
}

TEST_F(PolicyTest, SettingsDialogShowsGovernedControlsDisabledAndKeepsTheUsersValues) {
    ScopedPolicy policy;
    ASSERT_TRUE(policy.set(HKEY_LOCAL_MACHINE, L"DisableShutdownBlock", 1));
    ASSERT_TRUE(policy.set(HKEY_CURRENT_USER, L"DisableScripts", 1));
    ASSERT_TRUE(policy.set(HKEY_CURRENT_USER, L"MinimumIntervalMSec", 90000));
    storeDwords({{L"DisableShutdown", 1}, {L"DisableShutdown_Info", 1}, {L"Intelligibility", 12},
                 {L"IntervalTimeMSec", 30000}, {L"IntervalTimeMSec2", 30000}, {L"NoOpeningDlg", 1}});
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    PostMessageW(app.mainWindow(), kControlMessage, 32772, 0);
    HWND dialog = app.waitForDialogTitled(L"Settings - Wavelith");
    ASSERT_NE(dialog, nullptr);

    EXPECT_FALSE(enabled(dialog, kDisableShutdown));
    EXPECT_FALSE(enabled(dialog, kShutdownInfo));
    EXPECT_FALSE(enabled(dialog, kEditScript)) << "the script button, although the script mode is chosen";
    EXPECT_TRUE(enabled(dialog, kInterval));
    EXPECT_EQ(dialogItemText(dialog, kInterval), L"30") << "the user's interval, not the minimum";
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, kDisableShutdown), BM_GETCHECK, 0, 0), BST_CHECKED);

    if (xdotoolAvailable()) {
        // A disabled control gets no mouse messages: its tip must still come.
        RECT box{};
        GetWindowRect(GetDlgItem(dialog, kDisableShutdown), &box);
        ASSERT_TRUE(movePointer(box.left + 8, (box.top + box.bottom) / 2));
        EXPECT_TRUE(waitUntil(
            [] {
                auto texts = visibleTooltipTexts();
                return std::find(texts.begin(), texts.end(), kSetByAdministrator) != texts.end();
            },
            kInputDeadline))
            << "no tooltip over the disabled box";
        movePointer(640, 400);
    }

    press(dialog, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    EXPECT_EQ(storedValue(L"DisableShutdown"), dwordValue(1));
    EXPECT_EQ(storedValue(L"Intelligibility"), dwordValue(12));
    EXPECT_EQ(storedValue(L"IntervalTimeMSec"), dwordValue(30000));
}

}  // namespace wavelith::e2e
