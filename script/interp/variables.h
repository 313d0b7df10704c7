// The one process-wide table of DO-Rozude variables: no scopes, names in byte order.
#pragma once

#include "script/interp/value.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace wavelith::script {

class VariableTable {
public:
    using Map = std::map<std::string, ScriptValue, std::less<>>;

    ScriptValue* find(std::string_view name) {
        auto found = map_.find(name);
        return found == map_.end() ? nullptr : &found->second;
    }
    ScriptValue& getOrCreate(std::string_view name) {
        auto found = map_.lower_bound(name);
        if (found == map_.end() || found->first != name) found = map_.emplace_hint(found, std::string(name), ScriptValue{});
        return found->second;
    }
    void erase(std::string_view name) {
        auto found = map_.find(name);
        if (found == map_.end()) return;
        map_.erase(found);
        ++generation_;
    }
    void clear() {
        map_.clear();
        ++generation_;
    }
    const Map& entries() const { return map_; }

    // Entries live in map nodes that only erase and clear destroy, so a pointer to one stays good
    // while this number is unchanged; nodes cache their variable's slot on it.
    uint64_t generation() const { return generation_; }

    // The slot of an array element: makes the entry an array (dropping old elements only the
    // first time) and grows it to hold the index.
    static ScriptValue& elementSlot(ScriptValue& entry, int32_t index);

private:
    Map map_;
    uint64_t generation_ = 1;
};

inline ScriptValue& VariableTable::elementSlot(ScriptValue& entry, int32_t index) {
    if (!entry.isArray) {
        entry.isArray = true;
        entry.elements.clear();
    }
    auto wanted = static_cast<size_t>(index) + 1;
    if (entry.elements.size() < wanted) entry.elements.resize(wanted);
    return entry.elements[static_cast<size_t>(index)];
}

}  // namespace wavelith::script
