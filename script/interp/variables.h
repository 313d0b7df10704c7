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

    // Makes the entry an array, dropping old elements only the first time.
    static void makeArray(ScriptValue& entry);
    // The same, and grows it to hold the index. Reading grows an array just as writing does.
    static void growFor(ScriptValue& entry, size_t index);
    // An element of an array variable, grown for.
    static const ScriptValue& elementSlot(ScriptValue& entry, size_t index) {
        growFor(entry, index);
        return entry.elements[index];
    }
    static void storeElement(ScriptValue& entry, size_t index, ScriptValue&& value);
    static void storeElement(ScriptValue& entry, size_t index, int32_t value);

private:
    Map map_;
    uint64_t generation_ = 1;
};

[[gnu::always_inline]] inline void VariableTable::makeArray(ScriptValue& entry) {
    if (!entry.isArray) {
        entry.isArray = true;
        entry.elements.clear();
    }
}

[[gnu::always_inline]] inline void VariableTable::growFor(ScriptValue& entry, size_t index) {
    makeArray(entry);
    if (index >= MaxElements) limitExceeded();
    if (entry.elements.size() <= index) entry.elements.resize(index + 1);
}

inline void VariableTable::storeElement(ScriptValue& entry, size_t index, ScriptValue&& value) {
    // Writing one past the end is the common way to fill an array: the value goes straight in.
    makeArray(entry);
    if (index == entry.elements.size()) return entry.elements.push_back(std::move(value));
    growFor(entry, index);
    entry.elements.set(index, std::move(value));
}

inline void VariableTable::storeElement(ScriptValue& entry, size_t index, int32_t value) {
    growFor(entry, index);
    entry.elements.setInteger(index, value);
}

}  // namespace wavelith::script
