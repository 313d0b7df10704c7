// Steps of the tests that walk the program's dialogs: pressing a button, answering the
// message box it brings, finding the status dialog.
#pragma once

#include "tests/e2e/harness.h"

namespace wavelith::e2e {

// Presses a button without waiting: what it opens runs modally inside the program's handling.
inline void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The next message box of the program (its caption is the display name): its text, once
// answered with `button` and gone.
inline std::wstring answerMessageBox(const AppProcess& app, int button, const std::wstring& caption = L"Wavelith") {
    HWND box = app.waitForDialogTitled(caption, kInputDeadline);
    if (!box) return L"(no message box)";
    std::wstring text = dialogItemText(box, kMessageBoxTextId);
    clickButton(box, button);
    waitUntil([&] { return !IsWindow(box); }, kInputDeadline);
    return text;
}

constexpr int kStatusStateText = 1009;

// The status dialog is the visible dialog with the state text; a message box has none.
inline HWND waitForStatusDialog(const AppProcess& app) {
    HWND found = nullptr;
    waitUntil(
        [&] {
            for (HWND candidate : topLevelWindowsOf(app.id(), L"#32770"))
                if (IsWindowVisible(candidate) && GetDlgItem(candidate, kStatusStateText)) found = candidate;
            return found != nullptr || !app.running();
        },
        kStartDeadline);
    return found;
}

}  // namespace wavelith::e2e
