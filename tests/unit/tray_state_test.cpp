#include "app/tray_state.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(TrayState, MenuLabelsAndChecksFollowTheSettings) {
    Settings settings;
    TrayMenuState plain = trayMenuState(settings, false, false);
    EXPECT_EQ(plain.pauseLabel, u"&Pause");
    EXPECT_FALSE(plain.pauseChecked);
    EXPECT_FALSE(plain.statusDialogChecked);

    settings.ClickToPause = true;
    settings.OpenShowDlg = true;
    TrayMenuState clicked = trayMenuState(settings, true, false);
    EXPECT_EQ(clicked.pauseLabel, u"&Pause\tClick");
    EXPECT_TRUE(clicked.pauseChecked);
    EXPECT_TRUE(clicked.statusDialogChecked);

    TrayMenuState japanese = trayMenuState(settings, true, true);
    EXPECT_NE(japanese.pauseLabel.find(u'\t'), std::u16string::npos) << "the click hint is there in Japanese too";
    EXPECT_NE(japanese.pauseLabel, clicked.pauseLabel);
}

TEST(TrayState, DisplayItemWaitsForTheSystemItemWhichThePolicyMayGray) {
    Settings settings;
    EXPECT_FALSE(trayMenuState(settings, false, false).keepDisplayOnEnabled);
    settings.KeepSystemAwake = true;
    EXPECT_TRUE(trayMenuState(settings, false, false).keepDisplayOnEnabled);
    TrayMenuState governed = trayMenuState(settings, false, false, false);
    EXPECT_FALSE(governed.keepSystemAwakeEnabled || governed.keepDisplayOnEnabled);
}

TEST(TrayState, TooltipShowsTheStateAndTheLastShakeThatReachedWindows) {
    LocalTime time;
    time.hour = 14;
    time.minute = 3;
    time.second = 21;
    EXPECT_EQ(trayTooltip(u"Wavelith", TrayActivity::Running, time, false), u"Wavelith — running, last shake 14:03:21");
    EXPECT_EQ(trayTooltip(u"Wavelith", TrayActivity::Locked, std::nullopt, false), u"Wavelith — locked");
    EXPECT_EQ(trayTooltip(u"ウェーブリス", TrayActivity::Paused, time, true),
              u"ウェーブリス — 一時停止中、最後の揺れ 14:03:21");
}

TEST(TrayState, NoticesAndTooltipsAreCutToFit) {
    EXPECT_EQ(noticeText(u"short"), u"short");
    EXPECT_EQ(noticeText(std::u16string(300, u'x')).size(), 255u);
    EXPECT_EQ(noticeText(std::u16string(255, u'x')).size(), 255u);
    // A surrogate pair across the limit is dropped whole, not halved.
    std::u16string emoji = std::u16string(254, u'x') + u"\U0001F600" + u"tail";
    EXPECT_EQ(noticeText(emoji), std::u16string(254, u'x'));
    EXPECT_EQ(tooltipText(std::u16string(500, u'y')).size(), 127u);
}

TEST(TrayState, IconSettingsReadAsPathAndIndex) {
    EXPECT_EQ(parseIconSetting(u"-"), std::nullopt);
    auto plain = parseIconSetting(u"C:\\icons\\on.ico");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->path, u"C:\\icons\\on.ico");
    EXPECT_EQ(plain->index, 0);
    auto indexed = parseIconSetting(u"shell32.dll,-16,7");
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->path, u"shell32.dll");
    EXPECT_EQ(indexed->index, -16) << "split at the first comma, the rest read as a number";
    EXPECT_EQ(parseIconSetting(u"x.dll,abc")->index, 0);
    EXPECT_EQ(parseIconSetting(u"")->path, u"") << "empty is a path that yields no icon";
}

TEST(TrayState, ControlMessageModes) {
    EXPECT_EQ(pauseModeOfControlMessage(1), PauseMode::TurnOn);
    EXPECT_EQ(pauseModeOfControlMessage(2), PauseMode::TurnOff);
    EXPECT_EQ(pauseModeOfControlMessage(0), PauseMode::Toggle);
    EXPECT_EQ(pauseModeOfControlMessage(7), PauseMode::Toggle);
    EXPECT_EQ(pauseModeOfControlMessage(-1), PauseMode::Toggle);
}

}  // namespace wavelith
