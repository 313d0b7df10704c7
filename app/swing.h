// The swing engine: what happens at each expiry of the shake timer. It draws the next
// interval, and either taps a key (keyboard emulation), withholds the shake (paused, remote
// session, Focus Assist), starts a script run (mode 12), or shakes the mouse in one of the
// twelve fixed patterns.
#pragma once

#include "app/activity.h"
#include "app/effects.h"
#include "app/input_proof.h"
#include "platform/desktop.h"
#include "settings/policy.h"
#include "settings/settings.h"

#include <functional>
#include <optional>

namespace wavelith {

// One draw of the C runtime's rand(): 0 to 32767.
using RandomSource = std::function<int()>;

// The period of the next shake interval, or nothing when both bounds are 0 (no timer).
// Both bounds are included; they are compared as unsigned, in either order.
std::optional<uint32_t> shakePeriod(int32_t firstBound, int32_t secondBound, const RandomSource& random);

class SwingEngine {
public:
    static constexpr int32_t kScriptMode = kScriptShakeMode;

    // The policy raises the intervals and may turn the script mode off; it is never written
    // into the settings.
    SwingEngine(Desktop& desktop, const Settings& settings, ActivityControl& activity, AppEffects& effects,
                RandomSource random, bool japanese, const Policy& policy = currentPolicy());

    // Sets the shake timer to a newly drawn period; does nothing when both bounds are 0.
    void armShakeTimer();
    // The shake timer expired.
    void onShakeTimer();
    // The session was locked or unlocked: on unlock the shakes go on at once, the next one a
    // freshly drawn interval away.
    void onSessionChange(bool locked);

    // Whether the shakes reach Windows; the one-second timer settles its last judgement.
    const InputProof& inputProof() const { return proof_; }
    void settleInputProof() { proof_.settle(); }

    uint8_t squareWalkStep() const { return squareWalkStep_; }
    bool alternation() const { return alternation_; }
    bool remoteWarned() const { return remoteWarned_; }

private:
    void tapEmulationKey();
    void shakeMouse(int32_t mode, int32_t pixels);
    void basicMove(int32_t pixels);
    void primaryClicks(uint32_t downFlag, uint32_t upFlag, int count);
    void squareWalk(int32_t stepAtLeast, int32_t pixels);
    void clearRemoteWarning();

    Desktop& desktop_;
    const Settings& settings_;
    const Policy& policy_;
    ActivityControl& activity_;
    AppEffects& effects_;
    RandomSource random_;
    bool japanese_;

    uint8_t squareWalkStep_ = 0;  // shared by modes 1 and 11
    bool alternation_ = true;     // shared by modes 2, 3 and 10
    bool remoteWarned_ = false;
    InputProof proof_;
};

}  // namespace wavelith
