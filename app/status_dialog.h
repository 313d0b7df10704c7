// The status dialog: state, countdowns and the pause box.
#pragma once

#include <windows.h>

namespace wavelith {

// Runs the status dialog modally, without owner; returns when it is closed.
void runStatusDialog();
// Ends an open status dialog with the given result.
void endStatusDialog(INT_PTR result);
void destroyStatusDialog();
void refreshStatusDialog();
HWND statusDialogWindow();
// An open status dialog takes this opacity (0 to 255) at once.
void setStatusDialogOpacity(int alpha);

}  // namespace wavelith
