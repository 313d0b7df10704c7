// Steps of the tests that walk the program's dialogs: pressing a button and answering the
// message box it brings.
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

}  // namespace wavelith::e2e
