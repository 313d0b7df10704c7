#include "settings/policy.h"

#include "platform/message_table.h"
#include "settings/settings.h"

#include <limits>

namespace wavelith {

namespace {

std::optional<bool> flagValue(PolicySource& source, const char* name) {
    auto value = source.readDword(name);
    if (!value || *value > 1) return std::nullopt;
    return *value == 1;
}

std::optional<int32_t> minimumIntervalValue(PolicySource& source) {
    auto value = source.readDword("MinimumIntervalMSec");
    // The dialog stores intervals as positive 32-bit numbers; anything else is not a minimum.
    if (!value || *value == 0 || *value > static_cast<uint32_t>(std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(*value);
}

template <typename Value, typename Read>
Value firstSet(PolicySource& machine, PolicySource& user, Value absent, Read read) {
    if (auto value = read(machine)) return *value;
    if (auto value = read(user)) return *value;
    return absent;
}

// ORDER PolicyMessage
constexpr MessageTexts<PolicyMessage> kMessages[] = {
    {PolicyMessage::TurnedOff, u"Wavelith has been turned off by your administrator.",
     u"ウェーブリスは管理者によって無効にされています。"},
    {PolicyMessage::SetByAdministrator, u"Set by your administrator.", u"管理者によって設定されています。"},
    {PolicyMessage::MinimumIntervalTip, u"Your administrator has set a minimum interval of ",
     u"管理者によって最短の間隔が "},
    {PolicyMessage::MinimumIntervalTipEnd, u" seconds; a shorter interval is raised to it.",
     u" 秒に設定されています。これより短い間隔は、この秒数に延ばして使われます。"},
    {PolicyMessage::ScriptsTurnedOffTip,
     u"Scripts have been turned off by your administrator: the script mode shakes as the first mode.",
     u"スクリプトは管理者によって無効にされています。スクリプトでのカスタマイズは、最初の揺らし方として動きます。"},
};
static_assert(isCompleteInIdOrder(kMessages), "every PolicyMessage needs its two texts, in id order");

Policy& processPolicy() {
    static Policy policy;
    return policy;
}

}  // namespace

Policy readPolicy(PolicySource& machine, PolicySource& user) {
    auto flag = [&](const char* name) {
        return firstSet(machine, user, false, [name](PolicySource& source) { return flagValue(source, name); });
    };
    Policy policy;
    policy.Disabled = flag("Disabled");
    policy.MinimumIntervalMSec = firstSet(machine, user, 0, minimumIntervalValue);
    policy.DisableShutdownBlock = flag("DisableShutdownBlock");
    policy.DisableScripts = flag("DisableScripts");
    policy.DisableKeepSystemAwake = flag("DisableKeepSystemAwake");
    return policy;
}

const Policy& currentPolicy() { return processPolicy(); }
void setCurrentPolicy(const Policy& policy) { processPolicy() = policy; }

int32_t effectiveIntervalBound(int32_t bound, int32_t otherBound, const Policy& policy) {
    if (policy.MinimumIntervalMSec <= 0 || (bound == 0 && otherBound == 0)) return bound;
    // A negative stored bound is a very long period to the timer, so it is never short.
    if (static_cast<uint32_t>(bound) >= static_cast<uint32_t>(policy.MinimumIntervalMSec)) return bound;
    return policy.MinimumIntervalMSec;
}

int32_t effectiveShakeMode(int32_t mode, const Policy& policy) {
    return policy.DisableScripts && mode == kScriptShakeMode ? 0 : mode;
}

bool shutdownBlockAllowed(const Policy& policy) { return !policy.DisableShutdownBlock; }
bool keepSystemAwakeAllowed(const Policy& policy) { return !policy.DisableKeepSystemAwake; }

std::u16string_view policyMessage(PolicyMessage id, bool japanese) { return messageText(kMessages, id, japanese); }

}  // namespace wavelith
