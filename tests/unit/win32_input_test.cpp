// The input-device built-ins on the real desktop, where Wine shows their effect.
#include "platform/text.h"
#include "platform/win32_desktop.h"
#include "script/interp/run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace wavelith {

namespace {

// Runs a script on the real desktop; message boxes only record their texts.
struct Win32ScriptRunner {
    Win32Desktop desktop;
    HWND owner;
    script::ScriptHostCallbacks host;
    std::vector<std::string> shown;
    std::vector<unsigned> codes;

    Win32ScriptRunner() {
        // As the tray program's main window: Windows lets only an owner set clipboard data.
        owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        host.ownerWindow = owner;
        host.desktop = &desktop;
        host.messageBox = [this](void*, const std::u16string& text, const std::u16string&, uint32_t) {
            shown.push_back(utf16ToUtf8(text));
            return 1;
        };
        host.messageSink = [this](unsigned code, int32_t, const std::u16string&) { codes.push_back(code); };
    }

    ~Win32ScriptRunner() { DestroyWindow(owner); }
    Win32ScriptRunner(const Win32ScriptRunner&) = delete;
    Win32ScriptRunner& operator=(const Win32ScriptRunner&) = delete;

    // The value of one expression, in its string form.
    std::string show(const std::string& expression, const std::string& before = "") {
        shown.clear();
        std::u16string text = utf8ToUtf16(before + "MESSAGE((" + expression + "))\n");
        script::qx_script(text.c_str(), &host);
        return shown.empty() ? "<no box>" : shown.back();
    }
};

TEST(Win32InputBuiltins, CursorPositionIsReadBack) {
    Win32ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + SETCURSORPOS(123, 77) + \" \" + GETCURSORPOSX() + \",\" + GETCURSORPOSY()"), "1 123,77");
    EXPECT_EQ(runner.show("\"\" + SETCURSORPOS(321, 200) + \" \" + GETCURSORPOSX() + \",\" + GETCURSORPOSY()"), "1 321,200");
}

TEST(Win32InputBuiltins, ClipboardRoundTrip) {
    Win32ScriptRunner runner;
    const std::string text = "\xE6\x97\xA5\xE6\x9C\xAC line\\r\\nnext \xF0\x9F\x98\x80";
    EXPECT_EQ(runner.show("\"\" + SETCLIPBOARDTEXT(\"" + text + "\") + \"|\" + GETCLIPBOARDTEXT()"),
              "1|\xE6\x97\xA5\xE6\x9C\xAC line\r\nnext \xF0\x9F\x98\x80");
    // What another program put there reads the same way.
    ASSERT_TRUE(OpenClipboard(runner.owner));
    EmptyClipboard();
    const wchar_t other[] = L"from elsewhere";
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof other);
    std::memcpy(GlobalLock(block), other, sizeof other);
    GlobalUnlock(block);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, block));
    CloseClipboard();
    EXPECT_EQ(runner.show("GETCLIPBOARDTEXT()"), "from elsewhere");
    EXPECT_EQ(runner.show("\"\" + SETCLIPBOARDTEXT(\"\") + \"[\" + GETCLIPBOARDTEXT() + \"]\""), "1[]");
}

TEST(Win32InputBuiltins, MonitorsAndMetricsAreTheSystemsOwn) {
    Win32ScriptRunner runner;
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT rect, LPARAM found) -> BOOL {
            reinterpret_cast<std::vector<RECT>*>(found)->push_back(*rect);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    ASSERT_FALSE(monitors.empty());
    const RECT& first = monitors[0];
    EXPECT_EQ(runner.show("\"\" + GETMONITORSRECT(\"l\", \"t\", \"r\", \"b\", \"w\", \"h\") + \":\" + l[0] + \",\" + t[0] + "
                          "\",\" + r[0] + \",\" + b[0] + \",\" + w[0] + \",\" + h[0]"),
              std::to_string(monitors.size()) + ":" + std::to_string(first.left) + "," + std::to_string(first.top) + "," +
                  std::to_string(first.right) + "," + std::to_string(first.bottom) + "," +
                  std::to_string(first.right - first.left) + "," + std::to_string(first.bottom - first.top));
    EXPECT_EQ(runner.show("\"\" + GETSYSTEMMETRICS(SM_CXSCREEN) + \",\" + GETSYSTEMMETRICS(SM_CYSCREEN) + \",\" + "
                          "GETSYSTEMMETRICS(SM_CMONITORS) + \",\" + GETSYSTEMMETRICS(SM_CXVIRTUALSCREEN)"),
              std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "," + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + "," +
                  std::to_string(GetSystemMetrics(SM_CMONITORS)) + "," +
                  std::to_string(GetSystemMetrics(SM_CXVIRTUALSCREEN)));
    EXPECT_GT(GetSystemMetrics(SM_CXSCREEN), 0);
}

TEST(Win32InputBuiltins, ScrollLockPressIsSeenByGetKeyState) {
    Win32ScriptRunner runner;
    auto scrollLock = [&]() { return std::stoi(runner.show("GETKEYSTATE(VK_SCROLL)")); };
    int before = scrollLock();
    EXPECT_EQ(runner.show("\"\" + KEYBDEVENT(VK_SCROLL, 1) + KEYBDEVENT(VK_SCROLL, 0)"), "11");
    int after = scrollLock();
    EXPECT_EQ(after & 1, (before & 1) ^ 1) << "the toggle flipped";
    EXPECT_GE(after, 0) << "released";
    // Leave it as it was for whatever runs next.
    runner.show("KEYBDEVENT(VK_SCROLL, 1) + KEYBDEVENT(VK_SCROLL, 0)");
    EXPECT_EQ(scrollLock() & 1, before & 1);
}

TEST(Win32InputBuiltins, WithoutAForegroundWindowTheImeAndTitleAnswerEmpty) {
    if (GetForegroundWindow()) GTEST_SKIP() << "a window has the foreground here";
    Win32ScriptRunner runner;
    EXPECT_EQ(runner.show("\"\" + GETIMESTATE() + \" \" + SETIMESTATE(1) + \" [\" + GETACTIVEWINDOWTITLE() + \"]\""),
              "-1 0 []");
}

TEST(Win32InputBuiltins, KeyboardListHasNamesCutBeforeTheirSecondHash) {
    Win32ScriptRunner runner;
    std::string listed = runner.show("\"\" + GETKEYINPUTDEVICELIST(\"k\") + \"|\" + JOIN(\"k\", \"|\")");
    int count = std::stoi(listed);
    EXPECT_GE(count, 0);
    // Each stored name has at most one '#'.
    size_t bar = listed.find('|');
    std::string names = listed.substr(bar + 1);
    size_t hashes = 0;
    for (char c : names) hashes += c == '#';
    EXPECT_LE(hashes, static_cast<size_t>(count));
}

}  // namespace

}  // namespace wavelith
