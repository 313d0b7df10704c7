#include "ui/dark_mode.h"

namespace wavelith {

// Placeholder until the dark-mode layer lands: light mode everywhere.
void initDarkMode(HINSTANCE) {}
void enableDarkMenusAndControls() {}
bool darkModeEnabled() { return false; }
void deleteDarkModeBrush() {}

int themedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
    return MessageBoxW(owner, text, caption, style);
}

bool darkModeDialogMessage(HWND, UINT, WPARAM, LPARAM, INT_PTR&) { return false; }
void themeDialog(HWND) {}
void installHotKeyPainter(HWND, const std::wstring&) {}
void installDisabledControlPainter(HWND) {}
void enlargeDialog(EnlargedDialog, HWND, DialogPlacement) {}
void restoreDialog(EnlargedDialog) {}
void restoreAllDialogs() {}

}  // namespace wavelith
