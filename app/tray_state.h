// The tray's decisions that need no window: what the menu shows, how a notice is cut to fit
// its balloon, how a replacement-icon setting reads, what a control message asks for.
#pragma once

#include "app/command_line.h"
#include "platform/desktop.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wavelith {

namespace tray_commands {
constexpr uint32_t Settings = 32772;
constexpr uint32_t Pause = 32773;
constexpr uint32_t Feedback = 32775;
constexpr uint32_t About = 32776;
constexpr uint32_t Exit = 32778;
constexpr uint32_t Help = 32779;
constexpr uint32_t StatusDialog = 32780;
constexpr uint32_t PauseWhileLocked = 32781;
constexpr uint32_t KeepSystemAwake = 32782;
constexpr uint32_t KeepDisplayOn = 32783;
}  // namespace tray_commands

struct TrayMenuState {
    std::u16string pauseLabel;
    bool pauseChecked = false;
    bool statusDialogChecked = false;
    bool pauseWhileLockedChecked = false;
    bool keepSystemAwakeChecked = false;
    bool keepSystemAwakeEnabled = true;
    bool keepDisplayOnChecked = false;
    // The display item only matters while the system is kept awake.
    bool keepDisplayOnEnabled = false;
};

TrayMenuState trayMenuState(const Settings& settings, bool paused, bool japanese, bool keepAwakeAllowed = true);

enum class TrayActivity { Running, Paused, Locked };
// "Wavelith — running, last shake 14:03:21": the state, and the time of the last shake that
// reached Windows once there is one. Not yet cut to the tooltip's size.
std::u16string trayTooltip(std::u16string_view displayName, TrayActivity activity,
                           const std::optional<LocalTime>& lastShake, bool japanese);
// "14:03:21".
std::u16string clockText(const LocalTime& time);

// A balloon holds at most 255 characters; a longer text is cut, never inside a surrogate pair.
std::u16string noticeText(std::u16string_view text);
// The tooltip holds at most 127 characters.
std::u16string tooltipText(std::u16string_view text);

struct IconSource {
    std::u16string path;
    int32_t index = 0;
};
// "path[,index]"; nothing for "-" (the built-in icon stays).
std::optional<IconSource> parseIconSetting(std::u16string_view setting);

// The pause mode of a control message's lParam: 1 turn on, 2 turn off, anything else toggle.
PauseMode pauseModeOfControlMessage(intptr_t argument);

}  // namespace wavelith
