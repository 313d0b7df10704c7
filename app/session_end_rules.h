// Whether the end of the Windows session (shutdown, restart, log-off) is refused, and what is
// said about it. The Win32 side carries out the actions; the decisions are tested natively.
#pragma once

#include "settings/policy.h"
#include "settings/settings.h"

namespace wavelith {

class SessionEndActions {
public:
    virtual ~SessionEndActions() = default;
    // "Are you sure you want to stop end of the session." — true for Yes.
    virtual bool confirmBlocking() = 0;
    virtual void setBlockReason() = 0;
    virtual void removeBlockReason() = 0;
    virtual void requestScriptStop() = 0;
    // The session really ends: run the program's shutdown (settings saved).
    virtual void endProgram() = 0;
    // "Stopped end of the session."; the short form when the user confirmed the block.
    virtual void reportStopped(bool confirmedByUser) = 0;
};

// WM_QUERYENDSESSION: true lets the session end. A policy against blocking makes the user's
// blocking choice act as off.
bool allowEndOfSession(const Settings& settings, bool scriptRunning, SessionEndActions& actions,
                       const Policy& policy = currentPolicy());
// WM_ENDSESSION.
void onSessionEnd(const Settings& settings, bool ending, SessionEndActions& actions,
                  const Policy& policy = currentPolicy());

}  // namespace wavelith
