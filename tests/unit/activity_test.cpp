#include "app/activity.h"

#include "fake_effects.h"

#include <gtest/gtest.h>

namespace wavelith {

struct ActivityFixture : ::testing::Test {
    Settings settings;
    FakeEffects effects;
};

TEST_F(ActivityFixture, PauseCommandModes) {
    ActivityControl activity{settings, effects, false};
    activity.pauseCommand(PauseMode::TurnOn);
    EXPECT_FALSE(activity.paused());
    EXPECT_TRUE(effects.shownStates.empty()) << "turn on while running changes nothing";

    activity.pauseCommand(PauseMode::Toggle);
    EXPECT_TRUE(activity.paused());
    activity.pauseCommand(PauseMode::TurnOff);
    EXPECT_EQ(effects.shownStates.size(), 1u) << "turn off while paused changes nothing";
    activity.pauseCommand(PauseMode::TurnOn);
    EXPECT_FALSE(activity.paused());
    activity.pauseCommand(PauseMode::TurnOff);
    EXPECT_TRUE(activity.paused());
    EXPECT_EQ(effects.shownStates, (std::vector<bool>{true, false, true}));
}

TEST_F(ActivityFixture, RepeatedPauseRestartsTheReOnCountdownOnlyWithPauseDouble) {
    settings.ReOnSec = 30;
    settings.bPauseDouble = true;
    ActivityControl activity{settings, effects, true};
    activity.pauseCommand(PauseMode::TurnOff);
    EXPECT_TRUE(activity.paused());
    EXPECT_EQ(effects.shownStates, (std::vector<bool>{true}));
    EXPECT_EQ(activity.reOnCountdown(), 30);
}

TEST_F(ActivityFixture, StartPausedFromTheCommandLine) {
    ActivityControl activity{settings, effects, true};
    EXPECT_TRUE(activity.paused());
    activity.pauseCommand(PauseMode::Toggle);
    EXPECT_FALSE(activity.paused());
}

}  // namespace wavelith
