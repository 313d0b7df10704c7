// Settings from outside: what is stored before a start is what the program does, and what it
// stores at exit, in the registry, in quellix.ini, or nowhere; and the two copy switches.
#include "tests/e2e/harness.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace wavelith::e2e {

namespace {

// Every numeric key, in the order the program writes them; the script sits between the two.
const std::vector<std::wstring> kKeysBeforeScript = {
    L"IntervalTimeMSec", L"IntervalTimeMSec2", L"MouseMovePixel",     L"KeyEmu",         L"ClickToPause",
    L"PauseByMouseMove", L"OpenShowDlg",       L"OpenShowDlgTopmost", L"Intelligibility"};
const std::vector<std::wstring> kKeysAfterScript = {
    L"OpenShowDlgAlpha", L"OpenShowDlgAlpha2",     L"OpenShowDlgLeft",       L"OpenShowDlgTop",
    L"DisableShutdown",  L"DisableShutdown_Check", L"DisableShutdown_Info",  L"NoOpeningDlg",
    L"NoNotifyScriptSuspend", L"BIGDIALOG",        L"LASTMOVE",              L"bDisableRemoteWaring",
    L"bDisableWhenUseFocusAssist", L"HOTKEY_PAUSE", L"bTimeOff",             L"dwTimeOffHour",
    L"dwTimeOffMin",     L"dwTimeOffSec",          L"bTimeOn",               L"dwTimeOnHour",
    L"dwTimeOnMin",      L"dwTimeOnSec",           L"ReOnSec",               L"bPauseDouble",
    L"PauseWhileLocked", L"KeepSystemAwake",       L"KeepDisplayOn"};

std::vector<std::wstring> numericKeys() {
    std::vector<std::wstring> keys = kKeysBeforeScript;
    keys.insert(keys.end(), kKeysAfterScript.begin(), kKeysAfterScript.end());
    return keys;
}

// What an exit writes for a key that nothing was stored for.
std::map<std::wstring, DWORD> writtenWhenNothingStored() {
    std::map<std::wstring, DWORD> values;
    for (const std::wstring& key : numericKeys()) values[key] = 0;
    values[L"IntervalTimeMSec"] = values[L"IntervalTimeMSec2"] = 50000;
    values[L"MouseMovePixel"] = 1;
    values[L"OpenShowDlgAlpha"] = values[L"OpenShowDlgAlpha2"] = 255;
    values[L"OpenShowDlgLeft"] = values[L"OpenShowDlgTop"] = 32000;
    values[L"PauseWhileLocked"] = 1;
    return values;
}

void expectStoredDwords(const std::map<std::wstring, DWORD>& expected) {
    for (const auto& [key, value] : expected) EXPECT_EQ(storedValue(key), dwordValue(value)) << "value " << key;
}

bool isShakeOf(const MouseBurst& burst, int pixels) {
    return burst.points.size() == 2 && burst.points[0].x - burst.points[1].x == pixels &&
           burst.points[0].y == burst.points[1].y;
}

// Shakes that come on their own, which only a short stored interval makes possible.
::testing::AssertionResult shakesOnItsOwn(InputObserver& observer, int pixels) {
    observer.clear();
    if (!observer.waitFor([](const auto& events) { return injectedMouseBursts(events).size() >= 3; }))
        return ::testing::AssertionFailure() << "only " << injectedMouseBursts(observer.events()).size()
                                             << " shakes came on their own";
    std::vector<MouseBurst> bursts = injectedMouseBursts(observer.events());
    for (size_t i = 0; i + 1 < bursts.size(); ++i)  // the last may still be arriving
        if (!isShakeOf(bursts[i], pixels))
            return ::testing::AssertionFailure() << "shake " << i << " is not a move by " << pixels << " and back";
    return ::testing::AssertionSuccess();
}

std::vector<uint8_t> fileStart(const std::wstring& path, size_t count) {
    std::vector<uint8_t> bytes = readFileBytes(path);
    bytes.resize(std::min(bytes.size(), count));
    return bytes;
}

const std::vector<uint8_t> kUtf16Mark = {0xFF, 0xFE};

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

// ---- registry ----------------------------------------------------------------------------------

struct StoredShake {
    const char* name;
    std::map<std::wstring, DWORD> stored;
    // Checks the input of two shake timer expiries in a row.
    void (*check)(const std::vector<InputEvent>& first, const std::vector<InputEvent>& second);
};
void PrintTo(const StoredShake& shake, std::ostream* out) { *out << shake.name; }

class StoredShakeTest : public WavelithTest, public testing::WithParamInterface<StoredShake> {};

TEST_P(StoredShakeTest, TakesEffectFromTheStart) {
    storeDwords(GetParam().stored);
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    HWND window = app.waitForMainWindow();
    ASSERT_TRUE(window);
    std::vector<InputEvent> first = inputFromShakeTimer(window, observer);
    std::vector<InputEvent> second = inputFromShakeTimer(window, observer);
    GetParam().check(first, second);
}

namespace {

std::vector<InputEvent> injectedOnly(std::vector<InputEvent> events) {
    events.erase(std::remove_if(events.begin(), events.end(), [](const InputEvent& e) { return !e.injected(); }),
                 events.end());
    return events;
}

short wheelDelta(const InputEvent& event) { return static_cast<short>(HIWORD(event.mouseData)); }

}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredShakeTest,
    testing::Values(
        // The way back is an absolute cursor set, which low-level hooks never see.
        StoredShake{"MoveThenSetBackPattern", {{L"Intelligibility", 2}},
                    [](const auto& first, const auto& second) {
                        for (const auto* events : {&first, &second}) {
                            std::vector<InputEvent> injected = injectedOnly(*events);
                            ASSERT_EQ(injected.size(), 1u);
                            EXPECT_EQ(injected[0].message, static_cast<UINT>(WM_MOUSEMOVE));
                        }
                    }},
        StoredShake{"WheelPattern", {{L"Intelligibility", 3}},
                    [](const auto& first, const auto& second) {
                        std::vector<short> deltas;
                        for (const auto* events : {&first, &second}) {
                            std::vector<MouseBurst> bursts = injectedMouseBursts(*events);
                            ASSERT_EQ(bursts.size(), 1u);
                            EXPECT_TRUE(isShakeOf(bursts[0], 1));
                            for (const InputEvent& event : injectedOnly(*events))
                                if (event.message == WM_MOUSEWHEEL) deltas.push_back(wheelDelta(event));
                        }
                        // The same turn of the wheel one way, then back.
                        ASSERT_EQ(deltas.size(), 2u);
                        EXPECT_EQ(std::abs(deltas[0]), 256);
                        EXPECT_EQ(deltas[0], -deltas[1]);
                    }},
        StoredShake{"PauseKeyTap", {{L"MouseMovePixel", 0}, {L"KeyEmu", 2}},
                    [](const auto& first, const auto&) {
                        std::vector<InputEvent> injected = injectedOnly(first);
                        ASSERT_EQ(injected.size(), 2u);
                        for (const InputEvent& event : injected) {
                            EXPECT_TRUE(event.isKeyboard());
                            EXPECT_EQ(event.virtualKey, static_cast<DWORD>(VK_PAUSE));
                        }
                        EXPECT_TRUE(injected[0].isKeyDown());
                        EXPECT_TRUE(injected[1].isKeyUp());
                    }}),
    [](const testing::TestParamInfo<StoredShake>& info) { return std::string(info.param.name); });

