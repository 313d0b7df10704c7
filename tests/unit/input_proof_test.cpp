#include "app/swing.h"

#include "fake_effects.h"
#include "platform/simulated_desktop.h"

#include <gtest/gtest.h>

namespace wavelith {

namespace {

struct ProofFixture : ::testing::Test {
    SimulatedDesktop desktop{{500, 400}};
    Settings settings;
    FakeEffects effects;
    ActivityControl activity{desktop, settings, effects, false};
    SwingEngine engine{desktop, settings, activity, effects, [] { return 0; }, false};

    ProofFixture() {
        desktop.fixedTickCount = 1000;
        desktop.fixedLocalTime = LocalTime{};
    }
    // One expiry of the shake timer and the one-second tick after it.
    void shakeAt(int second, bool reachesWindows) {
        desktop.inputBlocked = !reachesWindows;
        *desktop.fixedTickCount += 1000;
        desktop.fixedLocalTime->second = second;
        engine.onShakeTimer();
        engine.settleInputProof();
    }
    const InputProof& proof() const { return engine.inputProof(); }
};

}  // namespace

TEST_F(ProofFixture, ThreeMissesInARowWarnOnceAndAShakeThatGetsThroughClears) {
    shakeAt(1, true);
    EXPECT_EQ(proof().lastReached()->second, 1);
    for (int second = 2; second <= 7; ++second) shakeAt(second, false);
    ASSERT_EQ(effects.notices.size(), 1u) << "one warning for a run of misses, however long";
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::Warning);
    EXPECT_EQ(proof().lastReached()->second, 1) << "a miss is not the last shake that reached Windows";

    shakeAt(8, true);
    EXPECT_EQ(effects.clearedNotices, 1);
    EXPECT_EQ(proof().lastReached()->second, 8);
    EXPECT_EQ(effects.lastShakesShown, 2);

    // One that gets through restarts the count.
    for (bool reaches : {false, false, true, false, false}) shakeAt(9, reaches);
    EXPECT_EQ(effects.notices.size(), 1u);
    shakeAt(10, false);
    EXPECT_EQ(effects.notices.size(), 2u);
}

TEST_F(ProofFixture, WindowsMayCountTheInputLateAndTheTickMayWrap) {
    desktop.inputBlocked = true;
    desktop.fixedTickCount = 0xFFFFFFF0u;
    engine.onShakeTimer();
    desktop.lastInputTick = 0x10;  // counted after the call returned, past the wrap
    engine.settleInputProof();
    EXPECT_TRUE(proof().lastReached());
}

TEST_F(ProofFixture, KeyTapsAreJudgedScriptsAndWithheldShakesAreNot) {
    settings.Intelligibility = 12;
    for (int i = 0; i < 3; ++i) shakeAt(i, false);
    settings.Intelligibility = 0;
    desktop.remoteSession = true;
    for (int i = 0; i < 3; ++i) shakeAt(i, false);
    EXPECT_EQ(proof().missesInARow(), 0);

    settings.MouseMovePixel = 0;
    for (int i = 0; i < 3; ++i) shakeAt(i, false);
    EXPECT_TRUE(proof().warned()) << "keyboard emulation goes on in a remote session, and is judged";
}

}  // namespace wavelith
