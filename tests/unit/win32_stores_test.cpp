// The registry and ini back ends against the real registry and private-profile functions.
#include "settings/regw.h"
#include "settings/win32_stores.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>
#include <vector>

namespace wavelith {

namespace {

const wchar_t* kKey = REGW::kKeyPath;

void clearSettingsKey() { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }

void putValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void putText(const wchar_t* name, DWORD type, const std::wstring& text) {
    putValue(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

// Answers the message boxes this process shows, remembering caption and text.
class MessageBoxWatcher {
public:
    MessageBoxWatcher() : thread_([this] { watch(); }) {}
    ~MessageBoxWatcher() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::pair<std::wstring, std::wstring>> seen() {
        std::lock_guard<std::mutex> hold(lock_);
        return seen_;
    }

private:
    void watch() {
        while (!stop_) {
            HWND box = nullptr;
            while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
                DWORD process = 0;
                GetWindowThreadProcessId(box, &process);
                if (process != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
                wchar_t caption[256] = {}, text[1024] = {};
                GetWindowTextW(box, caption, 256);
                GetDlgItemTextW(box, 0xFFFF, text, 1024);
                {
                    std::lock_guard<std::mutex> hold(lock_);
                    seen_.emplace_back(caption, text);
                }
                SendMessageW(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    }
    std::atomic<bool> stop_{false};
    std::mutex lock_;
    std::vector<std::pair<std::wstring, std::wstring>> seen_;
    std::thread thread_;
};

struct RegistryFixture : ::testing::Test {
    void SetUp() override {
        clearSettingsKey();
        REGW::setJapanese(false);
    }
    void TearDown() override { clearSettingsKey(); }
};

int32_t readInteger(const wchar_t* name) {
    REGW registry;
    EXPECT_TRUE(registry.OpenKey(REGW::kReadOnly));
    int32_t value = registry.ReadIntegerW(name, -99);
    registry.CloseKey();
    return value;
}

}  // namespace

TEST_F(RegistryFixture, ReadIntegerOfEveryValueType) {
    putText(L"sz123", REG_SZ, L"123");
    putText(L"szMinus5", REG_SZ, L"-5");
    putText(L"szPlus", REG_SZ, L"+");
    putText(L"sz12a", REG_SZ, L"12a");
    putText(L"szEmpty", REG_SZ, L"");
    putText(L"expand", REG_EXPAND_SZ, L"77");
    const BYTE bigEndian[] = {0x00, 0x00, 0x01, 0x02};
    putValue(L"big", REG_DWORD_BIG_ENDIAN, bigEndian, 4);
    const BYTE shortBinary[] = {0x01, 0x02};
    putValue(L"bin", REG_BINARY, shortBinary, 2);
    const ULONGLONG qword = 0x123456789ull;
    putValue(L"qword", REG_QWORD, &qword, 8);
    const wchar_t multi[] = L"42\0x\0";
    putValue(L"multi", REG_MULTI_SZ, multi, sizeof(multi));

    EXPECT_EQ(readInteger(L"sz123"), 123);
    EXPECT_EQ(readInteger(L"szMinus5"), -5);
    EXPECT_EQ(readInteger(L"szPlus"), 0);
    EXPECT_EQ(readInteger(L"sz12a"), -99);
    EXPECT_EQ(readInteger(L"szEmpty"), -99);
    EXPECT_EQ(readInteger(L"expand"), 77);
    EXPECT_EQ(readInteger(L"big"), 258);
    EXPECT_EQ(readInteger(L"bin"), 513);
    EXPECT_EQ(readInteger(L"qword"), 0x23456789);
    EXPECT_EQ(readInteger(L"multi"), 42);
    EXPECT_EQ(readInteger(L"missing"), -99);
}

TEST_F(RegistryFixture, MultiStringReaders) {
    const wchar_t list[] = L"a\0b\0";  // the literal's own NUL ends the list
    putValue(L"list", REG_MULTI_SZ, list, sizeof(list));
    putText(L"text", REG_SZ, L"plain text");
    REGW registry;
    ASSERT_TRUE(registry.OpenKey(REGW::kReadOnly));
    wchar_t buffer[16];
    EXPECT_TRUE(registry.ReadMultiStringW(L"list", buffer, 16));
    EXPECT_STREQ(buffer, L"a\r\nb\r\n");
    EXPECT_FALSE(registry.ReadMultiStringW(L"list", buffer, 4));
    EXPECT_STREQ(buffer, L"") << "too small a buffer is left empty";
    EXPECT_FALSE(registry.ReadMultiStringW(L"text", buffer, 5));
    EXPECT_TRUE(registry.ReadMultiStringW(L"text", buffer, 16));
    EXPECT_STREQ(buffer, L"plain text");

    int32_t count = 0;
    auto lines = registry.newReadMultiStringW(L"list", &count);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, L"a\r\nb\r\n");
    EXPECT_EQ(count, 8) << "five characters and three NULs";
    EXPECT_FALSE(registry.newReadMultiStringW(L"missing"));
    EXPECT_EQ(registry.ValueTypeW(L"list"), REG_MULTI_SZ);
    EXPECT_EQ(registry.ValueTypeW(L"missing"), 0);
    EXPECT_EQ(registry.ValueExistW(L"text"), 22);
    EXPECT_EQ(registry.ValueExistW(L"missing"), -1);
    registry.CloseKey();
}

TEST_F(RegistryFixture, MisuseIsRefusedWithAWarningNamingTheOperation) {
    MessageBoxWatcher watcher;
    {
        REGW registry;
        EXPECT_FALSE(registry.CloseKey());
        EXPECT_EQ(registry.ReadIntegerW(L"x", 5), 5);
        wchar_t buffer[8];
        EXPECT_FALSE(registry.ReadMultiStringW(L"x", buffer, 8));
        EXPECT_TRUE(registry.OpenKey(REGW::kCreate));
        EXPECT_TRUE(registry.OpenKey(REGW::kCreate)) << "a second open closes the first and goes on";
    }  // the destructor closes the key left open
    {
        REGW registry;
        registry.OpenKey(REGW::kCreate);
        registry.CloseKey();
    }  // closed properly: the destructor says nothing
    auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0], std::make_pair(std::wstring(L"Registory Class"), std::wstring(L"An error has occurred in REGW::CloseKey().")));
    EXPECT_EQ(seen[1].second, L"An error has occurred in ReadIntegerW.");
    EXPECT_EQ(seen[2], std::make_pair(std::wstring(L"Registry Class"), std::wstring(L"An error has occurred in ReadMultiStringW.")));
    EXPECT_EQ(seen[3].second, L"An error has occurred in REGW::OpenKey().");
    EXPECT_EQ(seen[4].second, L"An error has occurred in REGW::~REGW().");
}

TEST_F(RegistryFixture, StoreRoundTripAndOddStoredValues) {
    Settings saved;
    saved.IntervalTimeMSec = 700;
    saved.IntervalTimeMSec2 = 900;
    saved.Intelligibility = 11;
    saved.qx_script = u"LOOP\r\n  SLEEP(10)\r\nEND";
    RegistryStore store;
    ASSERT_TRUE(saveSettings(saved, store));
    Settings loaded;
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.IntervalTimeMSec, 700);
    EXPECT_EQ(loaded.IntervalTimeMSec2, 900);
    EXPECT_EQ(loaded.Intelligibility, 11);
    EXPECT_EQ(loaded.qx_script, saved.qx_script);

    // Values of the wrong type or range, as a user might leave them.
    putText(L"Intelligibility", REG_SZ, L"13");
    putText(L"IntervalTimeMSec", REG_SZ, L"oops");
    const wchar_t list[] = L"a\0b\0";
    putValue(L"qx_script", REG_MULTI_SZ, list, sizeof(list));
    const BYTE one[] = {1};
    putValue(L"ClickToPause", REG_BINARY, one, 1);
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.Intelligibility, 0);
    EXPECT_EQ(loaded.IntervalTimeMSec, 50000);
    EXPECT_EQ(loaded.qx_script, u"a\r\nb\r\n");
    EXPECT_TRUE(loaded.ClickToPause);

