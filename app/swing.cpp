#include "app/swing.h"

#include "app/messages.h"

#include <algorithm>

namespace wavelith {

namespace {

// Negation with 32-bit wrap-around, as the shake arithmetic of a stored distance must never trap.
int32_t negated(int32_t value) { return static_cast<int32_t>(0u - static_cast<uint32_t>(value)); }
int32_t plus(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

std::optional<uint32_t> shakePeriod(int32_t firstBound, int32_t secondBound, const RandomSource& random) {
    uint32_t low = static_cast<uint32_t>(firstBound);
    uint32_t high = static_cast<uint32_t>(secondBound);
    if (low == 0 && high == 0) return std::nullopt;
    if (low == high) return low;
    if (low > high) std::swap(low, high);
    uint32_t drawn = (static_cast<uint32_t>(random()) << 16) | static_cast<uint32_t>(random());
    uint32_t span = high - low + 1;
    // Bounds 0 and 0xFFFFFFFF span every value: the span wraps to 0 and any draw fits.
    return span == 0 ? low + drawn : low + drawn % span;
}

SwingEngine::SwingEngine(Desktop& desktop, const Settings& settings, ActivityControl& activity,
                         AppEffects& effects, RandomSource random, bool japanese, const Policy& policy)
    : desktop_(desktop),
      settings_(settings),
      policy_(policy),
      activity_(activity),
      effects_(effects),
      random_(std::move(random)),
      japanese_(japanese),
      proof_(desktop, effects, japanese) {}

void SwingEngine::armShakeTimer() {
    int32_t first = effectiveIntervalBound(settings_.IntervalTimeMSec, settings_.IntervalTimeMSec2, policy_);
    int32_t second = effectiveIntervalBound(settings_.IntervalTimeMSec2, settings_.IntervalTimeMSec, policy_);
    if (auto period = shakePeriod(first, second, random_)) effects_.setShakeTimer(*period);
}

void SwingEngine::onShakeTimer() {
    if (settings_.IntervalTimeMSec != settings_.IntervalTimeMSec2) armShakeTimer();

    if (activity_.paused()) {
        clearRemoteWarning();
        return;
    }
    if (activity_.withheldByLock()) return;
    if (settings_.MouseMovePixel == 0) {
        // Keyboard emulation is never withheld for remote sessions or Focus Assist.
        tapEmulationKey();
        clearRemoteWarning();
        return;
    }
    if (desktop_.getSystemMetrics(system_metrics::RemoteSession) != 0) {
        if (!remoteWarned_) {
            remoteWarned_ = true;
            if (!settings_.bDisableRemoteWaring)
                effects_.showNotice(appMessage(AppMessage::RemoteSessionStopped, japanese_), NoticeKind::Warning);
        }
        return;
    }
    if (settings_.bDisableWhenUseFocusAssist && desktop_.queryFocusAssist()) return;

    int32_t mode = effectiveShakeMode(settings_.Intelligibility, policy_);
    // A script's input is its own business: only the fixed patterns are checked.
    if (mode != kScriptMode) proof_.beforeShake();
    shakeMouse(mode, settings_.MouseMovePixel);
    if (mode != kScriptMode) proof_.afterShake();
    activity_.noteEngineMouseShake(desktop_.getCursorPos());
}

void SwingEngine::onSessionChange(bool locked) {
    bool wasWithheld = activity_.withheldByLock();
    activity_.setSessionLocked(locked);
    if (wasWithheld && !activity_.withheldByLock()) armShakeTimer();
}

void SwingEngine::tapEmulationKey() {
    uint8_t key = settings_.KeyEmu == 1   ? virtual_keys::ScrollLock
                  : settings_.KeyEmu == 2 ? virtual_keys::Pause
                                          : virtual_keys::Shift;
    // A tap while the user holds the key would release it under their finger.
    if (static_cast<uint16_t>(desktop_.getKeyState(key)) & 0x8000) return;
    proof_.beforeShake();
    int taps = key == virtual_keys::ScrollLock ? 2 : 1;  // twice, so the lock light ends as it was
    for (int i = 0; i < taps; ++i) {
        desktop_.keybdEvent(key, 0);
        desktop_.keybdEvent(key, key_flags::KeyUp);
    }
    proof_.afterShake();
}

void SwingEngine::clearRemoteWarning() {
    if (!remoteWarned_) return;
    effects_.clearNotice();
    remoteWarned_ = false;
}

void SwingEngine::basicMove(int32_t pixels) {
    Point start = desktop_.getCursorPos();
    desktop_.mouseEvent(mouse_flags::Move, pixels, 0, 0);
    desktop_.mouseEvent(mouse_flags::Move, negated(pixels), 0, 0);
    // The relative moves are accelerated by the system; the absolute set restores exactly.
    desktop_.setCursorPos(start);
}

void SwingEngine::primaryClicks(uint32_t downFlag, uint32_t upFlag, int count) {
    // Switch swapping off for the click, so it is always the physical button, then restore it.
    bool wasSwapped = desktop_.swapMouseButton(false);
    for (int i = 0; i < count; ++i) {
        desktop_.mouseEvent(downFlag, 0, 0, 0);
        desktop_.mouseEvent(upFlag, 0, 0, 0);
    }
    desktop_.swapMouseButton(wasSwapped);
}

void SwingEngine::squareWalk(int32_t stepAtLeast, int32_t pixels) {
    int32_t step = std::max(pixels, stepAtLeast);
    ++squareWalkStep_;  // 8-bit, wraps
    switch (squareWalkStep_) {
        case 1: desktop_.mouseEvent(mouse_flags::Move, 0, step, 0); break;
        case 2: desktop_.mouseEvent(mouse_flags::Move, negated(step), 0, 0); break;
        case 3:
            desktop_.mouseEvent(mouse_flags::Move, 0, negated(step), 0);
            squareWalkStep_ = 255;
            break;
        case 0: desktop_.mouseEvent(mouse_flags::Move, step, 0, 0); break;
        default: break;  // unreachable: the step only ever holds 0 to 3 or 255
    }
}

void SwingEngine::shakeMouse(int32_t mode, int32_t pixels) {
    using namespace mouse_flags;
    switch (mode) {
        case 0: basicMove(pixels); break;
        case 1: squareWalk(8, pixels); break;
        case 2: {
            Point start = desktop_.getCursorPos();
            desktop_.mouseEvent(Move, pixels, 0, 0);
            desktop_.setCursorPos({plus(start.x, alternation_ ? 1 : -1), start.y});
            alternation_ = !alternation_;
            break;
        }
        case 3:
            basicMove(pixels);
            desktop_.mouseEvent(Wheel, 0, 0, alternation_ ? 256 : -256);
            alternation_ = !alternation_;
            break;
        case 4: basicMove(pixels); primaryClicks(LeftDown, LeftUp, 1); break;
        case 5: basicMove(pixels); primaryClicks(LeftDown, LeftUp, 2); break;
        case 6: basicMove(pixels); primaryClicks(RightDown, RightUp, 1); break;
        case 7:
            basicMove(pixels);
            desktop_.mouseEvent(MiddleDown, 0, 0, 0);
            desktop_.mouseEvent(MiddleUp, 0, 0, 0);
            break;
        case 8:
        case 9:
        case 10: {
            basicMove(pixels);
            int32_t button = mode == 8 ? 1 : mode == 9 ? 2 : (alternation_ ? 1 : 2);
            if (mode == 10) alternation_ = !alternation_;
            desktop_.mouseEvent(XDown, 0, 0, button);
            desktop_.mouseEvent(XUp, 0, 0, button);
            break;
        }
        case 11: squareWalk(3, pixels); break;
        case kScriptMode:
            if (!effects_.isScriptSuspended()) effects_.startScriptRun();
            break;
        default: break;  // the load check keeps the mode within 0 to 12
    }
}

}  // namespace wavelith
