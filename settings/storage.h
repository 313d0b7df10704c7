// Loading and saving the Settings record over a Store: the registry key or the ini file on
// Windows, a map in native tests. Key order, defaults, load checks and what counts toward a
// save's result live here, once, for every back end.
#pragma once

#include "settings/settings.h"

#include <optional>
#include <string>

namespace wavelith {

struct StorageMode {
    bool iniMode = false;
    bool noSave = false;
};

class Store {
public:
    virtual ~Store() = default;

    // The stored value, or absentValue when it is missing or unreadable.
    virtual int32_t readInteger(const char* key, int32_t absentValue) = 0;
    virtual bool writeInteger(const char* key, int32_t value) = 0;
    // The stored script; empty when missing or unreadable; nothing when the script in memory
    // is to stay as it is.
    virtual std::optional<std::u16string> readScript() = 0;
    virtual bool writeScript(const std::u16string& text) = 0;
    // Whether a failed script write makes the whole save fail.
    virtual bool scriptWriteCounts() const = 0;
    // A replacement-icon text ("path[,index]"; "-" for none).
    virtual std::u16string readIconPath(const char* key) = 0;
    // Called once before the writes of a save.
    virtual void prepareForSave() {}
    // Called once after them; false when what was written did not reach its place.
    virtual bool finishSave() { return true; }
};

// Reads every key in table order, applying each key's default and check.
void loadSettings(Settings& settings, Store& store);
// Writes every key in table order (the icons are never written), attempting every write even
// after a failure; true only when every counted write succeeded.
bool saveSettings(const Settings& settings, Store& store);

}  // namespace wavelith
