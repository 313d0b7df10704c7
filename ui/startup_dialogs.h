// The two dialogs that help the user find the program's icon in the notification area: the
// already-running dialog of a second start, and the Japanese opening dialog of a normal start.
#pragma once

#include "resources/resource.h"

#include <windows.h>

namespace wavelith {

// The already-running dialog's result that asks to end the running instance.
constexpr INT_PTR kForceExitResult = IDC_FORCE_EXIT;

// Modal, without owner: Force Exit, Settings (which the running instance is asked to open) or
// Cancel; returns the button's id.
INT_PTR runAlreadyRunningDialog();
// Modeless first-start guidance, owned by the main window (Japanese only).
void createOpeningDialog(HWND owner);
// The main loop offers each message to the opening dialog first, for its keyboard interface.
bool isOpeningDialogMessage(MSG* message);

}  // namespace wavelith
