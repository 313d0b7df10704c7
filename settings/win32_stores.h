// The two Windows back ends of the settings: the registry key (through REGW) and the ini file
// .\quellix.ini (through the private-profile functions).
#pragma once

#include "settings/storage.h"

#include <memory>

namespace wavelith {

class RegistryStore : public Store {
public:
    int32_t readInteger(const char* key, int32_t absentValue) override;
    bool writeInteger(const char* key, int32_t value) override;
    std::optional<std::u16string> readScript() override;
    bool writeScript(const std::u16string& text) override;
    bool scriptWriteCounts() const override { return true; }
    std::u16string readIconPath(const char* key) override;
};

class IniStore : public Store {
public:
    // A stored script size beyond this is taken as damage, not as a script to allocate for.
    static constexpr int32_t kLargestScriptBytes = 64 * 1024 * 1024;

    int32_t readInteger(const char* key, int32_t absentValue) override;
    bool writeInteger(const char* key, int32_t value) override;
    std::optional<std::u16string> readScript() override;
    bool writeScript(const std::u16string& text) override;
    bool scriptWriteCounts() const override { return false; }
    std::u16string readIconPath(const char* key) override;
    void prepareForSave() override;
};

std::unique_ptr<Store> makeStore(const StorageMode& mode);

// Makes sure .\quellix.ini exists as UTF-16: a missing or empty file starts with the byte-order
// mark and a blank line; a file in another encoding is converted, keeping its text.
void ensureIniFile();

}  // namespace wavelith
