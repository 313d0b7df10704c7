// Whether the shakes really reach Windows. Windows drops synthetic input without a word while an
// elevated window is in front or the secure desktop is up, so after each mouse shake and key tap
// the system's last-input tick must have moved past the tick taken just before it. Three misses
// in a row give one warning; the first shake that gets through again clears it.
#pragma once

#include "app/effects.h"
#include "platform/desktop.h"

#include <optional>

namespace wavelith {

class InputProof {
public:
    static constexpr int kMissesBeforeWarning = 3;

    InputProof(Desktop& desktop, AppEffects& effects, bool japanese);

    // Around each mouse shake and key tap.
    void beforeShake();
    void afterShake();
    // Judges the last shake. Windows counts injected input when it processes it, which may be a
    // moment after the call returned, so the judgement waits for the one-second timer or the
    // next shake, whichever comes first.
    void settle();

    // The warning stands from the third miss in a row until a shake gets through.
    bool warned() const { return misses_ >= kMissesBeforeWarning; }
    // Misses in a row, up to kMissesBeforeWarning.
    int missesInARow() const { return misses_; }
    // The local time of the last shake that reached Windows; nothing before the first.
    const std::optional<LocalTime>& lastReached() const { return lastReached_; }

private:
    Desktop& desktop_;
    AppEffects& effects_;
    bool japanese_;
    bool pending_ = false;
    uint32_t tickBefore_ = 0;
    LocalTime timeOfShake_{};
    int misses_ = 0;
    std::optional<LocalTime> lastReached_;
};

}  // namespace wavelith
