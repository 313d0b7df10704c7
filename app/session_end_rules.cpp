#include "app/session_end_rules.h"

namespace wavelith {

bool allowEndOfSession(const Settings& settings, bool scriptRunning, SessionEndActions& actions,
                       const Policy& policy) {
    if (settings.DisableShutdown && shutdownBlockAllowed(policy)) {
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
    if (settings.DisableShutdown && shutdownBlockAllowed(policy) && settings.DisableShutdown_Info)
        actions.reportStopped(settings.DisableShutdown_Check);
}

}  // namespace wavelith
