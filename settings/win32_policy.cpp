#include "settings/win32_policy.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace wavelith {

namespace {

std::wstring asciiWide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

class RegistryPolicySource : public PolicySource {
public:
    explicit RegistryPolicySource(HKEY root) {
        // No key is the usual case: nothing is set.
        if (RegOpenKeyExW(root, asciiWide(kPolicyKeyPath).c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    RegistryPolicySource(const RegistryPolicySource&) = delete;
    RegistryPolicySource& operator=(const RegistryPolicySource&) = delete;
    ~RegistryPolicySource() override {
        if (key_) RegCloseKey(key_);
    }

    std::optional<uint32_t> readDword(const char* name) override {
        if (!key_) return std::nullopt;
        DWORD type = 0, data = 0, size = sizeof(data);
        LONG result = RegQueryValueExW(key_, asciiWide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
        if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(data)) return std::nullopt;
        return static_cast<uint32_t>(data);
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

Policy readSystemPolicy() {
    RegistryPolicySource machine(HKEY_LOCAL_MACHINE);
    RegistryPolicySource user(HKEY_CURRENT_USER);
    return readPolicy(machine, user);
}

}  // namespace wavelith
