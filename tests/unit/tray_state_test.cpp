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