    putValue(L"qx_script", REG_DWORD, one, 1);
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, u"") << "a script of another type loads as empty";

    clearSettingsKey();
    loaded.qx_script = u"in memory";
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, u"in memory") << "no key: the script in memory stays";
    EXPECT_EQ(loaded.IntervalTimeMSec, 50000);
}

namespace {

struct IniFixture : ::testing::Test {
    wchar_t previous[MAX_PATH] = {};
    std::wstring folder;
    void SetUp() override {
        GetCurrentDirectoryW(MAX_PATH, previous);
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"wavelith-ini-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(GetTickCount());
        CreateDirectoryW(folder.c_str(), nullptr);
        SetCurrentDirectoryW(folder.c_str());
    }
    void TearDown() override {
        for (const wchar_t* file : {IniStore::kPath, IniStore::kRewritePath, IniStore::kSetAsidePath}) {
            DeleteFileW(file);
            RemoveDirectoryW(file);
        }
        SetCurrentDirectoryW(previous);
        RemoveDirectoryW(folder.c_str());
    }
    static std::vector<uint8_t> iniBytes(const wchar_t* path = IniStore::kPath) {
        std::vector<uint8_t> bytes;
        HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return bytes;
        bytes.resize(GetFileSize(file, nullptr));
        DWORD read = 0;
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
        return bytes;
    }
    static void writeIni(const std::vector<uint8_t>& bytes) {
        HANDLE file = CreateFileW(L"quellix.ini", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
};

std::vector<uint8_t> utf16le(const std::string& ascii) {
    std::vector<uint8_t> bytes;
    for (char c : ascii) bytes.insert(bytes.end(), {static_cast<uint8_t>(c), 0});
    return bytes;
}

}  // namespace

TEST_F(IniFixture, MissingFileIsCreatedWithTheUtf16Start) {
    ensureIniFile();
    EXPECT_EQ(iniBytes(), (std::vector<uint8_t>{0xFF, 0xFE, 0x0D, 0x00, 0x0A, 0x00}));
    writeIni({});
    ensureIniFile();
    EXPECT_EQ(iniBytes().size(), 6u) << "an empty file starts afresh";
}

TEST_F(IniFixture, SaveWritesExactEntriesAndTheScriptAsCheckedHex) {
    Settings settings;
    settings.qx_script = u"Ab";  // 41 00 62 00 00 00, checksum A3
    IniStore store;
    ASSERT_TRUE(saveSettings(settings, store));

    std::string expected = "[quellix]\r\n";
    for (const SettingRow& row : settingRows()) {
        if (row.type == SettingType::IconPath) continue;
        if (row.type == SettingType::Text) {
            expected += "qx_script_size=6\r\nqx_script=410062000000A3\r\n";
            continue;
        }
        expected += std::string(row.key) + "=" + std::to_string(readNumber(settings, row)) + "\r\n";
    }
    std::vector<uint8_t> bytes = iniBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    std::vector<uint8_t> body(bytes.begin() + 2, bytes.end());
    // Some profile writers keep the blank line after the byte-order mark, some drop it.
    std::vector<uint8_t> blank = utf16le("\r\n");
    if (body.size() >= 4 && std::equal(blank.begin(), blank.end(), body.begin())) body.erase(body.begin(), body.begin() + 4);
    EXPECT_EQ(body, utf16le(expected));

    Settings loaded;
    loaded.qx_script = u"other";
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, u"Ab");
    EXPECT_EQ(loaded.OpenShowDlgLeft, -32000);
}

TEST_F(IniFixture, ScriptOfNCharactersStoresTwoNPlusTwoBytes) {
    Settings settings;
    settings.qx_script = u"MSGBOX(\"日本語\")";
    IniStore store;
    saveSettings(settings, store);
    EXPECT_EQ(GetPrivateProfileIntW(L"quellix", L"qx_script_size", 0, L".\\quellix.ini"),
              2 * settings.qx_script.size() + 2);
    Settings loaded;
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, settings.qx_script);
}

