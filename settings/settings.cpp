#include "settings/settings.h"

#include <cstring>

namespace wavelith {

std::mutex& scriptTextLock() {
    static std::mutex lock;
    return lock;
}

std::u16string copyScriptText(const Settings& settings) {
    std::lock_guard<std::mutex> hold(scriptTextLock());
    return settings.qx_script;
}

void replaceScriptText(Settings& settings, std::u16string text) {
    std::lock_guard<std::mutex> hold(scriptTextLock());
    settings.qx_script.swap(text);
}

namespace {

SettingRow number(const char* key, int32_t Settings::*field, int32_t absentValue) {
    return {key, SettingType::Int32, field, AbsentDefault::Constant, absentValue, LoadCheck::None, 0, 0, 0};
}
SettingRow ranged(const char* key, int32_t Settings::*field, int32_t absentValue, int32_t minimum,
                  int32_t maximum, int32_t fallback) {
    return {key, SettingType::Int32, field, AbsentDefault::Constant, absentValue, LoadCheck::Range,
            minimum, maximum, fallback};
}
SettingRow flag(const char* key, bool Settings::*field) {
    return {key, SettingType::Bool, field, AbsentDefault::Constant, 0, LoadCheck::Boolean, 0, 0, 0};
}

std::vector<SettingRow> makeRows() {
    std::vector<SettingRow> rows = {
        number("IntervalTimeMSec", &Settings::IntervalTimeMSec, 50000),
        {"IntervalTimeMSec2", SettingType::Int32, &Settings::IntervalTimeMSec2,
         AbsentDefault::FirstIntervalBound, 0, LoadCheck::None, 0, 0, 0},
        number("MouseMovePixel", &Settings::MouseMovePixel, 1),
        number("KeyEmu", &Settings::KeyEmu, 0),
        flag("ClickToPause", &Settings::ClickToPause),
        flag("PauseByMouseMove", &Settings::PauseByMouseMove),
        flag("OpenShowDlg", &Settings::OpenShowDlg),
        flag("OpenShowDlgTopmost", &Settings::OpenShowDlgTopmost),
        ranged("Intelligibility", &Settings::Intelligibility, 0, 0, 12, 0),
        {"qx_script", SettingType::Text, &Settings::qx_script, AbsentDefault::EmptyText, 0,
         LoadCheck::None, 0, 0, 0},
        ranged("OpenShowDlgAlpha", &Settings::OpenShowDlgAlpha, 255, 0, 255, 255),
        ranged("OpenShowDlgAlpha2", &Settings::OpenShowDlgAlpha2, 255, 0, 255, 255),
        number("OpenShowDlgLeft", &Settings::OpenShowDlgLeft, 32000),
        number("OpenShowDlgTop", &Settings::OpenShowDlgTop, 32000),
        flag("DisableShutdown", &Settings::DisableShutdown),
        flag("DisableShutdown_Check", &Settings::DisableShutdown_Check),
        flag("DisableShutdown_Info", &Settings::DisableShutdown_Info),
        flag("NoOpeningDlg", &Settings::NoOpeningDlg),
        flag("NoNotifyScriptSuspend", &Settings::NoNotifyScriptSuspend),
        {"BIGDIALOG", SettingType::Bool, &Settings::BIGDIALOG, AbsentDefault::CurrentValue, 0,
         LoadCheck::Boolean, 0, 0, 0},
        {"LASTMOVE", SettingType::Int32, &Settings::LASTMOVE, AbsentDefault::CurrentValue, 0,
         LoadCheck::None, 0, 0, 0},
        flag("bDisableRemoteWaring", &Settings::bDisableRemoteWaring),
        flag("bDisableWhenUseFocusAssist", &Settings::bDisableWhenUseFocusAssist),
        {"HOTKEY_PAUSE", SettingType::Int32, &Settings::HOTKEY_PAUSE, AbsentDefault::Constant, 0,
         LoadCheck::HotkeyNormalise, 0, 0, 0},
        flag("bTimeOff", &Settings::bTimeOff),
        ranged("dwTimeOffHour", &Settings::dwTimeOffHour, 0, 0, 23, 0),
        ranged("dwTimeOffMin", &Settings::dwTimeOffMin, 0, 0, 59, 0),
        ranged("dwTimeOffSec", &Settings::dwTimeOffSec, 0, 0, 59, 0),
        flag("bTimeOn", &Settings::bTimeOn),
        ranged("dwTimeOnHour", &Settings::dwTimeOnHour, 0, 0, 23, 0),
        ranged("dwTimeOnMin", &Settings::dwTimeOnMin, 0, 0, 59, 0),
        ranged("dwTimeOnSec", &Settings::dwTimeOnSec, 0, 0, 59, 0),
        number("ReOnSec", &Settings::ReOnSec, 0),
        flag("bPauseDouble", &Settings::bPauseDouble),
        {"NotifyIconOn", SettingType::IconPath, &Settings::NotifyIconOn, AbsentDefault::BuiltInIcon, 0,
         LoadCheck::None, 0, 0, 0},
        {"NotifyIconOff", SettingType::IconPath, &Settings::NotifyIconOff, AbsentDefault::BuiltInIcon, 0,
         LoadCheck::None, 0, 0, 0},
        {"PauseWhileLocked", SettingType::Bool, &Settings::PauseWhileLocked, AbsentDefault::Constant, 1,
         LoadCheck::Boolean, 0, 0, 0},
        flag("KeepSystemAwake", &Settings::KeepSystemAwake),
        flag("KeepDisplayOn", &Settings::KeepDisplayOn),
    };
    return rows;
}

}  // namespace

const std::vector<SettingRow>& settingRows() {
    static const std::vector<SettingRow> rows = makeRows();
    return rows;
}

const SettingRow* findSettingRow(const std::string& key) {
    for (const SettingRow& row : settingRows())
        if (key == row.key) return &row;
    return nullptr;
}

int32_t readNumber(const Settings& settings, const SettingRow& row) {
    if (auto field = std::get_if<int32_t Settings::*>(&row.field)) return settings.*(*field);
    if (auto field = std::get_if<bool Settings::*>(&row.field)) return settings.*(*field) ? 1 : 0;
    return 0;
}

void writeNumber(Settings& settings, const SettingRow& row, int32_t value) {
    if (auto field = std::get_if<int32_t Settings::*>(&row.field)) settings.*(*field) = value;
    else if (auto field = std::get_if<bool Settings::*>(&row.field)) settings.*(*field) = value != 0;
}

int32_t absentDefault(const SettingRow& row, const Settings& loadedSoFar) {
    switch (row.absent) {
        case AbsentDefault::FirstIntervalBound: return loadedSoFar.IntervalTimeMSec;
        case AbsentDefault::CurrentValue: return readNumber(loadedSoFar, row);
        case AbsentDefault::Constant:
        case AbsentDefault::EmptyText:
        case AbsentDefault::BuiltInIcon: break;
    }
    return row.absentValue;
}

int32_t normaliseHotkeyPause(int32_t hotkey) {
    if (hotkey == 0) return 0;
    uint32_t bits = static_cast<uint32_t>(hotkey);
    uint32_t key = bits & 0xFF;
    uint32_t modifiers = (bits >> 8) & 0xFF;
    bool singleOrNoModifier = modifiers == 0 || modifiers == 1 || modifiers == 2 || modifiers == 4;
    bool usableAlone = (key >= 0x60 && key <= 0x69) || key == 0x6A || key == 0x6B || key == 0x6D ||
                       key == 0x6F || (key >= 0x70 && key <= 0x87);
    if (singleOrNoModifier && !usableAlone) return static_cast<int32_t>(key | 0x0600);
    return hotkey;
}

int32_t checkedOnLoad(const SettingRow& row, int32_t stored) {
    switch (row.check) {
        case LoadCheck::None: return stored;
        case LoadCheck::Boolean: return stored != 0 ? 1 : 0;
        case LoadCheck::Range: return stored < row.minimum || stored > row.maximum ? row.fallback : stored;
        case LoadCheck::HotkeyNormalise: return normaliseHotkeyPause(stored);
    }
    return stored;
}

}  // namespace wavelith
