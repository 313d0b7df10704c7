// A Store over maps, recording the order of writes, for native tests of load and save.
#pragma once

#include "settings/storage.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace wavelith {

class MemoryStore : public Store {
public:
    int32_t readInteger(const char* key, int32_t absentValue) override {
        auto found = integers.find(key);
        return found == integers.end() ? absentValue : found->second;
    }
    bool writeInteger(const char* key, int32_t value) override {
        writes.push_back(key);
        if (failingKeys.count(key)) return false;
        integers[key] = value;
        return true;
    }
    std::optional<std::u16string> readScript() override { return script; }
    bool writeScript(const std::u16string& text) override {
        writes.push_back("qx_script");
        if (failingKeys.count("qx_script")) return false;
        script = text;
        return true;
    }
    bool scriptWriteCounts() const override { return scriptCounts; }
    std::u16string readIconPath(const char* key) override {
        auto found = icons.find(key);
        return found == icons.end() ? u"-" : found->second;
    }
    void prepareForSave() override { ++preparations; }

    std::map<std::string, int32_t> integers;
    std::optional<std::u16string> script;
    std::map<std::string, std::u16string> icons;
    std::set<std::string> failingKeys;
    bool scriptCounts = true;
    std::vector<std::string> writes;
    int preparations = 0;
};

}  // namespace wavelith
