#include "app/activity.h"

namespace wavelith {

ActivityControl::ActivityControl(const Settings& settings, AppEffects& effects, bool startPaused)
    : settings_(settings), effects_(effects), paused_(startPaused), reOnCountdown_(settings.ReOnSec) {}

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

void ActivityControl::noteEngineMouseShake(Point cursor) {
    idleLastPosition_ = cursor;
    watchLastPosition_ = {-1, -1};
}

void ActivityControl::startIdleCountdown(Point cursor) { idleLastPosition_ = cursor; }

void ActivityControl::startReOnCountdown() {
    if (settings_.ReOnSec > 0) reOnCountdown_ = settings_.ReOnSec;
}

// The automatic rules arrive with the activity-control work; the timers already run.
void ActivityControl::onSecondTick() {}
void ActivityControl::onMouseWatchTick() {}

}  // namespace wavelith
