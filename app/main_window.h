// The hidden main window: it carries every timer, the tray icon, the pause hotkey and the
// messages of other instances, and translates each message into a call on its owner module.
#pragma once

#include <windows.h>

#include <memory>

namespace wavelith {

// Registers the class "QUELLIX" and creates the window; WM_CREATE runs inside. Null on failure.
HWND createMainWindow();
void registerPauseHotkey();
// Whether the shutdown sequence has run (the main loop then ends).
bool mainWindowShutDown();
// Takes or drops the system power request to match the settings, the state and the policy.
void updatePowerRequest();

class AppEffects;
// The effects the engines ask for, carried out on the main window, tray and script host.
std::unique_ptr<AppEffects> makeMainWindowEffects();

}  // namespace wavelith
