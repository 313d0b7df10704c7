// The about dialog as a user walks it: opened from the tray menu, its version, the environment
// report copied on OK and not on Cancel, and a right-click on the tray icon that closes it.
#include "tests/e2e/dialog_steps.h"

#include "wavelith_version.h"

#include <cwchar>

namespace wavelith::e2e {

namespace {

constexpr int kVersionText = 2002;
constexpr int kEnvironmentButton = 2005;

// What the build's version looks like in About: 3.1.4.0 reads "ver.3.14.00".
std::wstring buildVersionLabel() {
    wchar_t label[64] = {};
    std::swprintf(label, 64, L"ver.%d.%d%d.%02d", WAVELITH_VERSION_MAJOR, WAVELITH_VERSION_MINOR,
                  WAVELITH_VERSION_PATCH, WAVELITH_VERSION_TWEAK);
    return label;
}

// The clipboard is shared with the program, which may hold it open for a moment.
bool openClipboard() {
    return waitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kInputDeadline);
}

bool putOnClipboard(const std::wstring& text) {
    if (!openClipboard()) return false;
    bool done = false;
    if (EmptyClipboard()) {
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
            std::wmemcpy(static_cast<wchar_t*>(GlobalLock(memory)), text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            done = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
            if (!done) GlobalFree(memory);
        }
    }
    CloseClipboard();
    return done;
}

std::wstring clipboardText() {
    if (!openClipboard()) return L"(clipboard busy)";
    std::wstring text = L"(no text)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool userAccountControlKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                      KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool has(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

}  // namespace

using AboutTest = WavelithTest;

TEST_F(AboutTest, EnvironmentReportIsCopiedOnOkOnlyAndTheTrayMenuClosesTheDialog) {
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L'A'));
    HWND about = app.waitForDialogTitled(L"About");
    ASSERT_TRUE(about) << "no About dialog";
    const std::wstring version = dialogItemText(about, kVersionText);
    const std::wstring clientLine = L"Wavelith " + buildVersionLabel();
    EXPECT_EQ(version.substr(0, version.find(L'\r')), clientLine) << version;

    // Cancel first: the marker must survive it.
    ASSERT_TRUE(putOnClipboard(L"marker"));
    press(about, kEnvironmentButton);
    HWND box = app.waitForDialogTitled(L"KTRVLite", kInputDeadline);
    ASSERT_TRUE(box) << "no report box";
    ASSERT_TRUE(clickButton(box, IDCANCEL));
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }, kInputDeadline));

    press(about, kEnvironmentButton);
    box = app.waitForDialogTitled(L"KTRVLite", kInputDeadline);
    ASSERT_TRUE(box);
    // The program has finished with the Cancel before it shows the next report.
    EXPECT_EQ(clipboardText(), L"marker");
    const std::wstring shown = dialogItemText(box, kMessageBoxTextId);
    const std::wstring separator = L"\r\n------------------------\r\n";
    ASSERT_TRUE(has(shown, separator)) << shown;
    const std::wstring report = shown.substr(0, shown.find(separator));
    EXPECT_EQ(shown.substr(shown.find(separator) + separator.size()), L"Please click the [OK] button to copy to clipboard.");
    EXPECT_EQ(report.rfind(L"KTRVLite ver.", 0), 0u) << report;
    for (const wchar_t* section : {L"\r\n[Windows]\r\n", L"\r\n[Screen]\r\n", L"\r\n[Other]\r\n"})
        EXPECT_TRUE(has(report, section)) << section << " missing from\n" << report;
    EXPECT_EQ(has(report, L"\r\n[User Account Control]\r\n EnableLUA="), userAccountControlKeyExists()) << report;
    EXPECT_TRUE(has(report, L"\r\n Monitor Info : ") && has(report, L" *primary")) << report;
    EXPECT_EQ(report.substr(report.find(L"\r\n[Client]")), L"\r\n[Client]\r\n " + clientLine);

    ASSERT_TRUE(clickButton(box, IDOK));
    EXPECT_EQ(answerMessageBox(app, IDOK, L"KTRVLite"), L"Writing data to the clipboard is complete.");
    EXPECT_EQ(clipboardText(), report);

    // While About is open a right-click on the icon closes it and opens the menu.
    menu = openTrayMenu(app);
    ASSERT_TRUE(menu) << "no menu while About was open";
    EXPECT_FALSE(IsWindow(about));
    EXPECT_TRUE(dismissMenu(menu));
}

}  // namespace wavelith::e2e
