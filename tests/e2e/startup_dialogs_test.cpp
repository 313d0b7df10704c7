// The dialogs that help a user find the tray icon: a second start's already-running dialog with
// its three ways out, and the Japanese opening dialog that can be told not to come back.
#include "tests/e2e/dialog_steps.h"

namespace wavelith::e2e {

namespace {

constexpr int kForceExit = 6;
constexpr int kOpenSettings = 32772;
constexpr int kNoOpeningDialog = 1017;

bool showsPicture(HWND dialog, int id) {
    DWORD_PTR picture = 0;
    return SendMessageTimeoutW(GetDlgItem(dialog, id), STM_GETIMAGE, IMAGE_BITMAP, 0, SMTO_NORMAL, 5000, &picture) &&
           picture != 0;
}

}  // namespace

using StartupDialogsTest = WavelithTest;

TEST_F(StartupDialogsTest, AlreadyRunningSettingsOpensTheRunningInstancesSettings) {
    AppProcess& first = start();
    ASSERT_TRUE(first.waitForMainWindow());
    AppProcess& second = start();
    HWND dialog = second.waitForDialogTitled(L"Wavelith");
    ASSERT_TRUE(dialog) << "no already-running dialog";
    EXPECT_EQ(dialogItemText(dialog, kForceExit), L"&Force Exit");
    EXPECT_EQ(dialogItemText(dialog, kOpenSettings), L"&Settings...");
    EXPECT_EQ(dialogItemText(dialog, IDCANCEL), L"Cancel");
    for (int figure : {1058, 1059}) EXPECT_TRUE(showsPicture(dialog, figure)) << "no figure " << figure;

    press(dialog, kOpenSettings);
    EXPECT_EQ(second.waitForExit(), 0u);
    HWND settings = first.waitForDialogTitled(L"Settings - Wavelith");
    ASSERT_TRUE(settings) << "the running instance opened no settings dialog";
    press(settings, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(settings); }, kInputDeadline));
    EXPECT_TRUE(first.running());
}

TEST_F(StartupDialogsTest, JapaneseOpeningDialogCanBeToldNotToComeBack) {
    ScopedEnvironment japanese(L"QUELLIX_LANG", L"JA");
    {
        AppProcess& noSave = start(L"/N");
        HWND dialog = noSave.waitForDialogTitled(L"ウェーブリス");
        ASSERT_TRUE(dialog) << "no opening dialog";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kNoOpeningDialog))) << "a choice that cannot be saved";
        EXPECT_EQ(noSave.end(), 0u);
    }
    AppProcess& app = start();
    HWND dialog = app.waitForDialogTitled(L"ウェーブリス");
    ASSERT_TRUE(dialog) << "no opening dialog";
    EXPECT_TRUE(showsPicture(dialog, 1058));
    ASSERT_TRUE(clickButton(dialog, kNoOpeningDialog));
    press(dialog, IDCANCEL);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline));
    EXPECT_TRUE(waitUntil([] { return storedValue(L"NoOpeningDlg") == dwordValue(1); }, kInputDeadline))
        << "the box was not saved when the dialog closed";
    EXPECT_TRUE(app.running());
}

}  // namespace wavelith::e2e
