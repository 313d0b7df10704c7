// The system power request: while the program runs and the user asked for it, the computer
// (and, if wanted, the display) stays on even where synthetic input cannot reach Windows.
#pragma once

#include "platform/desktop.h"
#include "settings/settings.h"

#include <cstdint>

namespace wavelith {

// The execution-state flags to hold, without ES_CONTINUOUS; 0 for none. A lock does not drop
// the request: keeping the machine awake behind the lock screen is what it is for.
uint32_t powerRequestFlags(const Settings& settings, bool paused, bool allowedByPolicy);

class PowerRequest {
public:
    explicit PowerRequest(Desktop& desktop) : desktop_(desktop) {}

    // Holds these flags (0 drops the request). The system is asked only when they change, and
    // a refused change is asked again next time.
    void hold(uint32_t flags);
    void release() { hold(0); }

private:
    Desktop& desktop_;
    uint32_t held_ = 0;
};

}  // namespace wavelith
