// The one process-wide record of user settings, its built-in initial values, and the table
// that says for every stored key its type, its default when absent and its check on load.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <variant>
#include <vector>

namespace wavelith {

// The Intelligibility that runs the user's script instead of a fixed shake pattern.
constexpr int32_t kScriptShakeMode = 12;

// Field names are the storage keys, exactly as stored.
struct Settings {
    int32_t IntervalTimeMSec = 50000;
    int32_t IntervalTimeMSec2 = 50000;
    int32_t MouseMovePixel = 1;
    int32_t KeyEmu = 0;
    bool ClickToPause = false;
    bool PauseByMouseMove = false;
    bool OpenShowDlg = false;
    bool OpenShowDlgTopmost = false;
    int32_t Intelligibility = 0;
    std::u16string qx_script;  // never absent: empty when nothing usable is stored
    int32_t OpenShowDlgAlpha = 255;
    int32_t OpenShowDlgAlpha2 = 255;
    int32_t OpenShowDlgLeft = -32000;
    int32_t OpenShowDlgTop = -32000;
    bool DisableShutdown = false;
    bool DisableShutdown_Check = false;
    bool DisableShutdown_Info = false;
    bool NoOpeningDlg = false;
    bool NoNotifyScriptSuspend = false;
    bool BIGDIALOG = false;
    int32_t LASTMOVE = 0;
    bool bDisableRemoteWaring = false;
    bool bDisableWhenUseFocusAssist = false;
    int32_t HOTKEY_PAUSE = 0;
    bool bTimeOff = false;
    int32_t dwTimeOffHour = 0;
    int32_t dwTimeOffMin = 0;
    int32_t dwTimeOffSec = 0;
    bool bTimeOn = false;
    int32_t dwTimeOnHour = 0;
    int32_t dwTimeOnMin = 0;
    int32_t dwTimeOnSec = 0;
    int32_t ReOnSec = 0;
    bool bPauseDouble = false;
    // Replacement tray icons: "path[,index]", or "-" for the built-in icon. Read only.
    std::u16string NotifyIconOn = u"-";
    std::u16string NotifyIconOff = u"-";
    // Withhold shakes and script runs while the session is locked.
    bool PauseWhileLocked = true;
    // Hold a system power request while running; with KeepDisplayOn the display's as well.
    bool KeepSystemAwake = false;
    bool KeepDisplayOn = false;
};

// The script worker reads qx_script while the main thread may replace it: every copy and
// replacement goes through these two, which hold the script-text lock.
std::u16string copyScriptText(const Settings& settings);
void replaceScriptText(Settings& settings, std::u16string text);
std::mutex& scriptTextLock();

enum class SettingType { Int32, Bool, Text, IconPath };

// What a load yields for a key that is not stored.
enum class AbsentDefault {
    Constant,            // absentValue
    FirstIntervalBound,  // the value just loaded for IntervalTimeMSec
    CurrentValue,        // whatever the field holds before loading
    EmptyText,
    BuiltInIcon,
};

enum class LoadCheck {
    None,
    Boolean,         // any non-zero value loads as 1
    Range,           // outside [minimum, maximum] loads as fallback
    HotkeyNormalise  // see normaliseHotkeyPause
};

using SettingField = std::variant<int32_t Settings::*, bool Settings::*, std::u16string Settings::*>;

struct SettingRow {
    const char* key;
    SettingType type;
    SettingField field;
    AbsentDefault absent;
    int32_t absentValue;
    LoadCheck check;
    int32_t minimum;
    int32_t maximum;
    int32_t fallback;
};

// Every stored key, in load order. ORDER SETTINGS: load and save walk this table.
const std::vector<SettingRow>& settingRows();
const SettingRow* findSettingRow(const std::string& key);

// The value a numeric key yields when it is not stored, given the record as loaded so far.
int32_t absentDefault(const SettingRow& row, const Settings& loadedSoFar);
// The value a numeric key holds after its load check.
int32_t checkedOnLoad(const SettingRow& row, int32_t stored);
// A hotkey with no modifier or a single one (Shift, Ctrl or Alt) becomes Ctrl+Alt+key,
// except for keypad and function keys, which are usable alone.
int32_t normaliseHotkeyPause(int32_t hotkey);

int32_t readNumber(const Settings& settings, const SettingRow& row);
void writeNumber(Settings& settings, const SettingRow& row, int32_t value);

}  // namespace wavelith
