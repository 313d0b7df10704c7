// Loading and saving the Settings record.
//
// Persistence (registry and ini back ends) is not built yet: until it is, nothing is stored,
// so a load keeps the built-in values and a save writes nothing and succeeds, exactly as in
// no-save mode. The copy switches cannot copy anything and say so.
#pragma once

#include "settings/settings.h"

namespace wavelith {

struct StorageMode {
    bool iniMode = false;
    bool noSave = false;
};

bool storageAvailable();
// The registry layer's own warnings follow the user-interface language.
void selectRegistryMessageLanguage(bool japanese);
void loadSettings(Settings& settings, const StorageMode& mode);
bool saveSettings(const Settings& settings, const StorageMode& mode);
// Creates .\quellix.ini with its UTF-16 start when it cannot be opened.
void ensureIniFile();

}  // namespace wavelith