TEST_F(IniFixture, DamagedOrForeignFilesLoadDefaultsAndAreRewritten) {
    // Not UTF-16, absurd sizes, a broken checksum, binary garbage.
    std::string ansi =
        "[quellix]\r\nIntelligibility=99\r\nqx_script_size=2147483647\r\nOpenShowDlgAlpha=-3\r\nLASTMOVE=abc\r\n";
    writeIni(std::vector<uint8_t>(ansi.begin(), ansi.end()));
    IniStore store;
    Settings loaded;
    loaded.qx_script = u"old";
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.Intelligibility, 0);
    EXPECT_EQ(loaded.OpenShowDlgAlpha, 255);
    EXPECT_EQ(loaded.qx_script, u"");

    WritePrivateProfileStringW(L"quellix", L"qx_script_size", L"6", L".\\quellix.ini");
    WritePrivateProfileStringW(L"quellix", L"qx_script", L"410062000000A4", L".\\quellix.ini");
    loaded.qx_script = u"old";
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, u"") << "a wrong checksum loads the empty script";

    std::vector<uint8_t> garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 131 + 7);
    writeIni(garbage);
    loadSettings(loaded, store);
    Settings saved;
    saved.IntervalTimeMSec = 4321;
    saved.qx_script = u"EXIT 1";
    saveSettings(saved, store);
    Settings again;
    loadSettings(again, store);
    EXPECT_EQ(again.IntervalTimeMSec, 4321);
    EXPECT_EQ(again.qx_script, u"EXIT 1");
    std::vector<uint8_t> bytes = iniBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF) << "rewritten as UTF-16";
    EXPECT_EQ(bytes[1], 0xFE);
}

