#include "settings/policy.h"

#include "app/swing.h"
#include "fake_effects.h"
#include "platform/simulated_desktop.h"
#include "resources/resource.h"
#include "ui/settings_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace wavelith {

namespace {

struct MapPolicySource : PolicySource {
    std::optional<uint32_t> readDword(const char* name) override {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    std::map<std::string, uint32_t> values;
};

Policy policyFrom(std::map<std::string, uint32_t> machine, std::map<std::string, uint32_t> user) {
    MapPolicySource machineSource, userSource;
    machineSource.values = std::move(machine);
    userSource.values = std::move(user);
    return readPolicy(machineSource, userSource);
}

struct PolicySwingFixture : ::testing::Test {
    SimulatedDesktop desktop{{500, 400}};
    Settings settings;
    Policy policy;
    FakeEffects effects;
    ActivityControl activity{desktop, settings, effects, false};
    SwingEngine engine{desktop, settings, activity, effects, [] { return 0; }, false, policy};
};

}  // namespace

TEST(Policy, MachineValueWinsPerValueAndUserFillsTheRest) {
    Policy policy = policyFrom({{"Disabled", 0}, {"MinimumIntervalMSec", 60000}},
                               {{"Disabled", 1}, {"MinimumIntervalMSec", 1000}, {"DisableScripts", 1},
                                {"DisableShutdownBlock", 1}, {"DisableKeepSystemAwake", 1}});
    EXPECT_FALSE(policy.Disabled) << "an explicit 0 under the machine key is a decision, not a gap";
    EXPECT_EQ(policy.MinimumIntervalMSec, 60000);
    EXPECT_TRUE(policy.DisableScripts);
    EXPECT_TRUE(policy.DisableShutdownBlock);
    EXPECT_TRUE(policy.DisableKeepSystemAwake);

    Policy none = policyFrom({}, {});
    EXPECT_FALSE(none.Disabled || none.DisableScripts || none.DisableShutdownBlock || none.DisableKeepSystemAwake);
    EXPECT_EQ(none.MinimumIntervalMSec, 0);
}

TEST(Policy, BadValuesAreIgnoredSoTheNextKeyDecides) {
    Policy policy = policyFrom({{"Disabled", 2}, {"MinimumIntervalMSec", 0x80000000u}, {"DisableScripts", 0xFFFFFFFFu}},
                               {{"Disabled", 1}, {"MinimumIntervalMSec", 5000}});
    EXPECT_TRUE(policy.Disabled);
    EXPECT_EQ(policy.MinimumIntervalMSec, 5000);
    EXPECT_FALSE(policy.DisableScripts);
    EXPECT_EQ(policyFrom({{"MinimumIntervalMSec", 0}}, {}).MinimumIntervalMSec, 0);
    EXPECT_EQ(policyFrom({{"MinimumIntervalMSec", 0x7FFFFFFF}}, {}).MinimumIntervalMSec, 0x7FFFFFFF);
}

TEST_F(PolicySwingFixture, MinimumIntervalRaisesShortBoundsOnly) {
    policy.MinimumIntervalMSec = 30000;
    settings.IntervalTimeMSec = settings.IntervalTimeMSec2 = 1000;
    engine.armShakeTimer();
    settings.IntervalTimeMSec = 0;  // a random range from 0: the 0 bound is short, not "off"
    settings.IntervalTimeMSec2 = 40000;
    engine.armShakeTimer();  // draws 0, so the lower bound
    settings.IntervalTimeMSec = settings.IntervalTimeMSec2 = 90000;
    engine.armShakeTimer();
    settings.IntervalTimeMSec = settings.IntervalTimeMSec2 = -1;  // the longest period there is
    engine.armShakeTimer();
    settings.IntervalTimeMSec = settings.IntervalTimeMSec2 = 0;  // no timer stays no timer
    engine.armShakeTimer();
    EXPECT_EQ(effects.timerPeriods, (std::vector<uint32_t>{30000, 30000, 90000, 0xFFFFFFFFu}));
}

TEST_F(PolicySwingFixture, ScriptModeShakesAsTheBasicModeWhileScriptsAreOff) {
    settings.Intelligibility = SwingEngine::kScriptMode;
    policy.DisableScripts = true;
    engine.onShakeTimer();
    EXPECT_EQ(effects.scriptRunsStarted, 0);
    EXPECT_EQ(desktop.events().size(), 3u) << "the basic shake: out, back, cursor restored";
    policy.DisableScripts = false;
    engine.onShakeTimer();
    EXPECT_EQ(effects.scriptRunsStarted, 1);
}

TEST(Policy, GovernedControlsAreLockedAndSaySo) {
    SettingsForm form = formFromSettings(Settings{});
    form.disableShutdown = true;
    form.shakeMode = SwingEngine::kScriptMode;
    Policy policy;
    policy.DisableShutdownBlock = policy.DisableScripts = true;
    policy.MinimumIntervalMSec = 1500;
    auto states = enabledControls(form, policy);
    for (int id : {IDC_DISABLE_SHUTDOWN, IDC_SHUTDOWN_CONFIRM, IDC_SHUTDOWN_INFO, IDC_EDIT_SCRIPT}) {
        EXPECT_EQ(std::count(states.begin(), states.end(), std::make_pair(id, false)), 1) << id;
        EXPECT_EQ(std::count(states.begin(), states.end(), std::make_pair(id, true)), 0) << id;
    }
    EXPECT_NE(std::find(states.begin(), states.end(), std::make_pair(int{IDC_SHAKE_MODE}, true)), states.end());

    for (bool japanese : {false, true}) {
        auto tips = settingsTooltips(japanese, policy);
        auto tipOf = [&](int id) {
            auto it = std::find_if(tips.begin(), tips.end(), [id](const auto& tip) { return tip.first == id; });
            return it == tips.end() ? std::u16string() : it->second;
        };
        EXPECT_EQ(tipOf(IDC_EDIT_SCRIPT), policyMessage(PolicyMessage::SetByAdministrator, japanese))
            << "a tip even where the language had none";
        EXPECT_EQ(tipOf(IDC_SHUTDOWN_INFO), policyMessage(PolicyMessage::SetByAdministrator, japanese));
        EXPECT_NE(tipOf(IDC_INTERVAL2).find(u" 1.5 "), std::u16string::npos) << "the minimum, in seconds";
        EXPECT_EQ(tips.size(), settingsTooltips(japanese).size() + 1) << "no control twice";
    }
}

}  // namespace wavelith
