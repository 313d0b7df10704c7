// The status dialog as a user keeps it on screen: open at start when it was left open, showing
// the state as it changes, fading in under the mouse, and coming back where it was left.
#include "tests/e2e/dialog_steps.h"

#include <cstdlib>
#include <iostream>
#include <optional>

namespace wavelith::e2e {

namespace {

constexpr int kPauseBox = 1005;
constexpr int kTopmostBox = 1008;
constexpr int kStateText = kStatusStateText;

std::optional<int> layeredAlpha(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return std::nullopt;
    return alpha;
}

bool alphaBecomes(HWND window, int alpha) {
    return waitUntil([&] { return layeredAlpha(window) == alpha; }, kInputDeadline);
}

bool ticked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, 5000, &state);
    return state == BST_CHECKED;
}

RECT frameOf(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

bool closes(HWND dialog) { return waitUntil([&] { return !IsWindow(dialog); }, kInputDeadline); }

}  // namespace

using StatusDialogTest = WavelithTest;

TEST_F(StatusDialogTest, ShowsTheStateFadesUnderTheMouseAndRemembersWhereItWasClosed) {
    const bool pointer = xdotoolAvailable();
    // Away from where a centred dialog opens, so that it starts at its resting opacity.
    if (pointer) {
        ASSERT_TRUE(movePointer(5, 5));
    }
    storeDwords({{L"OpenShowDlg", 1}, {L"OpenShowDlgAlpha", 100}, {L"OpenShowDlgAlpha2", 255},
                 {L"OpenShowDlgLeft", 32000}, {L"OpenShowDlgTop", 32000}});
    AppProcess& app = start();
    HWND dialog = waitForStatusDialog(app);
    ASSERT_TRUE(dialog) << "no status dialog at start";
    EXPECT_EQ(windowText(dialog), L"Wavelith");
    EXPECT_TRUE(waitUntil([&] { return dialogItemText(dialog, kStateText) == L"Running"; }, kInputDeadline))
        << dialogItemText(dialog, kStateText);
    EXPECT_FALSE(ticked(dialog, kPauseBox));
    EXPECT_EQ(layeredAlpha(dialog), 100);

    // Off every monitor: centred in the work area.
    RECT work{}, frame = frameOf(dialog);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left + frame.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (work.top + work.bottom)), 2);

    // A pause from another instance shows at once, before any refresh tick could.
    ASSERT_EQ(runSecondInstance(L"/P:OFF"), 0u);
    EXPECT_EQ(dialogItemText(dialog, kStateText), L"Stopped");
    EXPECT_TRUE(ticked(dialog, kPauseBox));
    // Its own box resumes.
    ASSERT_TRUE(clickButton(dialog, kPauseBox));
    EXPECT_EQ(dialogItemText(dialog, kStateText), L"Running");
    EXPECT_FALSE(ticked(dialog, kPauseBox));

    if (pointer) {
        frame = frameOf(dialog);
        ASSERT_TRUE(movePointer((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2));
        EXPECT_TRUE(alphaBecomes(dialog, 255)) << "opaque under the mouse";
        ASSERT_TRUE(movePointer(5, 5));
        EXPECT_TRUE(alphaBecomes(dialog, 100)) << "translucent again once the mouse leaves";
    } else {
        std::cout << "[ NOTE     ] xdotool is not installed: the fade under the mouse was not checked\n";
    }

    // Where the user drags it is where Close leaves it.
    ASSERT_TRUE(SetWindowPos(dialog, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
    frame = frameOf(dialog);
    ASSERT_TRUE(clickButton(dialog, IDCANCEL));
    EXPECT_TRUE(closes(dialog));
    EXPECT_TRUE(app.running()) << "closing the dialog does not end the program";
    EXPECT_EQ(app.end(), 0u);
    EXPECT_EQ(storedValue(L"OpenShowDlg"), dwordValue(0)) << "closed by the user: not shown at the next start";
    EXPECT_EQ(storedValue(L"OpenShowDlgLeft"), dwordValue(static_cast<DWORD>(frame.left)));
    EXPECT_EQ(storedValue(L"OpenShowDlgTop"), dwordValue(static_cast<DWORD>(frame.top)));
}

TEST_F(StatusDialogTest, OpensWhereItWasLeftAndFollowsTheTrayMenu) {
    storeDwords({{L"OpenShowDlg", 1}, {L"OpenShowDlgTopmost", 1}, {L"OpenShowDlgLeft", 200},
                 {L"OpenShowDlgTop", 150}});
    AppProcess& app = start();
    HWND dialog = waitForStatusDialog(app);
    ASSERT_TRUE(dialog);
    RECT frame = frameOf(dialog);
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 150);
    EXPECT_TRUE(ticked(dialog, kTopmostBox));
    EXPECT_TRUE(GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // The menu item closes it; the dialog's modal loop served the tray while it was open.
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L't'));
    EXPECT_TRUE(closes(dialog));

    // And opens it again, at the same place.
    menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L't'));
    dialog = waitForStatusDialog(app);
    ASSERT_TRUE(dialog) << "the menu item did not open the dialog again";
    EXPECT_EQ(frameOf(dialog).left, 200);
    EXPECT_EQ(frameOf(dialog).top, 150);

    // The program ending with the dialog open keeps it for the next start.
    EXPECT_EQ(app.end(), 0u);
    EXPECT_EQ(storedValue(L"OpenShowDlg"), dwordValue(1));
    EXPECT_EQ(storedValue(L"OpenShowDlgTopmost"), dwordValue(1));
    EXPECT_EQ(storedValue(L"OpenShowDlgLeft"), dwordValue(200));
}

}  // namespace wavelith::e2e