TEST_F(IniFixture, AnsiFileBecomesUtf16AndKeepsWhatTheUserWrote) {
    std::string ansi = "; my notes\r\n[notes]\r\nremember=this\r\n[quellix]\r\nIntervalTimeMSec=7000\r\n";
    writeIni(std::vector<uint8_t>(ansi.begin(), ansi.end()));
    IniStore store;
    Settings loaded;
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.IntervalTimeMSec, 7000) << "a foreign encoding still loads";
    ASSERT_TRUE(saveSettings(loaded, store));
    std::vector<uint8_t> bytes = iniBytes();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    wchar_t note[32] = {};
    GetPrivateProfileStringW(L"notes", L"remember", L"", note, 32, L".\\quellix.ini");
    EXPECT_STREQ(note, L"this");
    Settings again;
    loadSettings(again, store);
    EXPECT_EQ(again.IntervalTimeMSec, 7000);
}

namespace {

std::vector<uint8_t> utf8Bytes(const std::wstring& text) {
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::wstring iniString(const wchar_t* section, const wchar_t* key) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(section, key, L"(absent)", value, 256, IniStore::kPath);
    return value;
}

bool exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST_F(IniFixture, ForeignEncodingsBecomeUtf16KeepingEverySectionAndCharacter) {
    const std::wstring text = L"[notes]\r\nmemo=日本語のメモ\r\n[quellix]\r\nIntervalTimeMSec=7000\r\n[more]\r\nlast=é\r\n";
    std::vector<uint8_t> bigEndian = {0xFE, 0xFF};
    for (wchar_t unit : text) bigEndian.insert(bigEndian.end(), {static_cast<uint8_t>(unit >> 8), static_cast<uint8_t>(unit)});
    std::vector<uint8_t> utf8WithMark = {0xEF, 0xBB, 0xBF};
    std::vector<uint8_t> utf8 = utf8Bytes(text);
    utf8WithMark.insert(utf8WithMark.end(), utf8.begin(), utf8.end());
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    };
    for (const Case& c : {Case{"UTF-16BE", bigEndian}, Case{"UTF-8 without a mark", utf8}, Case{"UTF-8", utf8WithMark}}) {
        SCOPED_TRACE(c.name);
        writeIni(c.bytes);
        IniStore store;
        Settings settings;
        loadSettings(settings, store);
        ASSERT_TRUE(saveSettings(settings, store));
        std::vector<uint8_t> bytes = iniBytes();
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes[0], 0xFF);
        EXPECT_EQ(bytes[1], 0xFE);
        EXPECT_EQ(iniString(L"notes", L"memo"), L"日本語のメモ");
        EXPECT_EQ(iniString(L"more", L"last"), L"é");
        EXPECT_EQ(iniString(L"quellix", L"IntervalTimeMSec"), L"7000");
        EXPECT_FALSE(exists(IniStore::kRewritePath)) << "the rewrite was left behind";
        EXPECT_FALSE(exists(IniStore::kSetAsidePath));
    }
}

