// The opening dialog (first-start guidance) and the already-running dialog.
#pragma once

#include <windows.h>

namespace wavelith {

// The already-running dialog's result that asks to end the running instance.
constexpr int kForceExitResult = IDYES;

// Asks what to do about the running instance; returns kForceExitResult for Force Exit.
int runAlreadyRunningDialog();
// Modeless first-start guidance, owned by the main window (Japanese only).
void createOpeningDialog(HWND owner);

}  // namespace wavelith
