#include "app/input_proof.h"

#include "app/messages.h"

namespace wavelith {

InputProof::InputProof(Desktop& desktop, AppEffects& effects, bool japanese)
    : desktop_(desktop), effects_(effects), japanese_(japanese) {}

void InputProof::beforeShake() {
    settle();
    tickBefore_ = desktop_.getTickCount();
    timeOfShake_ = desktop_.getLocalTime();
}

void InputProof::afterShake() { pending_ = true; }

void InputProof::settle() {
    if (!pending_) return;
    pending_ = false;
    // Both ticks wrap at 2^32 (every 49.7 days): compare their difference, not the values.
    bool reached = static_cast<int32_t>(desktop_.getLastInputTick() - tickBefore_) >= 0;
    if (!reached) {
        // Counted up to the warning only, so that no run of misses, however long, overflows.
        if (misses_ < kMissesBeforeWarning && ++misses_ == kMissesBeforeWarning)
            effects_.showNotice(appMessage(AppMessage::ShakesDoNotReachWindows, japanese_), NoticeKind::Warning);
        return;
    }
    if (warned()) effects_.clearNotice();
    misses_ = 0;
    lastReached_ = timeOfShake_;
    effects_.showLastShake();
}

}  // namespace wavelith
