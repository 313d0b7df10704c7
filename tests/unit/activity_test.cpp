#include "app/activity.h"

#include "fake_effects.h"
#include "platform/simulated_desktop.h"

#include <gtest/gtest.h>

namespace wavelith {

namespace {

struct ActivityFixture : ::testing::Test {
    SimulatedDesktop desktop{{300, 300}};
    Settings settings;
    FakeEffects effects;

    ActivityControl make(bool startPaused = false) {
        ActivityControl activity{desktop, settings, effects, startPaused};
        activity.startIdleCountdown(desktop.getCursorPos());
        return activity;
    }
    void moveMouse() { desktop.mouseEvent(mouse_flags::Move, 5, 0, 0); }
    void secondTicks(ActivityControl& activity, int count) {
        for (int i = 0; i < count; ++i) activity.onSecondTick();
    }
    void watchTicks(ActivityControl& activity, int count) {
        for (int i = 0; i < count; ++i) activity.onMouseWatchTick();
    }
    void setClock(int hour, int minute, int second) {
        LocalTime time;
        time.hour = hour;
        time.minute = minute;
        time.second = second;
        desktop.fixedLocalTime = time;
    }
};

}  // namespace

TEST_F(ActivityFixture, PauseCommandModes) {
    ActivityControl activity = make();
    activity.pauseCommand(PauseMode::TurnOn);
    EXPECT_TRUE(effects.shownStates.empty()) << "turn on while running changes nothing";
    activity.pauseCommand(PauseMode::Toggle);
    EXPECT_TRUE(activity.paused());
    activity.pauseCommand(PauseMode::TurnOff);
    EXPECT_EQ(effects.shownStates.size(), 1u) << "turn off while paused changes nothing";
    activity.pauseCommand(PauseMode::TurnOn);
    activity.pauseCommand(PauseMode::TurnOff);
    EXPECT_EQ(effects.shownStates, (std::vector<bool>{true, false, true}));
}

TEST_F(ActivityFixture, IdleLimitPausesAndMovementResumes) {
    settings.LASTMOVE = 60;
    ActivityControl activity = make();
    secondTicks(activity, 59);
    EXPECT_FALSE(activity.paused());
    secondTicks(activity, 1);
    EXPECT_TRUE(activity.paused());
    EXPECT_TRUE(activity.pausedByIdle());
    secondTicks(activity, 100);
    EXPECT_TRUE(activity.paused()) << "the countdown does not run while paused";
    moveMouse();
    secondTicks(activity, 1);
    EXPECT_FALSE(activity.paused());
    EXPECT_FALSE(activity.pausedByIdle());
    EXPECT_EQ(activity.idleCountdown(), 60);
}

TEST_F(ActivityFixture, MovementDoesNotEndAPauseTheIdleRuleDidNotMake) {
    settings.LASTMOVE = 60;
    ActivityControl activity = make();
    activity.pauseCommand(PauseMode::Toggle);  // the hotkey
    moveMouse();
    secondTicks(activity, 1);
    EXPECT_TRUE(activity.paused());
}

TEST_F(ActivityFixture, IdleMarkOutlivesAnotherResumeAndEndsALaterPause) {
    settings.LASTMOVE = 2;
    ActivityControl activity = make();
    secondTicks(activity, 2);
    ASSERT_TRUE(activity.pausedByIdle());
    activity.pauseCommand(PauseMode::Toggle);  // resumed by hand: the mark stays
    EXPECT_TRUE(activity.pausedByIdle());
    activity.pauseCommand(PauseMode::Toggle);  // paused by hand
    moveMouse();
    secondTicks(activity, 1);
    EXPECT_FALSE(activity.paused()) << "the old mark lets movement resume";
}

TEST_F(ActivityFixture, EngineShakesAreNotTakenForTheUsersMovement) {
    settings.LASTMOVE = 3;
    ActivityControl activity = make();
    secondTicks(activity, 2);
    moveMouse();
    activity.noteEngineMouseShake(desktop.getCursorPos());
    secondTicks(activity, 1);
    EXPECT_TRUE(activity.paused()) << "the countdown went on through the engine's own move";
}

TEST_F(ActivityFixture, ReOnCountdownResumes) {
    settings.ReOnSec = 30;
    ActivityControl activity = make();
    activity.pauseCommand(PauseMode::Toggle);
    secondTicks(activity, 29);
    EXPECT_TRUE(activity.paused());
    secondTicks(activity, 1);
    EXPECT_FALSE(activity.paused());
    EXPECT_EQ(activity.reOnCountdown(), 30) << "loaded again on resume";
}

TEST_F(ActivityFixture, SecondTurnOffRestartsTheCountdownOnlyWithPauseDouble) {
    settings.ReOnSec = 30;
    ActivityControl plain = make();
    plain.pauseCommand(PauseMode::TurnOff);
    secondTicks(plain, 20);
    plain.pauseCommand(PauseMode::TurnOff);
    secondTicks(plain, 10);
    EXPECT_FALSE(plain.paused());

    settings.bPauseDouble = true;
    ActivityControl doubled = make();
    doubled.pauseCommand(PauseMode::TurnOff);
    secondTicks(doubled, 20);
    doubled.pauseCommand(PauseMode::TurnOff);
    secondTicks(doubled, 29);
    EXPECT_TRUE(doubled.paused());
    secondTicks(doubled, 1);
    EXPECT_FALSE(doubled.paused());
}

TEST_F(ActivityFixture, OffAndOnTimesOfDay) {
    settings.bTimeOff = true;
    settings.dwTimeOffHour = 12;
    settings.bTimeOn = true;
    settings.dwTimeOnHour = 13;
    settings.dwTimeOnMin = 30;
    ActivityControl activity = make();
    setClock(11, 59, 59);
    secondTicks(activity, 1);
    EXPECT_FALSE(activity.paused());
    setClock(12, 0, 0);
    secondTicks(activity, 1);
    EXPECT_TRUE(activity.paused());
    size_t changes = effects.shownStates.size();
    secondTicks(activity, 1);
    EXPECT_EQ(effects.shownStates.size(), changes) << "already paused: nothing happens";
    setClock(13, 30, 0);
    secondTicks(activity, 1);
    EXPECT_FALSE(activity.paused());
}

TEST_F(ActivityFixture, OffTimeWithPauseDoubleShadowsTheOnTime) {
    settings.bTimeOff = true;
    settings.bPauseDouble = true;
    settings.dwTimeOffHour = 12;
    settings.bTimeOn = true;
    settings.dwTimeOnHour = 13;
    ActivityControl activity = make(true);
    setClock(13, 0, 0);
    secondTicks(activity, 1);
    EXPECT_TRUE(activity.paused()) << "the on-time check never runs";
    setClock(12, 0, 0);
    secondTicks(activity, 1);
    EXPECT_EQ(effects.shownStates, (std::vector<bool>{true})) << "pauses again while paused";
}

TEST_F(ActivityFixture, MouseWatchWaitsFiveSecondsThenPausesOnMovement) {
    settings.PauseByMouseMove = true;
    ActivityControl activity = make();
    moveMouse();
    watchTicks(activity, 20);
    EXPECT_FALSE(activity.paused()) << "grace after start";
    watchTicks(activity, 1);  // the reference reading
    watchTicks(activity, 1);
    EXPECT_FALSE(activity.paused());
    moveMouse();
    watchTicks(activity, 1);
    EXPECT_TRUE(activity.paused());
}

TEST_F(ActivityFixture, MouseWatchIgnoresTheEnginesMoveAndRestartsAfterAResume) {
    settings.PauseByMouseMove = true;
    ActivityControl activity = make();
    watchTicks(activity, 21);
    moveMouse();
    activity.noteEngineMouseShake(desktop.getCursorPos());
    watchTicks(activity, 2);
    EXPECT_FALSE(activity.paused()) << "the engine's move only takes a new reference";

    activity.pauseCommand(PauseMode::Toggle);
    watchTicks(activity, 3);  // paused without bPauseDouble: the watch resets
    activity.pauseCommand(PauseMode::Toggle);
    moveMouse();
    watchTicks(activity, 20);
    EXPECT_FALSE(activity.paused()) << "a new grace after the resume";
}

TEST_F(ActivityFixture, MouseWatchWithPauseDoubleKeepsPausingWhilePaused) {
    settings.PauseByMouseMove = true;
    settings.bPauseDouble = true;
    settings.ReOnSec = 10;
    ActivityControl activity = make(true);
    watchTicks(activity, 21);
    secondTicks(activity, 5);
    moveMouse();
    watchTicks(activity, 1);
    EXPECT_EQ(activity.reOnCountdown(), 10) << "movement while paused restarts the countdown";
}

TEST_F(ActivityFixture, RestartCountdownsTakesTheNewSettings) {
    ActivityControl activity = make();
    settings.LASTMOVE = 45;
    settings.ReOnSec = 15;
    activity.restartCountdowns();
    EXPECT_EQ(activity.idleCountdown(), 45);
    EXPECT_EQ(activity.reOnCountdown(), 15);
}

}  // namespace wavelith
