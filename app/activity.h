// The running/paused state, the one operation that changes it, and the pause command
// through which the tray, the hotkey and other instances ask for a change.
#pragma once

#include "app/command_line.h"
#include "app/effects.h"
#include "platform/desktop.h"
#include "settings/settings.h"

namespace wavelith {

class ActivityControl {
public:
    ActivityControl(const Settings& settings, AppEffects& effects, bool startPaused);

    bool paused() const { return paused_; }

    // The only way the state changes. Done even when the state is unchanged, so that a
    // repeated pause restarts the re-on countdown.
    void setActivityState(bool paused);
    void pauseCommand(PauseMode mode);

    // After each of its mouse shakes the swing engine reports where the cursor is, so that its
    // own movement is never taken for the user's.
    void noteEngineMouseShake(Point cursor);

    // Start-up: the idle countdown takes the cursor as its first reference; the re-on
    // countdown starts when the program starts running.
    void startIdleCountdown(Point cursor);
    void startReOnCountdown();

    // Timer ticks of the automatic rules (idle limit, time of day, re-on countdown, mouse watch).
    void onSecondTick();
    void onMouseWatchTick();

    int32_t reOnCountdown() const { return reOnCountdown_; }
    Point idleLastPosition() const { return idleLastPosition_; }
    Point watchLastPosition() const { return watchLastPosition_; }

private:
    const Settings& settings_;
    AppEffects& effects_;
    bool paused_;
    int32_t reOnCountdown_;
    Point idleLastPosition_{};
    Point watchLastPosition_{-1, -1};
};

}  // namespace wavelith
