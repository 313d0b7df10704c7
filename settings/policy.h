// What an administrator has decided for this machine or this user, read from the policy keys.
// A policy is never written into the user's settings: it is applied where each setting is used,
// so removing the policy later gives the user's own values back.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wavelith {

struct Policy {
    bool Disabled = false;
    int32_t MinimumIntervalMSec = 0;  // 0: no minimum
    bool DisableShutdownBlock = false;
    bool DisableScripts = false;
    bool DisableKeepSystemAwake = false;
};

// The key under HKEY_LOCAL_MACHINE, then under HKEY_CURRENT_USER, that holds the policy values.
constexpr const char* kPolicyKeyPath = "SOFTWARE\\Policies\\Harvenlock\\QUELLIX";
// The exit code of a start refused by the Disabled policy.
constexpr int kDisabledByPolicyExitCode = 3;

// One policy key: a value's data when it exists and is a 32-bit number, nothing otherwise.
class PolicySource {
public:
    virtual ~PolicySource() = default;
    virtual std::optional<uint32_t> readDword(const char* name) = 0;
};

// Per value, the machine key wins where it holds a valid value and the user key fills the rest.
// Flags count when 0 or 1; the minimum interval when within the interval range and above 0.
Policy readPolicy(PolicySource& machine, PolicySource& user);

// The policy read once at start; no policy until then.
const Policy& currentPolicy();
void setCurrentPolicy(const Policy& policy);

// A shake-interval bound raised to the administrator's minimum. Bounds are compared as the
// timer sees them (unsigned), and a bound of 0 stays 0 only when both are 0 (no timer at all).
int32_t effectiveIntervalBound(int32_t bound, int32_t otherBound, const Policy& policy);
// The shake mode: the script mode acts as the basic shake while scripts are turned off.
int32_t effectiveShakeMode(int32_t mode, const Policy& policy);
// Whether the user's shutdown-blocking choice may take effect.
bool shutdownBlockAllowed(const Policy& policy);
// Whether the user's keep-system-awake choice may take effect.
bool keepSystemAwakeAllowed(const Policy& policy);

enum class PolicyMessage {
    TurnedOff,           // the Disabled policy, at start
    SetByAdministrator,  // tip of a control the policy governs
    MinimumIntervalTip,  // followed by the minimum in seconds and MinimumIntervalTipEnd
    MinimumIntervalTipEnd,
    ScriptsTurnedOffTip,
    Count  // ORDER PolicyMessage: keep last
};
std::u16string_view policyMessage(PolicyMessage id, bool japanese);

}  // namespace wavelith
