// Reading numbers from the registry: a key opened for reading and closed with its scope, and
// a REG_DWORD value of it, where any other type counts as missing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

namespace wavelith {

class OpenKey {
public:
    // No key (absent, or not readable) leaves get() null, which every read below answers with
    // nothing.
    OpenKey(HKEY root, const wchar_t* path) {
        if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

inline std::optional<uint32_t> dwordValue(HKEY key, const wchar_t* name) {
    if (!key) return std::nullopt;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return std::nullopt;
    return value;
}

}  // namespace wavelith
