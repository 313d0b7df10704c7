#include "app/power_request.h"

namespace wavelith {

uint32_t powerRequestFlags(const Settings& settings, bool paused, bool allowedByPolicy) {
    if (!settings.KeepSystemAwake || paused || !allowedByPolicy) return 0;
    return execution_state::SystemRequired | (settings.KeepDisplayOn ? execution_state::DisplayRequired : 0);
}

void PowerRequest::hold(uint32_t flags) {
    if (flags == held_) return;
    // The state belongs to the calling thread: every call comes from the main thread.
    if (desktop_.setThreadExecutionState(execution_state::Continuous | flags)) held_ = flags;
}

}  // namespace wavelith
