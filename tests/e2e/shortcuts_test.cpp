// The shortcut buttons of the settings dialog as a user meets them: asked, created, kept on
// No, deleted, and the captions saying what the next click will do.
#include "tests/e2e/dialog_steps.h"

#include <shlobj.h>

namespace wavelith::e2e {

namespace {

constexpr int kStartupButton = 1003;
constexpr int kDesktopButton = 1004;
const std::wstring kCreateStartup = L"Create a shortcut icon for this program on start&up folder";
const std::wstring kDeleteStartup = L"Delete a shortcut icon for this program on start&up folder";

std::wstring startupShortcut() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, folder))) return L"";
    return std::wstring(folder) + L"\\Wavelith.lnk";
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What the shortcut file points to, read back through the shell.
std::wstring shortcutTarget(const std::wstring& path) {
    std::wstring target;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t buffer[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, 0)))
                target = buffer;
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

bool captionBecomes(HWND dialog, int id, const std::wstring& caption) {
    return waitUntil([&] { return dialogItemText(dialog, id) == caption; }, kInputDeadline);
}

// Leaves no shortcut of a test behind, whatever the test did.
struct RemovedAtEnd {
    std::wstring path;
    ~RemovedAtEnd() { DeleteFileW(path.c_str()); }
};

}  // namespace

using ShortcutsTest = WavelithTest;

TEST_F(ShortcutsTest, StartupButtonCreatesKeepsOnNoAndDeletesTheShortcut) {
    const std::wstring link = startupShortcut();
    ASSERT_FALSE(link.empty());
    RemovedAtEnd cleanup{link};
    DeleteFileW(link.c_str());
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    PostMessageW(app.mainWindow(), kControlMessage, 32772, 0);
    HWND settings = app.waitForDialogTitled(L"Settings - Wavelith");
    ASSERT_TRUE(settings);
    EXPECT_EQ(dialogItemText(settings, kStartupButton), kCreateStartup);

    press(settings, kStartupButton);
    EXPECT_EQ(answerMessageBox(app, IDYES), L"Are you sure you want to register this software to your startup folder?");
    EXPECT_EQ(answerMessageBox(app, IDOK), L"Created a shortcut file.\n\n" + link);
    EXPECT_TRUE(exists(link));
    EXPECT_EQ(lstrcmpiW(shortcutTarget(link).c_str(), program().c_str()), 0) << "points to " << shortcutTarget(link);
    EXPECT_TRUE(captionBecomes(settings, kStartupButton, kDeleteStartup));

    press(settings, kStartupButton);
    EXPECT_EQ(answerMessageBox(app, IDNO), L"Are you sure you want to delete a startup shortcut file?");
    ASSERT_TRUE(sendWithin(settings, WM_NULL, 0, 0));  // the click has been handled
    EXPECT_TRUE(exists(link));
    EXPECT_EQ(dialogItemText(settings, kStartupButton), kDeleteStartup);

    press(settings, kStartupButton);
    EXPECT_EQ(answerMessageBox(app, IDYES), L"Are you sure you want to delete a startup shortcut file?");
    EXPECT_EQ(answerMessageBox(app, IDOK), L"Deleted a shortcut file.");
    EXPECT_FALSE(exists(link));
    EXPECT_TRUE(captionBecomes(settings, kStartupButton, kCreateStartup));

    // The desktop button's captions after a click are shorter than those it opens with.
    EXPECT_EQ(dialogItemText(settings, kDesktopButton), L"Create a shortcut icon for this program on &desktop folder");
    press(settings, kDesktopButton);
    EXPECT_EQ(answerMessageBox(app, IDNO), L"Are you sure you want to register this software to your desktop folder?");
    EXPECT_TRUE(captionBecomes(settings, kDesktopButton, L"Create shortcut in &Desktop folder"));
}

}  // namespace wavelith::e2e
