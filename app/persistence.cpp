#include "app/persistence.h"

#include "app/application.h"
#include "app/main_window.h"
#include "settings/win32_stores.h"

namespace wavelith {

void loadAllSettings() {
    Application& application = app();
    loadSettings(application.settings, *makeStore(application.storage));
}

bool saveAllSettings() {
    Application& application = app();
    bool saved = true;
    if (!application.storage.noSave) saved = saveSettings(application.settings, *makeStore(application.storage));
    if (application.mainWindow) registerPauseHotkey();
    return saved;
}

}  // namespace wavelith
