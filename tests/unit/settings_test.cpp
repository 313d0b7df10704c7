#include "settings/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>

namespace wavelith {

TEST(Settings, BuiltInInitialValues) {
    Settings settings;
    EXPECT_EQ(settings.IntervalTimeMSec, 50000);
    EXPECT_EQ(settings.IntervalTimeMSec2, 50000);
    EXPECT_EQ(settings.MouseMovePixel, 1);
    EXPECT_EQ(settings.OpenShowDlgAlpha, 255);
    EXPECT_EQ(settings.OpenShowDlgAlpha2, 255);
    EXPECT_EQ(settings.OpenShowDlgLeft, -32000);
    EXPECT_EQ(settings.OpenShowDlgTop, -32000);
    EXPECT_TRUE(settings.qx_script.empty());
    EXPECT_EQ(settings.NotifyIconOn, u"-");
    EXPECT_EQ(settings.NotifyIconOff, u"-");
    EXPECT_TRUE(settings.PauseWhileLocked);
    // Every other numeric field starts at 0 or false.
    for (const SettingRow& row : settingRows()) {
        std::string key = row.key;
        if (key == "IntervalTimeMSec" || key == "IntervalTimeMSec2" || key == "MouseMovePixel" ||
            key == "OpenShowDlgAlpha" || key == "OpenShowDlgAlpha2" || key == "OpenShowDlgLeft" ||
            key == "OpenShowDlgTop" || key == "PauseWhileLocked" || row.type == SettingType::Text ||
            row.type == SettingType::IconPath)
            continue;
        EXPECT_EQ(readNumber(settings, row), 0) << key;
    }
}

TEST(Settings, TableListsEveryKeyOnceInLoadOrder) {
    const char* expected[] = {
        "IntervalTimeMSec", "IntervalTimeMSec2", "MouseMovePixel", "KeyEmu", "ClickToPause", "PauseByMouseMove",
        "OpenShowDlg", "OpenShowDlgTopmost", "Intelligibility", "qx_script", "OpenShowDlgAlpha", "OpenShowDlgAlpha2",
        "OpenShowDlgLeft", "OpenShowDlgTop", "DisableShutdown", "DisableShutdown_Check", "DisableShutdown_Info",
        "NoOpeningDlg", "NoNotifyScriptSuspend", "BIGDIALOG", "LASTMOVE", "bDisableRemoteWaring",
        "bDisableWhenUseFocusAssist", "HOTKEY_PAUSE", "bTimeOff", "dwTimeOffHour", "dwTimeOffMin", "dwTimeOffSec",
        "bTimeOn", "dwTimeOnHour", "dwTimeOnMin", "dwTimeOnSec", "ReOnSec", "bPauseDouble", "NotifyIconOn",
        "NotifyIconOff", "PauseWhileLocked", "KeepSystemAwake", "KeepDisplayOn"};
    ASSERT_EQ(settingRows().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) EXPECT_STREQ(settingRows()[i].key, expected[i]);
}

TEST(Settings, EveryNumericRowReachesItsOwnField) {
    // Writing a distinct value through each row must show up in that row alone.
    Settings settings;
    std::set<int32_t> seen;
    int32_t value = 1;
    for (const SettingRow& row : settingRows()) {
        if (row.type != SettingType::Int32) continue;
        writeNumber(settings, row, ++value);
    }
    value = 1;
    for (const SettingRow& row : settingRows()) {
        if (row.type != SettingType::Int32) continue;
        EXPECT_EQ(readNumber(settings, row), ++value) << row.key;
    }
}

TEST(Settings, DefaultsWhenAbsent) {
    Settings loaded;
    loaded.IntervalTimeMSec = 1234;
    loaded.LASTMOVE = 77;
    loaded.BIGDIALOG = true;
    EXPECT_EQ(absentDefault(*findSettingRow("IntervalTimeMSec"), loaded), 50000);
    EXPECT_EQ(absentDefault(*findSettingRow("IntervalTimeMSec2"), loaded), 1234);
    EXPECT_EQ(absentDefault(*findSettingRow("OpenShowDlgLeft"), loaded), 32000) << "not the initial -32000";
    EXPECT_EQ(absentDefault(*findSettingRow("OpenShowDlgAlpha2"), loaded), 255);
    EXPECT_EQ(absentDefault(*findSettingRow("LASTMOVE"), loaded), 77);
    EXPECT_EQ(absentDefault(*findSettingRow("BIGDIALOG"), loaded), 1);
    EXPECT_EQ(absentDefault(*findSettingRow("MouseMovePixel"), loaded), 1);
    EXPECT_EQ(absentDefault(*findSettingRow("ReOnSec"), loaded), 0);
    EXPECT_EQ(absentDefault(*findSettingRow("PauseWhileLocked"), loaded), 1) << "on unless the user turned it off";
    EXPECT_EQ(absentDefault(*findSettingRow("KeepSystemAwake"), loaded), 0);
}

TEST(Settings, LoadChecks) {
    auto check = [](const char* key, int32_t stored) { return checkedOnLoad(*findSettingRow(key), stored); };
    EXPECT_EQ(check("Intelligibility", 13), 0);
    EXPECT_EQ(check("Intelligibility", -1), 0);
    EXPECT_EQ(check("Intelligibility", 12), 12);
    EXPECT_EQ(check("OpenShowDlgAlpha", 256), 255);
    EXPECT_EQ(check("OpenShowDlgAlpha", -1), 255);
    EXPECT_EQ(check("OpenShowDlgAlpha", 0), 0);
    EXPECT_EQ(check("dwTimeOnMin", 75), 0);
    EXPECT_EQ(check("dwTimeOnMin", 59), 59);
    EXPECT_EQ(check("dwTimeOffHour", 24), 0);
    EXPECT_EQ(check("dwTimeOffSec", 60), 0);
    EXPECT_EQ(check("ClickToPause", 42), 1);
    EXPECT_EQ(check("ClickToPause", INT32_MIN), 1);
    EXPECT_EQ(check("KeepDisplayOn", -7), 1);
    EXPECT_EQ(check("OpenShowDlgLeft", -5000), -5000);
    EXPECT_EQ(check("MouseMovePixel", -3), -3);
    EXPECT_EQ(check("HOTKEY_PAUSE", 0x0141), 0x0641);
}

TEST(Settings, HotkeyNormalisation) {
    EXPECT_EQ(normaliseHotkeyPause(0), 0);
    EXPECT_EQ(normaliseHotkeyPause(0x0141), 0x0641);  // Shift+A
    EXPECT_EQ(normaliseHotkeyPause(0x0241), 0x0641);  // Ctrl+A
    EXPECT_EQ(normaliseHotkeyPause(0x0441), 0x0641);  // Alt+A
    EXPECT_EQ(normaliseHotkeyPause(0x0041), 0x0641);  // A alone
    EXPECT_EQ(normaliseHotkeyPause(0x0070), 0x0070);  // F1 alone is usable
    EXPECT_EQ(normaliseHotkeyPause(0x0087), 0x0087);  // F24
    EXPECT_EQ(normaliseHotkeyPause(0x0088), 0x0688);
    EXPECT_EQ(normaliseHotkeyPause(0x0160), 0x0160);  // Shift+keypad 0
    EXPECT_EQ(normaliseHotkeyPause(0x006C), 0x066C);  // the keypad separator is not exempt
    EXPECT_EQ(normaliseHotkeyPause(0x0341), 0x0341);  // Ctrl+Shift+A
    EXPECT_EQ(normaliseHotkeyPause(0x0841), 0x0841);  // extended-key bit alone: left as read
    // Higher bits are cleared only when the value is rewritten.
    EXPECT_EQ(normaliseHotkeyPause(0x7F000141), 0x0641);
    EXPECT_EQ(normaliseHotkeyPause(0x7F000341), 0x7F000341);
}

TEST(Settings, ScriptTextIsCopiedAndReplacedUnderTheLock) {
    Settings settings;
    replaceScriptText(settings, u"MOVEMOUSE(1, 0)");
    EXPECT_EQ(copyScriptText(settings), u"MOVEMOUSE(1, 0)");

    // A reader on another thread sees either the old or the new text, never a torn one.
    const std::u16string first(4096, u'a'), second(8192, u'b');
    replaceScriptText(settings, first);
    std::thread reader([&] {
        for (int i = 0; i < 2000; ++i) {
            std::u16string copy = copyScriptText(settings);
            ASSERT_TRUE(copy == first || copy == second);
        }
    });
    for (int i = 0; i < 2000; ++i) replaceScriptText(settings, i % 2 ? first : second);
    reader.join();
}

}  // namespace wavelith
