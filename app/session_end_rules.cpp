#include "app/session_end_rules.h"

namespace wavelith {

namespace {

// The user's choice to block, unless a policy forbids it.
bool blocking(const Settings& settings, const Policy& policy) {
    return settings.DisableShutdown && shutdownBlockAllowed(policy);
}

}  // namespace

bool allowEndOfSession(const Settings& settings, bool scriptRunning, SessionEndActions& actions,
                       const Policy& policy) {
    if (blocking(settings, policy)) {
        if (settings.DisableShutdown_Check && !actions.confirmBlocking()) {
            actions.removeBlockReason();
            return true;
        }
        actions.setBlockReason();
        return false;
    }
    if (scriptRunning) actions.requestScriptStop();
    actions.removeBlockReason();
    return true;
}

void onSessionEnd(const Settings& settings, bool ending, SessionEndActions& actions, const Policy& policy) {
    if (ending) {
        actions.endProgram();
        return;
    }
    // Also after a cancellation by some other program: the block reason may have been ours.
    if (blocking(settings, policy) && settings.DisableShutdown_Info)
        actions.reportStopped(settings.DisableShutdown_Check);
}

}  // namespace wavelith
