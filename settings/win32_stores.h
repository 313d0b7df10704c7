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
    // Relative to the current directory, which start-up sets to the program's folder.
    static constexpr const wchar_t* kPath = L".\\quellix.ini";
    // Every rewrite is made whole under this name, beside the file, and then put in its place,
    // so that a crash at any moment leaves the old file or the new one.
    static constexpr const wchar_t* kRewritePath = L".\\quellix.ini.tmp";
    // A file that cannot be converted to UTF-16 without loss is kept here, as it was.
    static constexpr const wchar_t* kSetAsidePath = L".\\quellix.ini.bak";
    // A stored script size beyond this is taken as damage, not as a script to allocate for.
    static constexpr int32_t kLargestScriptBytes = 64 * 1024 * 1024;

    int32_t readInteger(const char* key, int32_t absentValue) override;
    bool writeInteger(const char* key, int32_t value) override;
    std::optional<std::u16string> readScript() override;
    // A script too large to store fails the save: it would otherwise be lost without a word.
    bool writeScript(const std::u16string& text) override;
    bool scriptWriteCounts() const override { return true; }
    std::u16string readIconPath(const char* key) override;
    // The profile functions rewrite the file in place at every write: a save gives them a copy
    // to write into and puts it in place of the file once every write has reached it.
    void prepareForSave() override;
    bool finishSave() override;

private:
    bool written(bool profileWrite);

    const wchar_t* writePath_ = kPath;  // null: the copy could not be made, so every write fails
    bool copyDamaged_ = false;
};

std::unique_ptr<Store> makeStore(const StorageMode& mode);

// Makes sure .\quellix.ini exists as UTF-16LE: a missing or empty file starts with the byte-order
// mark and a blank line; a file in another encoding is converted, keeping every character, and
// one that cannot be converted without loss is set aside and started afresh. A UTF-16LE file of
// any size stays as it is.
void ensureIniFile();

}  // namespace wavelith