using RegistrySettingsTest = WavelithTest;

TEST_F(RegistrySettingsTest, StoredIntervalDrivesTheShakeTimer) {
    storeDwords({{L"IntervalTimeMSec", 300}, {L"IntervalTimeMSec2", 300}, {L"MouseMovePixel", 4}});
    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    EXPECT_TRUE(shakesOnItsOwn(observer, 4));
}

TEST_F(RegistrySettingsTest, ExitThroughTheTrayMenuWritesEverySettingBack) {
    const std::map<std::wstring, DWORD> stored = {
        {L"IntervalTimeMSec", 70000}, {L"MouseMovePixel", 3},         {L"KeyEmu", 1},
        {L"ClickToPause", 1},         {L"OpenShowDlgTopmost", 1},     {L"OpenShowDlgAlpha", 128},
        {L"OpenShowDlgLeft", static_cast<DWORD>(-100)},               {L"LASTMOVE", 900},
        {L"HOTKEY_PAUSE", 0x0745},    {L"dwTimeOffHour", 23},         {L"dwTimeOnSec", 59},
        {L"ReOnSec", 45},             {L"bPauseDouble", 1}};
    storeDwords(stored);
    const StoredValue script = stringValue(L"MOVE 10, 0\r\nWAIT 5\r\n");
    ASSERT_TRUE(storeValue(L"qx_script", script));
    // Replacement icons are the user's to set by hand: read, never written.
    ASSERT_TRUE(storeValue(L"NotifyIconOn", stringValue(L"-")));

    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu) << "no tray menu";
    ASSERT_TRUE(chooseMenuItem(menu, L'x'));
    ASSERT_EQ(app.waitForExit(), 0u);

    std::map<std::wstring, DWORD> expected = writtenWhenNothingStored();
    for (const auto& [key, value] : stored) expected[key] = value;
    expected[L"IntervalTimeMSec2"] = 70000;  // an absent upper bound follows the lower one
    expectStoredDwords(expected);
    EXPECT_EQ(storedValue(L"qx_script"), script);
    EXPECT_EQ(storedValue(L"NotifyIconOn"), stringValue(L"-"));
    EXPECT_FALSE(storedValue(L"NotifyIconOff"));
    EXPECT_EQ(storedValues().size(), numericKeys().size() + 2) << "values written besides the settings";
}

