#include "settings/win32_policy.h"

#include "platform/win32_registry.h"

#include <cstring>
#include <string>

namespace wavelith {

namespace {

std::wstring asciiWide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

class RegistryPolicySource : public PolicySource {
public:
    // No key is the usual case: nothing is set.
    explicit RegistryPolicySource(HKEY root) : key_(root, asciiWide(kPolicyKeyPath).c_str()) {}

    std::optional<uint32_t> readDword(const char* name) override { return dwordValue(key_.get(), asciiWide(name).c_str()); }

private:
    OpenKey key_;
};

}  // namespace

Policy readSystemPolicy() {
    RegistryPolicySource machine(HKEY_LOCAL_MACHINE);
    RegistryPolicySource user(HKEY_CURRENT_USER);
    return readPolicy(machine, user);
}

}  // namespace wavelith
