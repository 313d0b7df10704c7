#include "app/session_end_rules.h"

namespace wavelith {

bool allowEndOfSession(const Settings& settings, bool scriptRunning, SessionEndActions& actions) {
    if (settings.DisableShutdown) {
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

void onSessionEnd(const Settings& settings, bool ending, SessionEndActions& actions) {
    if (ending) {
        actions.endProgram();
        return;
    }
    // Also after a cancellation by some other program: the block reason may have been ours.
    if (settings.DisableShutdown && settings.DisableShutdown_Info) actions.reportStopped(settings.DisableShutdown_Check);
}

}  // namespace wavelith
