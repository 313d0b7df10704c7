#include "settings/storage.h"

#include "memory_store.h"

#include <gtest/gtest.h>

namespace wavelith {

TEST(Storage, EmptyStoreLoadsEveryDefault) {
    MemoryStore store;
    Settings settings;
    settings.qx_script = u"kept?";
    store.script = u"";
    loadSettings(settings, store);
    EXPECT_EQ(settings.IntervalTimeMSec, 50000);
    EXPECT_EQ(settings.IntervalTimeMSec2, 50000);
    EXPECT_EQ(settings.OpenShowDlgLeft, 32000);
    EXPECT_EQ(settings.OpenShowDlgTop, 32000);
    EXPECT_EQ(settings.MouseMovePixel, 1);
    EXPECT_TRUE(settings.qx_script.empty());
    EXPECT_EQ(settings.NotifyIconOn, u"-");
}

TEST(Storage, UnreachableScriptLeavesTheOneInMemory) {
    MemoryStore store;  // script: nothing, as when the registry key cannot be opened
    Settings settings;
    settings.qx_script = u"EXIT 3";
    loadSettings(settings, store);
    EXPECT_EQ(settings.qx_script, u"EXIT 3");
}

TEST(Storage, LoadAppliesChecksDefaultsAndNormalisation) {
    MemoryStore store;
    store.integers = {{"IntervalTimeMSec", 1234},  {"Intelligibility", 13},  {"OpenShowDlgAlpha", 256},
                      {"OpenShowDlgAlpha2", -1},   {"dwTimeOnMin", 75},       {"dwTimeOffMin", 30},
                      {"HOTKEY_PAUSE", 0x0141},    {"ClickToPause", 9},       {"MouseMovePixel", -4},
                      {"LASTMOVE", 60}};
    store.script = u"a\r\nb";
    store.icons["NotifyIconOff"] = u"C:\\icons.dll,3";
    Settings settings;
    settings.BIGDIALOG = true;
    loadSettings(settings, store);
    EXPECT_EQ(settings.IntervalTimeMSec, 1234);
    EXPECT_EQ(settings.IntervalTimeMSec2, 1234) << "the second bound follows the first when absent";
    EXPECT_EQ(settings.Intelligibility, 0);
    EXPECT_EQ(settings.OpenShowDlgAlpha, 255);
    EXPECT_EQ(settings.OpenShowDlgAlpha2, 255);
    EXPECT_EQ(settings.dwTimeOnMin, 0);
    EXPECT_EQ(settings.dwTimeOffMin, 30) << "an out-of-range field resets alone";
    EXPECT_EQ(settings.HOTKEY_PAUSE, 0x0641);
    EXPECT_TRUE(settings.ClickToPause);
    EXPECT_EQ(settings.MouseMovePixel, -4);
    EXPECT_EQ(settings.LASTMOVE, 60);
    EXPECT_TRUE(settings.BIGDIALOG) << "absent BIGDIALOG keeps the field";
    EXPECT_EQ(settings.qx_script, u"a\r\nb");
    EXPECT_EQ(settings.NotifyIconOn, u"-");
    EXPECT_EQ(settings.NotifyIconOff, u"C:\\icons.dll,3");
}

TEST(Storage, SaveWritesEveryKeyInOrderAndNeverTheIcons) {
    MemoryStore store;
    Settings settings;
    EXPECT_TRUE(saveSettings(settings, store));
    EXPECT_EQ(store.preparations, 1);
    std::vector<std::string> expected;
    for (const SettingRow& row : settingRows())
        if (row.type != SettingType::IconPath) expected.push_back(row.key);
    EXPECT_EQ(store.writes, expected);
    EXPECT_EQ(store.writes[9], "qx_script") << "the script goes between Intelligibility and the opacities";
}

TEST(Storage, SaveRoundTripsThroughTheStore) {
    MemoryStore store;
    Settings saved;
    saved.IntervalTimeMSec = 3000;
    saved.IntervalTimeMSec2 = 9000;
    saved.PauseByMouseMove = true;
    saved.OpenShowDlgLeft = -1200;
    saved.HOTKEY_PAUSE = 0x0641;
    saved.bPauseDouble = true;
    saved.qx_script = u"MSGBOX(\"日本\")";
    ASSERT_TRUE(saveSettings(saved, store));
    Settings loaded;
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.IntervalTimeMSec, 3000);
    EXPECT_EQ(loaded.IntervalTimeMSec2, 9000);
    EXPECT_TRUE(loaded.PauseByMouseMove);
    EXPECT_EQ(loaded.OpenShowDlgLeft, -1200);
    EXPECT_EQ(loaded.HOTKEY_PAUSE, 0x0641);
    EXPECT_TRUE(loaded.bPauseDouble);
    EXPECT_EQ(loaded.qx_script, saved.qx_script);
}

TEST(Storage, EveryWriteIsAttemptedAndOnlyCountedOnesDecideTheResult) {
    MemoryStore store;
    store.failingKeys = {"MouseMovePixel"};
    EXPECT_FALSE(saveSettings(Settings{}, store));
    EXPECT_EQ(store.writes.size(), settingRows().size() - 2) << "writing went on after the failure";
    EXPECT_EQ(store.integers["bPauseDouble"], 0);

    MemoryStore iniLike;
    iniLike.scriptCounts = false;
    iniLike.failingKeys = {"qx_script"};
    EXPECT_TRUE(saveSettings(Settings{}, iniLike)) << "an uncounted script write does not fail the save";

    MemoryStore registryLike;
    registryLike.failingKeys = {"qx_script"};
    EXPECT_FALSE(saveSettings(Settings{}, registryLike));
}

}  // namespace wavelith
