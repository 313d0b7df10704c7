#include "ui/dark_mode.h"

namespace wavelith {

void initDarkMode(HINSTANCE) {}

int themedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT style) {
    return MessageBoxW(owner, text, caption, style);
}

void deleteDarkModeBrush() {}

}  // namespace wavelith