TEST_F(IniFixture, AnsiTextIsReadInTheAnsiCodePage) {
    // Text that only the system's code page reads, never UTF-8.
    std::wstring memo = GetACP() == 932 ? L"日本語" : L"café";
    std::string ansi(64, '\0');
    BOOL lossy = FALSE;
    ansi.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, memo.data(), static_cast<int>(memo.size()),
                                                        ansi.data(), 64, nullptr, &lossy)));
    ASSERT_FALSE(lossy) << "code page " << GetACP();
    std::string file = "[notes]\r\nmemo=" + ansi + "\r\n";
    writeIni(std::vector<uint8_t>(file.begin(), file.end()));
    ensureIniFile();
    EXPECT_EQ(iniString(L"notes", L"memo"), memo);
    EXPECT_EQ(iniBytes()[0], 0xFF);
}

TEST_F(IniFixture, OnlyAForeignFileTooLargeToConvertIsSetAside) {
    // A settings file of the user's, larger than any conversion would read, stays as it is.
    std::vector<uint8_t> large = {0xFF, 0xFE};
    std::vector<uint8_t> body = utf16le("[quellix]\r\nKeyEmu=1\r\n[big]\r\nfiller=");
    large.insert(large.end(), body.begin(), body.end());
    large.resize(17u << 20, 'x');
    writeIni(large);
    ensureIniFile();
    EXPECT_FALSE(exists(IniStore::kSetAsidePath));
    EXPECT_EQ(iniBytes(), large);

    // The same size in UTF-8 is set aside whole, and a new file started.
    std::vector<uint8_t> foreign(17u << 20, 'y');
    writeIni(foreign);
    ensureIniFile();
    EXPECT_EQ(iniBytes(IniStore::kSetAsidePath), foreign);
    EXPECT_EQ(iniBytes(), (std::vector<uint8_t>{0xFF, 0xFE, 0x0D, 0x00, 0x0A, 0x00}));
}

TEST_F(IniFixture, ScriptTooLargeToStoreFailsTheSaveAndKeepsTheStoredOne) {
    IniStore store;
    Settings settings;
    settings.qx_script = u"EXIT 1";
    ASSERT_TRUE(saveSettings(settings, store));
    settings.qx_script.assign(IniStore::kLargestScriptBytes / 2, u'a');
    settings.IntervalTimeMSec = 4321;
    EXPECT_FALSE(saveSettings(settings, store));
    Settings loaded;
    loadSettings(loaded, store);
    EXPECT_EQ(loaded.qx_script, u"EXIT 1");
    EXPECT_EQ(loaded.IntervalTimeMSec, 4321) << "the settings that could be stored were";
}

TEST_F(IniFixture, RewritesThatCannotBeCompletedLeaveTheFileUntouched) {
    // The rewrite cannot be made: a folder holds its name.
    ASSERT_TRUE(CreateDirectoryW(IniStore::kRewritePath, nullptr));
    std::vector<uint8_t> utf8 = utf8Bytes(L"[notes]\r\nmemo=メモ\r\n");
    writeIni(utf8);
    ensureIniFile();
    EXPECT_EQ(iniBytes(), utf8) << "converted in place";

    std::vector<uint8_t> utf16 = {0xFF, 0xFE};
    std::vector<uint8_t> body = utf16le("[quellix]\r\nKeyEmu=1\r\n");
    utf16.insert(utf16.end(), body.begin(), body.end());
    writeIni(utf16);
    IniStore store;
    Settings settings;
    settings.KeyEmu = 2;
    EXPECT_FALSE(saveSettings(settings, store));
    EXPECT_EQ(iniBytes(), utf16) << "written in place";

    ASSERT_TRUE(RemoveDirectoryW(IniStore::kRewritePath));
    EXPECT_TRUE(saveSettings(settings, store));
    EXPECT_EQ(iniString(L"quellix", L"KeyEmu"), L"2");
}

}  // namespace wavelith