TEST_F(RegistrySettingsTest, ValuesOfTheWrongTypeOrRangeLoadByTheRulesAndAreRewrittenAsDwords) {
    std::vector<uint8_t> huge(1 << 20, 0xEE);
    std::fill(huge.begin(), huge.begin() + 4, 0);
    huge[0] = 1;
    struct Case {
        const wchar_t* key;
        StoredValue stored;
        DWORD loaded;
    };
    const Case cases[] = {
        {L"IntervalTimeMSec", stringValue(L"300"), 300},  // the short interval shows it was read
        {L"IntervalTimeMSec2", stringValue(L"+300", REG_EXPAND_SZ), 300},
        {L"MouseMovePixel", stringValue(L"12a"), 1},
        {L"KeyEmu", {REG_BINARY, {0x02}}, 2},  // missing bytes count as zero
        {L"ClickToPause", dwordValue(7), 1},
        {L"Intelligibility", dwordValue(13), 0},
        {L"OpenShowDlgAlpha", dwordValue(256), 255},
        {L"OpenShowDlgAlpha2", dwordValue(static_cast<DWORD>(-1)), 255},
        {L"OpenShowDlgLeft", multiStringValue({L"-40", L"7"}), static_cast<DWORD>(-40)},
        {L"OpenShowDlgTop", stringValue(L""), 32000},
        {L"DisableShutdown", {REG_NONE, {1, 0, 0, 0}}, 0},
        {L"BIGDIALOG", {REG_DWORD_BIG_ENDIAN, {0, 0, 0, 5}}, 1},
        {L"LASTMOVE", {REG_QWORD, {0x10, 0x0E, 0, 0, 1, 0, 0, 0}}, 3600},
        {L"HOTKEY_PAUSE", dwordValue(0x0141), 0x0641},  // Shift+A becomes Ctrl+Alt+A
        {L"bTimeOn", {REG_BINARY, huge}, 1},
        {L"dwTimeOffHour", stringValue(L"-5"), 0},
        {L"dwTimeOffMin", dwordValue(30), 30},  // in range, beside a neighbour that is not
        {L"dwTimeOnMin", dwordValue(75), 0},
        {L"ReOnSec", {REG_BINARY, {0x2C, 0x01}}, 300},
    };
    for (const Case& c : cases) ASSERT_TRUE(storeValue(c.key, c.stored)) << "value " << c.key;
    ASSERT_TRUE(storeValue(L"qx_script", multiStringValue({L"a", L"b"})));

    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    // Interval read from text, the distance's default and the basic pattern.
    EXPECT_TRUE(shakesOnItsOwn(observer, 1));
    ASSERT_EQ(app.end(), 0u);

    for (const Case& c : cases) EXPECT_EQ(storedValue(c.key), dwordValue(c.loaded)) << "value " << c.key;
    EXPECT_EQ(storedValue(L"qx_script"), stringValue(L"a\r\nb\r\n")) << "a multi-string script becomes lines";
}

