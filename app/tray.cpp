#include "app/tray.h"

#include "app/application.h"

namespace wavelith {

// The icon, its notices and its menu arrive with the tray work; until then the program runs
// without a visible icon.
void addTrayIcon(bool) {}
void changeTrayIcon(bool) {}
void deleteTrayIcon() {}
void showNotice(std::u16string_view, NoticeKind) {}
void clearNotice() {}
void loadTrayMenu() {}
void destroyTrayMenu() {}
void destroyFileIcons() {}
void registerTaskbarCreatedMessage() {}
bool isTaskbarCreatedMessage(UINT) { return false; }
void onTrayCallback(LPARAM) {}

LRESULT onControlMessage(WPARAM command, LPARAM argument) {
    Application& application = wavelith::app();
    if (application.argumentMode) return 0;
    if (command == ids::kCommandPause) {
        PauseMode mode = argument == 1 ? PauseMode::TurnOn : argument == 2 ? PauseMode::TurnOff : PauseMode::Toggle;
        application.activity->pauseCommand(mode);
    }
    // ids::kCommandSettings opens the settings dialog, which arrives with the dialogs work.
    return 0;
}

}  // namespace wavelith
