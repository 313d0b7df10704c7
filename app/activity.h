// The running/paused state, the one operation that changes it, the pause command through
// which the tray, the hotkey and other instances ask for a change, and the automatic rules:
// pause on foreign mouse movement, pause after an idle time (and resume on movement), resume
// after a number of seconds, pause and resume at a time of day. Everything is polled from the
// main window's timers; the clock and the cursor come from the Desktop.
#pragma once

#include "app/command_line.h"
#include "app/effects.h"
#include "platform/desktop.h"
#include "settings/settings.h"

namespace wavelith {

class ActivityControl {
public:
    static constexpr int32_t kWatchGraceTicks = 20;  // 5 seconds of 250 ms ticks

    ActivityControl(Desktop& desktop, const Settings& settings, AppEffects& effects, bool startPaused);

    bool paused() const { return paused_; }
    // Shakes and script runs are held back while the session is locked (PauseWhileLocked);
    // this is not a pause, so the user's paused state is never touched by it.
    bool withheldByLock() const { return sessionLocked_ && settings_.PauseWhileLocked; }
    // The session was locked or unlocked. On unlock every countdown starts afresh.
    void setSessionLocked(bool locked);

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
    // After the settings dialog is confirmed: both countdowns start from the new settings.
    void restartCountdowns();

    // The one-second timer: idle rule, time of day, re-on countdown.
    void onSecondTick();
    // The 250 ms mouse-watch timer.
    void onMouseWatchTick();

    int32_t idleCountdown() const { return idleCountdown_; }
    int32_t reOnCountdown() const { return reOnCountdown_; }
    bool pausedByIdle() const { return pausedByIdle_; }
    Point idleLastPosition() const { return idleLastPosition_; }
    Point watchLastPosition() const { return watchLastPosition_; }

private:
    void idleRule();
    void timeOfDayRule();
    void reOnRule();

    Desktop& desktop_;
    const Settings& settings_;
    AppEffects& effects_;
    bool paused_;
    bool sessionLocked_ = false;
    bool pausedByIdle_ = false;
    int32_t idleCountdown_;
    int32_t reOnCountdown_;
    Point idleLastPosition_{};
    Point watchLastPosition_{-1, -1};
    int32_t watchGrace_ = kWatchGraceTicks;
};

}  // namespace wavelith