TEST_F(RegistrySettingsTest, ScriptOfAnUnreadableTypeLoadsEmpty) {
    ASSERT_TRUE(storeValue(L"qx_script", dwordValue(12)));
    AppProcess& app = start();
    ASSERT_TRUE(app.waitForMainWindow());
    ASSERT_EQ(app.end(), 0u);
    EXPECT_EQ(storedValue(L"qx_script"), stringValue(L""));
}

// ---- no-save mode -------------------------------------------------------------------------------

using NoSaveTest = WavelithTest;

TEST_F(NoSaveTest, SlashNAndAnUnderscoreNNameLoadButWriteNothing) {
    // Values an exit would rewrite in another form, so that any write shows.
    const std::map<std::wstring, StoredValue> stored = {
        {L"IntervalTimeMSec", stringValue(L"300")}, {L"Intelligibility", dwordValue(13)}};
    struct Start {
        const wchar_t* copyName;  // null: the test's own Wavelith.exe
        const wchar_t* tail;
    };
    for (const Start& how : {Start{nullptr, L"/N"}, Start{L"Wavelith_n.EXE", L""}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(how.copyName ? how.copyName : L"Wavelith.exe") + L" " + how.tail));
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
        for (const auto& [key, value] : stored) ASSERT_TRUE(storeValue(key, value));
        std::wstring path = how.copyName ? programCopy(how.copyName) : program();
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        AppProcess& app = startProgram(path, how.tail);
        ASSERT_TRUE(app.waitForMainWindow());
        EXPECT_TRUE(shakesOnItsOwn(observer, 1)) << "the stored interval was not loaded";
        ASSERT_EQ(app.end(), 0u);
        EXPECT_EQ(storedValues(), stored);
        EXPECT_FALSE(fileExists(folder().file(kIniFileName)));
    }
}

// ---- ini mode -----------------------------------------------------------------------------------

using IniModeTest = WavelithTest;

TEST_F(IniModeTest, SlashOWritesEveryKeyInOrderToQuellixIniBesideTheProgram) {
    // Started from elsewhere: the file belongs in the program's folder all the same.
    TempFolder elsewhere;
    AppProcess& app = startProgram(program(), L"/O", elsewhere.path());
    ASSERT_TRUE(app.waitForMainWindow());
    ASSERT_EQ(app.end(), 0u);

    std::wstring ini = folder().file(kIniFileName);
    EXPECT_FALSE(fileExists(elsewhere.file(kIniFileName)));
    ASSERT_TRUE(fileExists(ini));
    EXPECT_EQ(fileStart(ini, 2), kUtf16Mark);
    std::vector<std::wstring> order = kKeysBeforeScript;
    order.push_back(L"qx_script_size");
    order.push_back(L"qx_script");
    order.insert(order.end(), kKeysAfterScript.begin(), kKeysAfterScript.end());
    EXPECT_EQ(iniKeysInFileOrder(ini), order);
    for (const auto& [key, value] : writtenWhenNothingStored())
        EXPECT_EQ(iniEntry(ini, key), std::to_wstring(static_cast<int32_t>(value))) << "entry " << key;
    EXPECT_EQ(iniEntry(ini, L"qx_script_size"), L"2");
    EXPECT_EQ(iniScript(ini), L"");
    EXPECT_FALSE(storedValue(L"IntervalTimeMSec")) << "ini mode wrote to the registry";
}

