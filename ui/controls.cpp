#include "ui/controls.h"

#include "platform/win32_text.h"

#include <commctrl.h>

namespace wavelith {

std::u16string getText(HWND dialog, int id, size_t maxLength) {
    HWND control = GetDlgItem(dialog, id);
    if (!control) return {};
    size_t length = static_cast<size_t>(GetWindowTextLengthW(control));
    if (length > maxLength) length = maxLength;
    std::wstring text(length + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

void setText(HWND dialog, int id, const std::u16string& text) { SetDlgItemTextW(dialog, id, wide(text)); }

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void setChecked(HWND dialog, int id, bool checked) { CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED); }

void enableControl(HWND dialog, int id, bool enabled) {
    if (HWND control = GetDlgItem(dialog, id)) EnableWindow(control, enabled);
}

void showControl(HWND dialog, int id, bool shown) {
    if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

int selectedIndex(HWND dialog, int comboId) {
    return static_cast<int>(SendDlgItemMessageW(dialog, comboId, CB_GETCURSEL, 0, 0));
}

void fillComboBox(HWND dialog, int comboId, const std::vector<std::u16string>& entries, int selected) {
    SendDlgItemMessageW(dialog, comboId, CB_RESETCONTENT, 0, 0);
    for (const std::u16string& entry : entries)
        SendDlgItemMessageW(dialog, comboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(entry)));
    SendDlgItemMessageW(dialog, comboId, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void setSpinRange(HWND dialog, int spinId, int minimum, int maximum) {
    SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

HWND createTooltips(HWND dialog, const TooltipTexts& tips) {
    HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (!tooltip) return nullptr;  // tips are a help, not a need
    // Long tips wrap instead of running off the screen.
    SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    for (const auto& [id, text] : tips) {
        HWND control = GetDlgItem(dialog, id);
        if (!control) continue;  // a control of the other language's template
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(wide(text));
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return tooltip;
}

void addDisabledControlTip(HWND tooltip, HWND dialog, int id, const std::u16string& text) {
    HWND control = GetDlgItem(dialog, id);
    if (!tooltip || !control) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = static_cast<UINT_PTR>(id);
    GetWindowRect(control, &tool.rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = const_cast<wchar_t*>(wide(text));
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool hasWindowClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    return GetClassNameW(window, name, 64) > 0 && lstrcmpiW(name, className) == 0;
}

void setLargeIcon(HWND dialog, HICON icon) {
    if (icon) SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace wavelith
