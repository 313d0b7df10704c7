// Dark mode: the dark colours for every dialog and message box when Windows asks for dark
// applications, the themed message box through which every message box is shown, the painted
// hot-key control and disabled controls, and the dialog enlarger of the BIGDIALOG setting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace wavelith {

// Start-up: availability by the real Windows version, the dark brush, the user's setting.
void initDarkMode(HINSTANCE instance);
// Start-up, after initDarkMode: dark menus and controls of the whole process.
void enableDarkMenusAndControls();
bool darkModeEnabled();
// The user's AppsUseLightTheme value, if stored as a REG_DWORD: dark applications are asked
// for by 0. About keeps its own flag from it, without the version check.
std::optional<uint32_t> appsUseLightTheme();
// The title bar's dark attribute (DWM attribute 20), where the system has it.
void setDarkTitleBar(HWND window, bool dark);
// A tooltip window in the dark or light colours.
void themeToolTip(HWND tip, bool dark);
// The text colours of a control in a dark dialog, and its background brush: `brush`, or for a
// link control the DC brush in the same colour.
LRESULT darkControlColours(HDC dc, HWND control, HBRUSH brush);
void deleteDarkModeBrush();

int themedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style);

// Every dialog procedure of the program passes each message here first; when this answers
// true the procedure returns `result` at once (background, control colours, theme and
// setting changes).
bool darkModeDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);
// Themes every child and tooltip of the dialog and repaints it (WM_THEMECHANGED).
void themeDialog(HWND dialog);

// The settings dialog, on opening: the painted hot-key control with its "none" text, and
// readable disabled static texts, check boxes and radio buttons.
void installHotKeyPainter(HWND dialog, const std::wstring& noneText);
void installDisabledControlPainter(HWND dialog);

// The dialogs that BIGDIALOG enlarges, each with its own enlarger state.
enum class EnlargedDialog { Settings, ScriptEditor, Opening, Count };
enum class DialogPlacement { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3, Centre = 5 };
void enlargeDialog(EnlargedDialog kind, HWND dialog, DialogPlacement placement);
// On the dialog's destruction: its controls get their earlier font back.
void restoreDialog(EnlargedDialog kind);
// At exit: every dialog still enlarged.
void restoreAllDialogs();

}  // namespace wavelith
