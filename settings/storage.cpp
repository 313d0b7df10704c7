#include "settings/storage.h"

namespace wavelith {

void loadSettings(Settings& settings, Store& store) {
    for (const SettingRow& row : settingRows()) {
        switch (row.type) {
            case SettingType::Int32:
            case SettingType::Bool: {
                int32_t stored = store.readInteger(row.key, absentDefault(row, settings));
                writeNumber(settings, row, checkedOnLoad(row, stored));
                break;
            }
            case SettingType::Text:
                if (auto script = store.readScript()) replaceScriptText(settings, std::move(*script));
                break;
            case SettingType::IconPath:
                settings.*std::get<std::u16string Settings::*>(row.field) = store.readIconPath(row.key);
                break;
        }
    }
}

bool saveSettings(const Settings& settings, Store& store) {
    store.prepareForSave();
    bool allWritten = true;
    for (const SettingRow& row : settingRows()) {
        switch (row.type) {
            case SettingType::Int32:
            case SettingType::Bool:
                if (!store.writeInteger(row.key, readNumber(settings, row))) allWritten = false;
                break;
            case SettingType::Text: {
                std::lock_guard<std::mutex> hold(scriptTextLock());
                bool written = store.writeScript(settings.qx_script);
                if (!written && store.scriptWriteCounts()) allWritten = false;
                break;
            }
            case SettingType::IconPath: break;  // the user's to set by hand, never written
        }
    }
    if (!store.finishSave()) allWritten = false;
    return allWritten;
}

}  // namespace wavelith
