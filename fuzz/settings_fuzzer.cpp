// The settings load over a store whose every key holds whatever a user or another program may
// have left in the registry: any value type with any data, or nothing. Whatever was stored, the
// loaded record must pass its own load checks, and saving it and loading it again must give it
// back unchanged.
#include "settings/registry_values.h"
#include "settings/storage.h"
#include "tests/unit/memory_store.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace wavelith;

struct StoredValue {
    uint32_t type;
    std::vector<uint8_t> data;
};

// Reads as the registry store does, through the same portable decoders.
class FuzzedStore : public Store {
public:
    int32_t readInteger(const char* key, int32_t absentValue) override {
        auto found = values.find(key);
        return found == values.end() ? absentValue
                                     : integerFromRegistryData(found->second.type, found->second.data, absentValue);
    }
    bool writeInteger(const char*, int32_t) override { return false; }
    std::optional<std::u16string> readScript() override {
        if (keyMissing) return std::nullopt;
        auto found = values.find("qx_script");
        if (found == values.end()) return std::u16string();
        std::u16string units = unitsOf(found->second.data);
        switch (found->second.type) {
            case registry_types::String:
            case registry_types::ExpandString: return units.substr(0, units.find(u'\0'));
            case registry_types::MultiString: {
                auto lines = multiStringAsLines(units, scriptCapacity);
                return lines ? *lines : std::u16string();
            }
            default: return std::u16string();
        }
    }
    bool writeScript(const std::u16string&) override { return false; }
    bool scriptWriteCounts() const override { return true; }
    std::u16string readIconPath(const char* key) override {
        auto found = values.find(key);
        if (found == values.end()) return u"-";
        std::u16string units = unitsOf(found->second.data);
        return units.substr(0, units.find(u'\0'));
    }

    std::map<std::string, StoredValue> values;
    bool keyMissing = false;
    size_t scriptCapacity = 0;
};

const uint32_t valueTypes[] = {0,
                               registry_types::String,
                               registry_types::ExpandString,
                               registry_types::Binary,
                               registry_types::Dword,
                               registry_types::DwordBigEndian,
                               registry_types::MultiString,
                               registry_types::Qword,
                               8};  // a type no reader knows

[[noreturn]] void fault(const char* what, const char* key) {
    std::fprintf(stderr, "settings_fuzzer: %s: %s\n", what, key);
    std::abort();
}

bool sameRecord(const Settings& a, const Settings& b) {
    for (const SettingRow& row : settingRows()) {
        if (row.type == SettingType::Int32 || row.type == SettingType::Bool) {
            if (readNumber(a, row) != readNumber(b, row)) return false;
        } else if (a.*std::get<std::u16string Settings::*>(row.field) !=
                   b.*std::get<std::u16string Settings::*>(row.field)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // What the record holds before the load matters to the keys that keep their value when absent.
    Settings before;
    before.BIGDIALOG = input.ConsumeBool();
    before.LASTMOVE = input.ConsumeIntegral<int32_t>();
    before.qx_script = u"kept";

    FuzzedStore store;
    store.keyMissing = input.ConsumeBool();
    store.scriptCapacity = input.ConsumeIntegralInRange<size_t>(0, 70000);
    for (const SettingRow& row : settingRows()) {
        if (input.ConsumeBool()) continue;  // not stored
        StoredValue value{input.PickValueInArray(valueTypes), {}};
        size_t length = input.ConsumeIntegralInRange<size_t>(0, row.type == SettingType::Text ? 4096 : 16);
        value.data = input.ConsumeBytes<uint8_t>(length);
        store.values[row.key] = std::move(value);
    }

    Settings loaded = before;
    loadSettings(loaded, store);

    for (const SettingRow& row : settingRows()) {
        if (row.type != SettingType::Int32 && row.type != SettingType::Bool) continue;
        int32_t value = readNumber(loaded, row);
        switch (row.check) {
            case LoadCheck::None: break;
            case LoadCheck::Boolean:
                if (value != 0 && value != 1) fault("a flag loaded as neither 0 nor 1", row.key);
                break;
            case LoadCheck::Range:
                if ((value < row.minimum || value > row.maximum) && value != row.fallback)
                    fault("a value loaded outside its range", row.key);
                break;
            case LoadCheck::HotkeyNormalise:
                if (normaliseHotkeyPause(value) != value) fault("a hotkey loaded unnormalised", row.key);
                break;
        }
    }
    if (store.keyMissing && loaded.qx_script != before.qx_script) fault("the script changed with no key", "qx_script");

    // What a save writes loads back as the same record (the icons are never written).
    MemoryStore saved;
    if (!saveSettings(loaded, saved)) fault("a save to memory failed", "");
    saved.icons["NotifyIconOn"] = loaded.NotifyIconOn;
    saved.icons["NotifyIconOff"] = loaded.NotifyIconOff;
    Settings reloaded = before;
    loadSettings(reloaded, saved);
    if (!sameRecord(loaded, reloaded)) fault("the saved record loads back differently", "");
    return 0;
}
