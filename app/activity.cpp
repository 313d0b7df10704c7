#include "app/activity.h"

namespace wavelith {

namespace {
constexpr Point kNoReference{-1, -1};
}

ActivityControl::ActivityControl(Desktop& desktop, const Settings& settings, AppEffects& effects, bool startPaused)
    : desktop_(desktop),
      settings_(settings),
      effects_(effects),
      paused_(startPaused),
      idleCountdown_(settings.LASTMOVE),
      reOnCountdown_(settings.ReOnSec) {}

void ActivityControl::setActivityState(bool paused) {
    paused_ = paused;
    effects_.showActivityState(paused);
    if (settings_.ReOnSec > 0) reOnCountdown_ = settings_.ReOnSec;
}

void ActivityControl::pauseCommand(PauseMode mode) {
    switch (mode) {
        case PauseMode::Toggle: setActivityState(!paused_); break;
        case PauseMode::TurnOn:
            if (paused_) setActivityState(false);
            break;
        case PauseMode::TurnOff:
            if (!paused_ || settings_.bPauseDouble) setActivityState(true);
            break;
    }
}

void ActivityControl::setSessionLocked(bool locked) {
    if (locked == sessionLocked_) return;
    sessionLocked_ = locked;
    if (!settings_.PauseWhileLocked) return;
    if (!locked) {
        restartCountdowns();
        // Where the user left the cursor at the lock screen is nobody's movement to pause on.
        idleLastPosition_ = desktop_.getCursorPos();
        watchLastPosition_ = kNoReference;
        watchGrace_ = kWatchGraceTicks;
    }
    effects_.showActivityState(paused_);
}

void ActivityControl::noteEngineMouseShake(Point cursor) {
    idleLastPosition_ = cursor;
    watchLastPosition_ = kNoReference;
}

void ActivityControl::startIdleCountdown(Point cursor) { idleLastPosition_ = cursor; }

void ActivityControl::startReOnCountdown() {
    if (settings_.ReOnSec > 0) reOnCountdown_ = settings_.ReOnSec;
}

void ActivityControl::restartCountdowns() {
    idleCountdown_ = settings_.LASTMOVE;
    reOnCountdown_ = settings_.ReOnSec;
}

void ActivityControl::onSecondTick() {
    // While locked the cursor says nothing about the user, and the re-on countdown waits for the
    // unlock; a time of day still takes effect.
    if (withheldByLock()) {
        timeOfDayRule();
        return;
    }
    idleRule();
    timeOfDayRule();
    reOnRule();
}

void ActivityControl::idleRule() {
    if (settings_.LASTMOVE == 0) return;
    Point cursor = desktop_.getCursorPos();
    if (cursor != idleLastPosition_) {
        idleCountdown_ = settings_.LASTMOVE;
        // Only a pause of the idle rule's own making ends with movement.
        if (paused_ && pausedByIdle_) {
            pausedByIdle_ = false;
            setActivityState(false);
        }
    } else if (!paused_ && idleCountdown_ > 0) {
        if (--idleCountdown_ == 0) {
            pausedByIdle_ = true;
            setActivityState(true);
        }
    }
    idleLastPosition_ = cursor;
}

void ActivityControl::timeOfDayRule() {
    if (!settings_.bTimeOff && !settings_.bTimeOn) return;
    LocalTime now = desktop_.getLocalTime();
    auto at = [&](int32_t hour, int32_t minute, int32_t second) {
        return now.hour == hour && now.minute == minute && now.second == second;
    };
    // The two checks exclude each other: with bTimeOff and bPauseDouble both set, the on time
    // is never looked at.
    if (settings_.bTimeOff && (!paused_ || settings_.bPauseDouble)) {
        if (at(settings_.dwTimeOffHour, settings_.dwTimeOffMin, settings_.dwTimeOffSec)) setActivityState(true);
    } else if (settings_.bTimeOn) {
        if (!paused_) return;
        if (at(settings_.dwTimeOnHour, settings_.dwTimeOnMin, settings_.dwTimeOnSec)) setActivityState(false);
    }
}

void ActivityControl::reOnRule() {
    if (!paused_ || settings_.ReOnSec <= 0 || reOnCountdown_ <= 0) return;
    if (--reOnCountdown_ == 0) setActivityState(false);
}

void ActivityControl::onMouseWatchTick() {
    if (!settings_.PauseByMouseMove || withheldByLock() || (paused_ && !settings_.bPauseDouble)) {
        watchLastPosition_ = kNoReference;
        watchGrace_ = kWatchGraceTicks;
        return;
    }
    Point cursor = desktop_.getCursorPos();
    if (watchGrace_ > 0) {
        --watchGrace_;
        return;
    }
    if (cursor == watchLastPosition_) return;
    if (watchLastPosition_ != kNoReference) setActivityState(true);
    watchLastPosition_ = cursor;
}

}  // namespace wavelith
