// The process-wide state of the running program: what start-up decided, the settings, the
// resources taken for the whole run, and the engines that the main window drives.
#pragma once

#include "app/activity.h"
#include "app/messages.h"
#include "app/swing.h"
#include "platform/win32_desktop.h"
#include "platform/win32_text.h"
#include "resources/resource.h"
#include "settings/settings.h"
#include "settings/storage.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

namespace wavelith {

// Ids fixed by the single-instance protocol and the main window's timers and messages.
namespace ids {
constexpr const wchar_t* kMutexAndClassName = L"QUELLIX";
constexpr UINT_PTR kShakeTimer = 786548;
constexpr UINT_PTR kSecondTimer = 60119;
constexpr UINT_PTR kMouseWatchTimer = 60222;
constexpr UINT kTrayCallbackMessage = WM_APP;
constexpr UINT kControlMessage = WM_APP + 2;
constexpr int kPauseHotkey = 32773;
constexpr WORD kOnIcon = IDI_WAVELITH_ON;
constexpr WORD kOffIcon = IDI_WAVELITH_OFF;
constexpr WORD kFigureTrayLegacy = IDR_FIGURE_TRAY_LEGACY;
constexpr WORD kFigureTrayModern = IDR_FIGURE_TRAY_MODERN;
}  // namespace ids

struct Application {
    HINSTANCE instance = nullptr;
    bool japanese = true;
    std::wstring displayName;
    StorageMode storage;
    bool argumentMode = false;
    bool startPaused = false;

    Settings settings;

    HANDLE mutex = nullptr;
    HICON onIcon = nullptr;
    HICON offIcon = nullptr;
    HBITMAP figures[2] = {nullptr, nullptr};
    HWND mainWindow = nullptr;
    bool comInitialized = false;
    std::wstring programFolder;

    Win32Desktop desktop;
    std::unique_ptr<AppEffects> effects;
    std::unique_ptr<ActivityControl> activity;
    std::unique_ptr<SwingEngine> swing;
};

Application& app();

// The text of a message in the chosen language, ready for Win32 calls.
std::wstring text(AppMessage id);
// A message box through the themed message box, with the display name as caption unless
// another is named.
int showMessage(HWND owner, AppMessage id, UINT style, std::optional<AppMessage> caption = std::nullopt);
// Any text of the program in a themed message box with the display name as caption.
int showText(HWND owner, std::u16string_view text, UINT style);


}  // namespace wavelith
