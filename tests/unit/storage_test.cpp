#include "settings/storage.h"

#include "memory_store.h"
#include "platform/text.h"
#include "settings/ini_text.h"

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

    // Every write succeeded, but what they wrote never reached its place.
    struct UncommittedStore : MemoryStore {
        bool finishSave() override { return false; }
    } uncommitted;
    EXPECT_FALSE(saveSettings(Settings{}, uncommitted));
}

// ---- converting a foreign ini file ----------------------------------------------------------

namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (int value : values) result.push_back(static_cast<char>(value));
    return result;
}

std::string utf16le(std::u16string_view text) {
    std::string result;
    for (char16_t unit : text) result += bytes({unit & 0xFF, unit >> 8});
    return result;
}

// A Latin-1 code page that refuses 0x81, as a strict conversion does with an undefined byte.
std::optional<std::u16string> latin1(std::string_view text) {
    std::u16string result;
    for (unsigned char byte : text) {
        if (byte == 0x81) return std::nullopt;
        result.push_back(byte);
    }
    return result;
}

}  // namespace

TEST(IniText, EncodingIsDecidedByMarksAndStrictChecks) {
    EXPECT_EQ(iniEncoding(bytes({0xFF, 0xFE, 'a', 0})), IniEncoding::Utf16Le);
    EXPECT_EQ(iniEncoding(bytes({0xFE, 0xFF, 0, 'a'})), IniEncoding::Utf16Be);
    EXPECT_EQ(iniEncoding(bytes({0xFE, 0xFF, 0, 'a', 0})), IniEncoding::Unreadable) << "half a code unit";
    EXPECT_EQ(iniEncoding(""), IniEncoding::Utf8);
    EXPECT_EQ(iniEncoding("[quellix]\r\nKeyEmu=1\r\n"), IniEncoding::Utf8);
    EXPECT_EQ(iniEncoding("\xEF\xBB\xBFmemo=\xE6\x97\xA5"), IniEncoding::Utf8);
    EXPECT_EQ(iniEncoding("memo=caf\xE9"), IniEncoding::AnsiCodePage);
    EXPECT_EQ(iniEncoding("memo=\xC0\xAF"), IniEncoding::AnsiCodePage) << "an overlong form is not UTF-8";
    EXPECT_EQ(iniEncoding("\xEF\xBB\xBFmemo=caf\xE9"), IniEncoding::Unreadable) << "says UTF-8 and is not";
    EXPECT_EQ(iniEncoding(bytes({'[', 0, 'q', 0})), IniEncoding::Unreadable) << "UTF-16 without its mark";
}

TEST(IniText, ConversionKeepsEverySectionAndCharacter) {
    const std::u16string text = u"[notes]\r\nmemo=日本語 𝄞\r\n[quellix]\r\nKeyEmu=1\r\n";
    const std::string converted = std::string(kNewIniFile) + utf16le(text);

    std::string bigEndian = bytes({0xFE, 0xFF});
    for (char16_t unit : text) bigEndian += bytes({unit >> 8, unit & 0xFF});
    EXPECT_EQ(iniAsUtf16Le(bigEndian, latin1), converted);
    std::string utf8 = utf16ToUtf8(text);
    EXPECT_EQ(iniAsUtf16Le(utf8, latin1), converted) << "UTF-8 without a mark";
    EXPECT_EQ(iniAsUtf16Le("\xEF\xBB\xBF" + utf8, latin1), converted);
    EXPECT_EQ(iniAsUtf16Le("memo=caf\xE9", latin1), std::string(kNewIniFile) + utf16le(u"memo=café"));
    EXPECT_EQ(iniAsUtf16Le("", latin1), std::string(kNewIniFile));

    std::string utf16 = bytes({0xFF, 0xFE}) + utf16le(text);
    EXPECT_EQ(iniAsUtf16Le(utf16, latin1), utf16) << "already the profile functions' own form";
    EXPECT_FALSE(iniAsUtf16Le("memo=\x81\xE9", latin1)) << "not valid in the code page either";
    EXPECT_FALSE(iniAsUtf16Le(bytes({'a', 0, 'b', 0}), latin1));
}

}  // namespace wavelith
