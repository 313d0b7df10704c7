// Records what the engines ask of the program, for native tests.
#pragma once

#include "app/effects.h"

#include <optional>
#include <string>
#include <vector>

namespace wavelith {

struct RecordedNotice {
    std::u16string text;
    NoticeKind kind;
};

class FakeEffects : public AppEffects {
public:
    void setShakeTimer(uint32_t periodMs) override { timerPeriods.push_back(periodMs); }
    void showNotice(std::u16string_view text, NoticeKind kind) override {
        notices.push_back({std::u16string(text), kind});
    }
    void clearNotice() override { ++clearedNotices; }
    void showActivityState(bool paused) override { shownStates.push_back(paused); }
    void showLastShake() override { ++lastShakesShown; }
    bool isScriptSuspended() override { return scriptSuspended; }
    void startScriptRun() override { ++scriptRunsStarted; }

    std::vector<uint32_t> timerPeriods;
    std::vector<RecordedNotice> notices;
    int clearedNotices = 0;
    std::vector<bool> shownStates;
    int lastShakesShown = 0;
    bool scriptSuspended = false;
    int scriptRunsStarted = 0;
};

}  // namespace wavelith
