// The settings dialog: every setting, checked, applied at once and saved.
#pragma once

#include <windows.h>

namespace wavelith {

// Modal, without owner; returns when the dialog is closed.
void runSettingsDialog();
// The open settings dialog, or null.
HWND settingsDialogWindow();

}  // namespace wavelith
