#include "settings/storage.h"

namespace wavelith {

bool storageAvailable() { return false; }

void selectRegistryMessageLanguage(bool) {}

void loadSettings(Settings&, const StorageMode&) {}

bool saveSettings(const Settings&, const StorageMode&) { return true; }

void ensureIniFile() {}

}  // namespace wavelith
