// Proof that the shakes work, from outside: a shake moves the system's last-input time, and the
// tray tooltip and the status dialog show when the last shake reached Windows.
#include "tests/e2e/dialog_steps.h"

#include <cstdio>
#include <iostream>

namespace wavelith::e2e {

namespace {

constexpr int kLastShakeText = 1066;
constexpr POINT kTrayIconCentre{1013, 690};

DWORD lastInputTick() {
    LASTINPUTINFO info{sizeof(info), 0};
    return GetLastInputInfo(&info) ? info.dwTime : 0;
}

std::wstring clock(const SYSTEMTIME& time) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
    return text;
}

}  // namespace

using InputProofTest = WavelithTest;

TEST_F(InputProofTest, AShakeReachesWindowsAndTheTooltipAndStatusDialogShowItsTime) {
    storeDwords({{L"OpenShowDlg", 1}});
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    HWND dialog = waitForStatusDialog(app);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialogItemText(dialog, kLastShakeText), L"-") << "no shake yet";

    // A quiet moment first, so that the shake's input is the only input after `before`.
    Sleep(100);
    DWORD before = GetTickCount();
    ASSERT_LT(static_cast<LONG>(lastInputTick() - before), 0);
    SYSTEMTIME from{}, to{};
    GetLocalTime(&from);
    ASSERT_TRUE(sendWithin(window, WM_TIMER, kShakeTimer, 0));
    GetLocalTime(&to);
    EXPECT_GE(static_cast<LONG>(lastInputTick() - before), 0) << "the shake did not count as input";
    // The time of a shake made between `from` and `to` (a test run across midnight fails here).
    auto isShakeTime = [&](const std::wstring& text) {
        std::wstring time = text.size() >= 8 ? text.substr(text.size() - 8) : L"";
        return time.size() == 8 && time >= clock(from) && time <= clock(to);
    };
    EXPECT_TRUE(waitUntil([&] { return isShakeTime(dialogItemText(dialog, kLastShakeText)); }, kInputDeadline))
        << testing::PrintToString(dialogItemText(dialog, kLastShakeText)) << " for a shake at "
        << testing::PrintToString(clock(from));

    // Three more that reach Windows: no warning that they did not.
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(sendWithin(window, WM_TIMER, kShakeTimer, 0));
    GetLocalTime(&to);
    EXPECT_FALSE(waitForBalloonWhere(
        [](const Balloon& shown) { return shown.text.find(L"did not reach") != std::wstring::npos; }, milliseconds(3000)));

    if (xdotoolAvailable()) {
        // A pointer resting on the icon brings up its tooltip.
        ASSERT_TRUE(movePointer(kTrayIconCentre.x, kTrayIconCentre.y));
        auto tip = waitForBalloonWhere(
            [](const Balloon& shown) { return shown.text.rfind(L"Wavelith \x2014 running, last shake ", 0) == 0; },
            kInputDeadline);
        ASSERT_TRUE(tip) << "tooltips on show: " << testing::PrintToString(visibleTooltipTexts());
        EXPECT_TRUE(isShakeTime(tip->text)) << testing::PrintToString(tip->text);
        EXPECT_TRUE(movePointer(640, 400));
    } else {
        std::cout << "[ NOTE     ] xdotool is not installed: the tooltip was not checked\n";
    }
    EXPECT_EQ(app.end(), 0u);
}

}  // namespace wavelith::e2e
