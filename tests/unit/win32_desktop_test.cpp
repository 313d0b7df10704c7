#include "platform/win32_desktop.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace wavelith {

TEST(Win32Desktop, SetCursorPosIsReadBack) {
    Win32Desktop desktop;
    desktop.setCursorPos({123, 77});
    EXPECT_EQ(desktop.getCursorPos(), (Point{123, 77}));
    desktop.setCursorPos({321, 200});
    EXPECT_EQ(desktop.getCursorPos(), (Point{321, 200}));
}

TEST(Win32Desktop, SwapMouseButtonReportsThePreviousState) {
    Win32Desktop desktop;
    bool original = desktop.swapMouseButton(true);
    EXPECT_TRUE(desktop.swapMouseButton(false));
    EXPECT_FALSE(desktop.swapMouseButton(original));
}

TEST(Win32Desktop, QueriesAnswerWhereTheSystemLacksTheFeature) {
    Win32Desktop desktop;
    EXPECT_EQ(desktop.getSystemMetrics(system_metrics::RemoteSession), GetSystemMetrics(SM_REMOTESESSION));
    // Without the WNF query (older systems, Wine) Focus Assist reads as off rather than failing.
    if (!GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQueryWnfStateData")) {
        EXPECT_FALSE(desktop.queryFocusAssist());
    }
}

}  // namespace wavelith