TEST_F(IniModeTest, UnderscoreONameLoadsAndSavesQuellixIni) {
    std::wstring ini = folder().file(kIniFileName);
    ASSERT_TRUE(writeIniFile(ini, {{L"IntervalTimeMSec", L"300"},
                                   {L"IntervalTimeMSec2", L"300"},
                                   {L"MouseMovePixel", L"4"},
                                   {L"Intelligibility", L"13"},
                                   {L"HOTKEY_PAUSE", L"321"}}));
    const std::wstring script = L"MOVE 10, 0\r\nWAIT 5\r\n";
    ASSERT_TRUE(writeIniScript(ini, script));
    ASSERT_TRUE(storeValue(L"MouseMovePixel", dwordValue(7)));  // must not be taken

    InputObserver observer;
    ASSERT_TRUE(observer.hooked());
    AppProcess& app = startProgram(programCopy(L"wavelith_o.EXE"), L"");
    ASSERT_TRUE(app.waitForMainWindow());
    EXPECT_TRUE(shakesOnItsOwn(observer, 4));
    ASSERT_EQ(app.end(), 0u);

    EXPECT_EQ(fileStart(ini, 2), kUtf16Mark);
    EXPECT_EQ(iniEntry(ini, L"IntervalTimeMSec"), L"300");
    EXPECT_EQ(iniEntry(ini, L"MouseMovePixel"), L"4");
    EXPECT_EQ(iniEntry(ini, L"Intelligibility"), L"0");
    EXPECT_EQ(iniEntry(ini, L"HOTKEY_PAUSE"), L"1601");  // Ctrl+Alt+A
    EXPECT_EQ(iniEntry(ini, L"OpenShowDlgAlpha"), L"255");
    EXPECT_EQ(iniEntry(ini, L"qx_script_size"), std::to_wstring((script.size() + 1) * 2));
    EXPECT_EQ(iniScript(ini), script);
    EXPECT_EQ(storedValues().size(), 1u) << "ini mode wrote to the registry";
}

TEST_F(IniModeTest, UnusableIniFilesLoadDefaultsAndAreWrittenAgain) {
    std::vector<uint8_t> garbage(3000);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 7 + 13);
    std::vector<uint8_t> absurd = {0xFF, 0xFE};
    for (wchar_t unit : std::wstring(L"[quellix]\r\nIntelligibility=99\r\nOpenShowDlgAlpha=-3\r\n"
                                     L"qx_script_size=5\r\nqx_script=ZZ\r\n")) {
        absurd.push_back(static_cast<uint8_t>(unit));
        absurd.push_back(0);
    }
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        bool setAside;  // no text that converts without loss: kept beside the new file
    };
    for (const Case& c : {Case{"empty", {}, false}, Case{"garbage", garbage, true}, Case{"absurd values", absurd, false}}) {
        SCOPED_TRACE(c.name);
        std::wstring ini = folder().file(kIniFileName);
        ASSERT_TRUE(writeFileBytes(ini, c.bytes));
        InputObserver observer;
        ASSERT_TRUE(observer.hooked());
        AppProcess& app = start(L"/O");
        HWND window = app.waitForMainWindow();
        ASSERT_TRUE(window);
        std::vector<MouseBurst> bursts = injectedMouseBursts(inputFromShakeTimer(window, observer));
        ASSERT_EQ(bursts.size(), 1u);
        EXPECT_TRUE(isShakeOf(bursts[0], 1)) << "not the default shake";
        ASSERT_EQ(app.end(), 0u);

        EXPECT_EQ(fileStart(ini, 2), kUtf16Mark);
        std::wstring setAside = folder().file(L"quellix.ini.bak");
        if (c.setAside) EXPECT_EQ(readFileBytes(setAside), c.bytes);
        EXPECT_EQ(fileExists(setAside), c.setAside);
        DeleteFileW(setAside.c_str());
        EXPECT_EQ(iniEntry(ini, L"IntervalTimeMSec"), L"50000");
        EXPECT_EQ(iniEntry(ini, L"Intelligibility"), L"0");
        EXPECT_EQ(iniEntry(ini, L"OpenShowDlgAlpha"), L"255");
        EXPECT_EQ(iniEntry(ini, L"bPauseDouble"), L"0");
        EXPECT_EQ(iniScript(ini), L"");
    }
}

TEST_F(IniModeTest, ASaveThatFailsAtExitSaysSo) {
    // A folder where the file should be: nothing can be written.
    ASSERT_TRUE(CreateDirectoryW(folder().file(kIniFileName).c_str(), nullptr));
    AppProcess& app = start(L"/O");
    ASSERT_TRUE(app.waitForMainWindow());
    HWND menu = openTrayMenu(app);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(chooseMenuItem(menu, L'x'));
    HWND box = app.waitForDialog();
    ASSERT_TRUE(box) << "no message about the failed save";
    EXPECT_EQ(dialogItemText(box, kMessageBoxTextId), L"Cannot save settings - .\\.\\quellix.ini.");
    EXPECT_EQ(windowText(box), L"Wavelith");
    ASSERT_TRUE(clickButton(box, IDOK));
    EXPECT_EQ(app.waitForExit(), 0u);
}

