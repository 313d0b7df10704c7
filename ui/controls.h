// Reading and writing dialog controls, so that dialog procedures move values in one line each.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace wavelith {

// The control's text, at most `maxLength` characters of it.
std::u16string getText(HWND dialog, int id, size_t maxLength = 0x7FFFFFFF);
void setText(HWND dialog, int id, const std::u16string& text);
bool isChecked(HWND dialog, int id);
void setChecked(HWND dialog, int id, bool checked);
void enableControl(HWND dialog, int id, bool enabled);
void showControl(HWND dialog, int id, bool shown);
int selectedIndex(HWND dialog, int comboId);
void fillComboBox(HWND dialog, int comboId, const std::vector<std::u16string>& entries, int selected);
void setSpinRange(HWND dialog, int spinId, int minimum, int maximum);

// One tooltip control for the dialog, always shown, that gives each listed control its tip.
using TooltipTexts = std::vector<std::pair<int, std::u16string>>;
HWND createTooltips(HWND dialog, const TooltipTexts& tips);
// A tip for a control that stays disabled: such a control gets no mouse messages, so the tip
// is placed over its area of the dialog instead.
void addDisabledControlTip(HWND tooltip, HWND dialog, int id, const std::u16string& text);

// Whether the window is of this class (case does not matter, as for the system's names).
bool hasWindowClass(HWND window, const wchar_t* className);

// The dialog's large icon.
void setLargeIcon(HWND dialog, HICON icon);

}  // namespace wavelith
