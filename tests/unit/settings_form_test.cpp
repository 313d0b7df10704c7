#include "ui/settings_form.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wavelith {

namespace {

SettingsForm validForm() { return formFromSettings(Settings{}); }

}  // namespace

TEST(SettingsForm, IntervalFilterKeepsDigitsAndOnePoint) {
    EXPECT_EQ(filterIntervalText(u"12a.3.45", 8).text, u"12.345");
    EXPECT_EQ(filterIntervalText(u"12345678", 8).text, u"1234567");
    EXPECT_EQ(filterIntervalText(u"1.2345", 6).text, u"1.234");
    EXPECT_FALSE(filterIntervalText(u"2147483.647", 3).changed);

    // The caret moves left with each removed character before it, and stays for those after.
    FilteredText typed = filterIntervalText(u"1x2.y3", 4);
    EXPECT_EQ(typed.text, u"12.3");
    EXPECT_EQ(typed.caret, 3u);
    EXPECT_TRUE(typed.changed);

    // A paste longer than the examined window is cleaned all the same.
    EXPECT_EQ(filterIntervalText(u"seconds: about 90.5 or so", 25).text, u"90.5");
}

TEST(SettingsForm, IntervalTextAndMillisecondsAgree) {
    EXPECT_EQ(intervalText(50000), u"50");
    EXPECT_EQ(intervalText(1500), u"1.5");
    EXPECT_EQ(intervalText(1250), u"1.25");
    EXPECT_EQ(intervalText(1234), u"1.234");
    EXPECT_EQ(intervalText(5), u"0.005");
    EXPECT_EQ(intervalText(INT32_MAX), u"2147483.647");

    // Binary floating point truncates: 1.001 s is 1000.999... ms.
    EXPECT_EQ(intervalMilliseconds(u"1.001"), 1000);
    EXPECT_EQ(intervalMilliseconds(u"0.29"), 290);
    EXPECT_EQ(intervalMilliseconds(u"2147483.647"), 2147483647);
    EXPECT_LT(intervalMilliseconds(u"2147483.648"), 0);
    EXPECT_LT(intervalMilliseconds(u"99999999999"), 0);
    EXPECT_EQ(intervalMilliseconds(u""), 0);
    EXPECT_EQ(intervalMilliseconds(u"."), 0);
}

TEST(SettingsForm, ValidationStopsAtTheFirstFailureInItsOrder) {
    SettingsForm form = validForm();
    form.timeOn = true;
    form.timeOnFields[1] = u"60";
    form.interval = u"2147483.648";
    EXPECT_EQ(validateForm(form, false).failure, SettingsMessage::TimeOnInvalid);
    form.timeOnFields[1] = u"59";
    EXPECT_EQ(validateForm(form, false).failure, SettingsMessage::IntervalInvalid);
    form.interval = u"";
    Validation passed = validateForm(form, false);
    EXPECT_FALSE(passed.failure);
    EXPECT_EQ(passed.values.interval, 0);
    EXPECT_EQ(passed.values.timeOn[1], 59);

    form.reOnSec = u"2147483";
    EXPECT_FALSE(validateForm(form, false).failure);
    form.reOnSec = u"2147484";
    EXPECT_EQ(validateForm(form, false).failure, SettingsMessage::ReOnInvalid);
    form.lastMove = u"99999999999";  // too big for the system's own reading, so never taken for 0
    EXPECT_EQ(validateForm(form, false).failure, SettingsMessage::LastMoveInvalid);
}

TEST(SettingsForm, BadTimeOfASwitchThatIsOffIsResetNotRefused) {
    SettingsForm form = validForm();
    form.timeOffFields[0] = u"25";
    Validation cleared = validateForm(form, false);
    EXPECT_FALSE(cleared.failure);
    EXPECT_TRUE(cleared.timeOffReset);
    EXPECT_EQ(cleared.values.timeOff[0], 0);

    form.timeOff = true;
    EXPECT_EQ(validateForm(form, true).failure, SettingsMessage::TimeOffInvalid);
    EXPECT_NE(settingsMessage(SettingsMessage::TimeOffInvalid, true),
              settingsMessage(SettingsMessage::TimeOnInvalid, true));
}

TEST(SettingsForm, ApplyWritesTheRecordAndOrdersItsEffects) {
    Settings settings;
    settings.Intelligibility = 12;
    settings.BIGDIALOG = true;
    SettingsForm form = formFromSettings(settings);
    form.shakeMode = 3;
    form.keyboardMode = true;
    form.keyEmu = 2;
    form.hotkey = 0x0650;
    form.interval = u"1.5";
    form.interval2 = u"3";
    Validation valid = validateForm(form, false);
    ASSERT_FALSE(valid.failure);

    std::vector<ApplyEffect> effects = applyForm(form, valid.values, false, true, settings);
    EXPECT_EQ(effects, (std::vector<ApplyEffect>{ApplyEffect::StopScript, ApplyEffect::RegisterHotkey,
                                                 ApplyEffect::SetStatusOpacity, ApplyEffect::RestartCountdowns,
                                                 ApplyEffect::RestartShakeTimer, ApplyEffect::Save}));
    EXPECT_EQ(settings.IntervalTimeMSec, 1500);
    EXPECT_EQ(settings.IntervalTimeMSec2, 3000);
    EXPECT_EQ(settings.MouseMovePixel, 0);
    EXPECT_EQ(settings.KeyEmu, 2);
    EXPECT_EQ(settings.Intelligibility, 3);
    EXPECT_EQ(settings.HOTKEY_PAUSE, 0x0650);
    EXPECT_FALSE(settings.BIGDIALOG) << "the English dialog has no box for it";
}

TEST(SettingsForm, JapaneseSingleIntervalAndTheBigDialogNotice) {
    Settings settings;
    SettingsForm form = formFromSettings(settings);
    form.intervalKind = 0;
    form.interval = u"0";
    form.interval2 = u"99";  // hidden with a single interval
    form.bigDialog = true;
    Validation valid = validateForm(form, true);
    std::vector<ApplyEffect> effects = applyForm(form, valid.values, true, false, settings);
    EXPECT_EQ(settings.IntervalTimeMSec, 0);
    EXPECT_EQ(settings.IntervalTimeMSec2, 0);
    EXPECT_TRUE(settings.BIGDIALOG);
    EXPECT_NE(std::find(effects.begin(), effects.end(), ApplyEffect::ExplainBigDialogOn), effects.end());
    EXPECT_NE(std::find(effects.begin(), effects.end(), ApplyEffect::KillShakeTimer), effects.end());
    EXPECT_EQ(std::find(effects.begin(), effects.end(), ApplyEffect::StopScript), effects.end());
}

TEST(SettingsForm, KeyboardModeAndSwitchesEnableTheirControls) {
    SettingsForm form = validForm();
    form.keyboardMode = true;
    form.timeOn = true;
    auto states = enabledControls(form);
    auto enabled = [&](int id) {
        auto it = std::find_if(states.begin(), states.end(), [&](const auto& state) { return state.first == id; });
        EXPECT_NE(it, states.end()) << id;
        return it != states.end() && it->second;
    };
    EXPECT_FALSE(enabled(IDC_SHAKE_MODE));
    EXPECT_TRUE(enabled(IDC_KEY_PAUSE));
    EXPECT_FALSE(enabled(IDC_EDIT_SCRIPT));
    EXPECT_FALSE(enabled(IDC_SHUTDOWN_INFO));
    EXPECT_FALSE(enabled(IDC_TIME_OFF_SEP3));
    EXPECT_TRUE(enabled(IDC_TIME_ON_SEC));
}

}  // namespace wavelith