// ---- copy switches ------------------------------------------------------------------------------

using CopySwitchTest = WavelithTest;

namespace {

// Runs a copy switch to its message, checks it, confirms it and waits for the exit.
void expectCopyMessage(AppProcess& app, const std::wstring& message) {
    HWND box = nullptr;
    bool windowSeen = false;
    waitUntil([&] {
        windowSeen = windowSeen || app.mainWindow();
        return (box = app.dialog()) != nullptr || !app.running();
    }, kStartDeadline);
    ASSERT_TRUE(box) << "no message";
    EXPECT_EQ(dialogItemText(box, kMessageBoxTextId), message);
    EXPECT_EQ(windowText(box), L"Wavelith");
    EXPECT_FALSE(windowSeen) << "a copy run started the program proper";
    ASSERT_TRUE(clickButton(box, IDOK));
    EXPECT_EQ(app.waitForExit(), 0u);
}

}  // namespace

TEST_F(CopySwitchTest, OrCopiesTheIniFileIntoTheRegistry) {
    std::wstring ini = folder().file(kIniFileName);
    ASSERT_TRUE(writeIniFile(ini, {{L"IntervalTimeMSec", L"1234"}, {L"ReOnSec", L"17"}, {L"HOTKEY_PAUSE", L"321"}}));
    ASSERT_TRUE(writeIniScript(ini, L"WAIT 1"));
    std::vector<uint8_t> before = readFileBytes(ini);

    AppProcess& app = start(L"/OR");
    expectCopyMessage(app, L"Setting copying from the ini file to the registry has been completed.");

    std::map<std::wstring, DWORD> expected = writtenWhenNothingStored();
    expected[L"IntervalTimeMSec"] = expected[L"IntervalTimeMSec2"] = 1234;
    expected[L"ReOnSec"] = 17;
    expected[L"HOTKEY_PAUSE"] = 0x0641;
    expectStoredDwords(expected);
    EXPECT_EQ(storedValue(L"qx_script"), stringValue(L"WAIT 1"));
    EXPECT_EQ(readFileBytes(ini), before) << "the source was changed";
}

TEST_F(CopySwitchTest, RoCopiesTheRegistryIntoANewIniFile) {
    storeDwords({{L"IntervalTimeMSec", 1234}, {L"IntervalTimeMSec2", 5678}, {L"BIGDIALOG", 1}});
    ASSERT_TRUE(storeValue(L"qx_script", multiStringValue({L"a", L"b"})));
    auto before = storedValues();

    AppProcess& app = start(L"/RO");
    expectCopyMessage(app, L"Setting copying from the registry to the ini file has been completed.");

    std::wstring ini = folder().file(kIniFileName);
    ASSERT_TRUE(fileExists(ini));
    EXPECT_EQ(fileStart(ini, 2), kUtf16Mark);
    EXPECT_EQ(iniKeysInFileOrder(ini).size(), numericKeys().size() + 2);
    EXPECT_EQ(iniEntry(ini, L"IntervalTimeMSec"), L"1234");
    EXPECT_EQ(iniEntry(ini, L"IntervalTimeMSec2"), L"5678");
    EXPECT_EQ(iniEntry(ini, L"BIGDIALOG"), L"1");
    EXPECT_EQ(iniEntry(ini, L"OpenShowDlgLeft"), L"32000");
    EXPECT_EQ(iniScript(ini), L"a\r\nb\r\n");
    EXPECT_EQ(storedValues(), before) << "the source was changed";
}

TEST_F(CopySwitchTest, RoThatCannotWriteTheIniFileSaysItFailed) {
    ASSERT_TRUE(CreateDirectoryW(folder().file(kIniFileName).c_str(), nullptr));
    AppProcess& app = start(L"/RO");
    expectCopyMessage(app, L"Setting copying from the registry to the ini file - failed.");
}

}  // namespace wavelith::e2e
