#include "app/swing.h"

#include "fake_effects.h"
#include "platform/simulated_desktop.h"

#include <gtest/gtest.h>

#include <deque>

namespace wavelith {

namespace {

using namespace mouse_flags;

MouseEventRecord move(int32_t dx, int32_t dy) { return {Move, dx, dy, 0}; }
MouseEventRecord button(uint32_t flags, int32_t data = 0) { return {flags, 0, 0, data}; }
SetCursorRecord setCursor(int32_t x, int32_t y) { return {{x, y}}; }
KeyEventRecord key(uint8_t virtualKey, uint32_t flags) { return {virtualKey, flags}; }

// A rand() that hands out the given values in order.
RandomSource scripted(std::deque<int> values) {
    auto shared = std::make_shared<std::deque<int>>(std::move(values));
    return [shared] {
        int value = shared->front();
        shared->pop_front();
        return value;
    };
}

struct SwingFixture : ::testing::Test {
    SimulatedDesktop desktop{{500, 400}};
    Settings settings;
    FakeEffects effects;
    ActivityControl activity{desktop, settings, effects, false};
    SwingEngine engine{desktop, settings, activity, effects, [] { return 0; }, false};

    void useMode(int32_t mode, int32_t pixels = 1) {
        settings.Intelligibility = mode;
        settings.MouseMovePixel = pixels;
    }
    std::vector<DesktopEvent> shake() {
        desktop.clearEvents();
        engine.onShakeTimer();
        return desktop.events();
    }
};

using Events = std::vector<DesktopEvent>;

}  // namespace

TEST(ShakePeriod, FixedAndAbsentIntervals) {
    auto never = [] { return 12345; };
    EXPECT_EQ(shakePeriod(0, 0, never), std::nullopt);
    EXPECT_EQ(shakePeriod(5000, 5000, never), 5000u);
    // A negative stored bound is an unsigned period, passed on as it is.
    EXPECT_EQ(shakePeriod(-1, -1, never), 0xFFFFFFFFu);
}

TEST(ShakePeriod, RandomDrawIncludesBothBoundsInEitherOrder) {
    // r = (first << 16) | second; period = low + r mod (high - low + 1)
    EXPECT_EQ(shakePeriod(2000, 10000, scripted({0, 0})), 2000u);
    EXPECT_EQ(shakePeriod(10000, 2000, scripted({0, 0})), 2000u);
    EXPECT_EQ(shakePeriod(2000, 10000, scripted({0, 8000})), 10000u);
    EXPECT_EQ(shakePeriod(10000, 2000, scripted({0, 8001})), 2000u);
    EXPECT_EQ(shakePeriod(2000, 10000, scripted({1, 0})), 2000u + 65536u % 8001u);
    EXPECT_EQ(shakePeriod(0, 1, scripted({32767, 32767})), ((32767u << 16) | 32767u) % 2u);
}

TEST(ShakePeriod, BoundsAreComparedUnsigned) {
    // -1 is 0xFFFFFFFF, so it is the upper bound of 5 and -1.
    EXPECT_EQ(shakePeriod(-1, 5, scripted({0, 3})), 8u);
}

TEST(ShakePeriod, FullRangeDoesNotDivideByZero) {
    // 0 and 0xFFFFFFFF span all 2^32 periods: the draw itself is the period.
    EXPECT_EQ(shakePeriod(0, -1, scripted({0x1234, 0x5678})), 0x12345678u);
    EXPECT_EQ(shakePeriod(-1, 0, scripted({1, 2})), 0x10002u);
}

TEST_F(SwingFixture, RandomIntervalIsDrawnAnewAtEveryExpiryEvenWhilePaused) {
    settings.IntervalTimeMSec = 1000;
    settings.IntervalTimeMSec2 = 3000;
    engine.armShakeTimer();
    activity.setActivityState(true);
    engine.onShakeTimer();
    EXPECT_EQ(effects.timerPeriods.size(), 2u);

    settings.IntervalTimeMSec2 = 1000;
    engine.onShakeTimer();
    EXPECT_EQ(effects.timerPeriods.size(), 2u) << "a fixed interval keeps its timer";
}

TEST_F(SwingFixture, ArmingWithBothBoundsZeroSetsNoTimer) {
    settings.IntervalTimeMSec = settings.IntervalTimeMSec2 = 0;
    engine.armShakeTimer();
    EXPECT_TRUE(effects.timerPeriods.empty());
}

TEST_F(SwingFixture, BasicMoveGoesThereAndBackAndRestoresTheCursorExactly) {
    useMode(0, 5);
    EXPECT_EQ(shake(), (Events{move(5, 0), move(-5, 0), setCursor(500, 400)}));
    EXPECT_EQ(desktop.getCursorPos(), (Point{500, 400}));
    // A negative distance reverses the directions.
    useMode(0, -3);
    EXPECT_EQ(shake(), (Events{move(-3, 0), move(3, 0), setCursor(500, 400)}));
}

TEST_F(SwingFixture, ExtremeDistanceWrapsInsteadOfOverflowing) {
    useMode(0, INT32_MIN);
    EXPECT_EQ(shake(), (Events{move(INT32_MIN, 0), move(INT32_MIN, 0), setCursor(500, 400)}));
}

TEST_F(SwingFixture, ButtonModesFollowTheBasicMove) {
    const Events there{move(1, 0), move(-1, 0), setCursor(500, 400)};
    auto after = [&](Events tail) {
        Events all = there;
        all.insert(all.end(), tail.begin(), tail.end());
        return all;
    };
    useMode(4);
    EXPECT_EQ(shake(), after({SwapButtonRecord{false}, button(LeftDown), button(LeftUp), SwapButtonRecord{false}}));
    useMode(5);
    EXPECT_EQ(shake(), after({SwapButtonRecord{false}, button(LeftDown), button(LeftUp), button(LeftDown),
                              button(LeftUp), SwapButtonRecord{false}}));
    useMode(6);
    EXPECT_EQ(shake(), after({SwapButtonRecord{false}, button(RightDown), button(RightUp), SwapButtonRecord{false}}));
    useMode(7);
    EXPECT_EQ(shake(), after({button(MiddleDown), button(MiddleUp)}));
    useMode(8);
    EXPECT_EQ(shake(), after({button(XDown, 1), button(XUp, 1)}));
    useMode(9);
    EXPECT_EQ(shake(), after({button(XDown, 2), button(XUp, 2)}));
}

TEST_F(SwingFixture, ClickWithSwappedButtonsIsPhysicalLeftAndKeepsTheSwap) {
    desktop.buttonsSwapped = true;
    useMode(4);
    Events events = shake();
    EXPECT_EQ(events[3], DesktopEvent(SwapButtonRecord{false}));
    EXPECT_EQ(events[4], DesktopEvent(button(LeftDown)));
    EXPECT_EQ(events.back(), DesktopEvent(SwapButtonRecord{true}));
    EXPECT_TRUE(desktop.buttonsSwapped);
}

TEST_F(SwingFixture, OnePixelModeLeavesTheCursorOffAlternately) {
    useMode(2, 4);
    EXPECT_EQ(shake(), (Events{move(4, 0), setCursor(501, 400)}));
    EXPECT_EQ(shake(), (Events{move(4, 0), setCursor(500, 400)}));
    EXPECT_EQ(shake(), (Events{move(4, 0), setCursor(501, 400)}));
}

TEST_F(SwingFixture, WheelAndXButtonModesShareOneAlternationBit) {
    const Events there{move(1, 0), move(-1, 0), setCursor(500, 400)};
    auto last = [](const Events& events, size_t fromEnd) { return events[events.size() - fromEnd]; };
    useMode(3);
    EXPECT_EQ(last(shake(), 1), DesktopEvent(button(Wheel, 256)));
    useMode(10);
    EXPECT_EQ(last(shake(), 1), DesktopEvent(button(XUp, 2)));  // the bit was flipped by mode 3
    useMode(2);
    EXPECT_EQ(last(shake(), 1), DesktopEvent(setCursor(501, 400)));
    useMode(3);
    EXPECT_EQ(last(shake(), 1), DesktopEvent(button(Wheel, -256)));
    useMode(10);
    Events events = shake();
    EXPECT_EQ(last(events, 2), DesktopEvent(button(XDown, 1)));
    EXPECT_EQ(events.size(), there.size() + 2);
}

TEST_F(SwingFixture, SquareWalkGoesDownLeftUpRightAndReturns) {
    useMode(1, 1);  // raised to 8
    EXPECT_EQ(shake(), (Events{move(0, 8)}));
    EXPECT_EQ(shake(), (Events{move(-8, 0)}));
    EXPECT_EQ(shake(), (Events{move(0, -8)}));
    EXPECT_EQ(shake(), (Events{move(8, 0)}));
    EXPECT_EQ(desktop.getCursorPos(), (Point{500, 400}));
    EXPECT_EQ(shake(), (Events{move(0, 8)}));

    useMode(1, 20);
    EXPECT_EQ(shake(), (Events{move(-20, 0)}));
}

TEST_F(SwingFixture, CarefulSquareWalkContinuesTheSameStepSequence) {
    useMode(11, 1);  // raised to 3
    EXPECT_EQ(shake(), (Events{move(0, 3)}));
    useMode(1, 1);
    EXPECT_EQ(shake(), (Events{move(-8, 0)}));
    useMode(11, -7);  // a negative distance is raised to the minimum
    EXPECT_EQ(shake(), (Events{move(0, -3)}));
    EXPECT_EQ(shake(), (Events{move(3, 0)}));
}

TEST_F(SwingFixture, MouseShakeTellsActivityWhereTheCursorIs) {
    useMode(2, 1);
    shake();
    EXPECT_EQ(activity.idleLastPosition(), (Point{501, 400}));
    EXPECT_EQ(activity.watchLastPosition(), (Point{-1, -1}));
}

TEST_F(SwingFixture, PausedShakesNothing) {
    activity.setActivityState(true);
    useMode(0);
    EXPECT_TRUE(shake().empty());
    settings.MouseMovePixel = 0;
    EXPECT_TRUE(shake().empty());
}

TEST_F(SwingFixture, KeyboardEmulationTapsTheChosenKey) {
    settings.MouseMovePixel = 0;
    settings.KeyEmu = 0;
    EXPECT_EQ(shake(), (Events{key(0x10, 0), key(0x10, key_flags::KeyUp)}));
    settings.KeyEmu = 2;
    EXPECT_EQ(shake(), (Events{key(0x13, 0), key(0x13, key_flags::KeyUp)}));
    settings.KeyEmu = 7;  // anything unknown is Shift
    EXPECT_EQ(shake(), (Events{key(0x10, 0), key(0x10, key_flags::KeyUp)}));
}

TEST_F(SwingFixture, ScrollLockIsTappedTwiceSoItsLightStaysAsItWas) {
    settings.MouseMovePixel = 0;
    settings.KeyEmu = 1;
    EXPECT_EQ(shake(), (Events{key(0x91, 0), key(0x91, key_flags::KeyUp), key(0x91, 0),
                               key(0x91, key_flags::KeyUp)}));
    EXPECT_FALSE(desktop.isToggled(0x91));
}

TEST_F(SwingFixture, NoTapWhileTheUserHoldsTheKey) {
    settings.MouseMovePixel = 0;
    desktop.holdKey(0x10, true);
    EXPECT_TRUE(shake().empty());
}

TEST_F(SwingFixture, RemoteSessionWithholdsMouseShakesAndWarnsOnce) {
    desktop.remoteSession = true;
    useMode(0);
    EXPECT_TRUE(shake().empty());
    EXPECT_TRUE(shake().empty());
    ASSERT_EQ(effects.notices.size(), 1u);
    EXPECT_EQ(effects.notices[0].text, u"Stopped (Remote Session).");
    EXPECT_EQ(effects.notices[0].kind, NoticeKind::Warning);

    // Keyboard emulation keeps working and clears the warning mark and the balloon.
    settings.MouseMovePixel = 0;
    EXPECT_EQ(shake().size(), 2u);
    EXPECT_EQ(effects.clearedNotices, 1);
    EXPECT_FALSE(engine.remoteWarned());

    settings.MouseMovePixel = 1;
    shake();
    EXPECT_EQ(effects.notices.size(), 2u) << "a cleared mark warns again";
}

TEST_F(SwingFixture, MarkSurvivesTheEndOfTheRemoteSessionUntilPausedOnce) {
    desktop.remoteSession = true;
    shake();
    desktop.remoteSession = false;
    EXPECT_EQ(shake().size(), 3u);
    EXPECT_TRUE(engine.remoteWarned()) << "a mouse shake leaves the mark";
    desktop.remoteSession = true;
    shake();
    EXPECT_EQ(effects.notices.size(), 1u);

    activity.setActivityState(true);
    shake();
    EXPECT_FALSE(engine.remoteWarned());
    EXPECT_EQ(effects.clearedNotices, 1);
}

TEST_F(SwingFixture, RemoteWarningCanBeSwitchedOffButTheMarkIsStillSet) {
    settings.bDisableRemoteWaring = true;
    desktop.remoteSession = true;
    shake();
    EXPECT_TRUE(effects.notices.empty());
    EXPECT_TRUE(engine.remoteWarned());
}

TEST_F(SwingFixture, FocusAssistWithholdsMouseShakesOnlyWhenAsked) {
    desktop.focusAssist = true;
    EXPECT_EQ(shake().size(), 3u);
    settings.bDisableWhenUseFocusAssist = true;
    EXPECT_TRUE(shake().empty());
    settings.MouseMovePixel = 0;
    EXPECT_EQ(shake().size(), 2u) << "keyboard emulation is not withheld";
}

TEST_F(SwingFixture, ScriptModeStartsARunUnlessSuspended) {
    useMode(12);
    EXPECT_TRUE(shake().empty());
    EXPECT_EQ(effects.scriptRunsStarted, 1);
    effects.scriptSuspended = true;
    shake();
    EXPECT_EQ(effects.scriptRunsStarted, 1);
    EXPECT_EQ(activity.watchLastPosition(), (Point{-1, -1}));
}

TEST_F(SwingFixture, JapaneseRemoteWarning) {
    SwingEngine japanese{desktop, settings, activity, effects, [] { return 0; }, true};
    desktop.remoteSession = true;
    japanese.onShakeTimer();
    ASSERT_EQ(effects.notices.size(), 1u);
    EXPECT_NE(effects.notices[0].text, u"Stopped (Remote Session).");
}

TEST_F(SwingFixture, LockWithholdsShakesAndScriptRunsAndUnlockResumesAtOnce) {
    engine.onSessionChange(true);
    EXPECT_FALSE(activity.paused()) << "a lock is not a pause";
    EXPECT_TRUE(shake().empty());
    useMode(12);
    shake();
    EXPECT_EQ(effects.scriptRunsStarted, 0);

    engine.onSessionChange(false);
    EXPECT_EQ(effects.timerPeriods.size(), 1u) << "a fresh interval from the unlock";
    shake();
    EXPECT_EQ(effects.scriptRunsStarted, 1);

    settings.PauseWhileLocked = false;
    engine.onSessionChange(true);
    shake();
    EXPECT_EQ(effects.scriptRunsStarted, 2) << "without the setting a lock changes nothing";
}

TEST_F(SwingFixture, CountdownsWaitWhileLockedAndStartAfreshAndAPauseStaysAPause) {
    settings.LASTMOVE = 60;
    settings.ReOnSec = 30;
    activity.setActivityState(true);
    for (int i = 0; i < 20; ++i) activity.onSecondTick();
    engine.onSessionChange(true);
    for (int i = 0; i < 100; ++i) activity.onSecondTick();
    engine.onSessionChange(false);
    EXPECT_TRUE(activity.paused());
    EXPECT_EQ(activity.reOnCountdown(), 30);
    for (int i = 0; i < 29; ++i) activity.onSecondTick();
    EXPECT_TRUE(activity.paused());
    activity.onSecondTick();
    EXPECT_FALSE(activity.paused()) << "resumed 30 s after the unlock";

    engine.onSessionChange(true);
    for (int i = 0; i < 100; ++i) activity.onSecondTick();
    EXPECT_FALSE(activity.paused()) << "the lock screen is not an idle user";
    engine.onSessionChange(false);
    EXPECT_EQ(activity.idleCountdown(), 60);
}

}  // namespace wavelith
