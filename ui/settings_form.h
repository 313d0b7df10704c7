// The settings dialog without its window: the controls' values as plain data, filled from the
// Settings record; the interval filter and conversions; the checks of OK and Apply with the
// message each failure gives; and the apply step, which writes the record back and says what
// the program must then do, in order.
#pragma once

#include "settings/policy.h"
#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavelith {

// What the dialog's controls hold. Edits are kept as the text the user sees, since the checks
// of OK and Apply read them as the user left them.
struct SettingsForm {
    int intervalKind = 0;  // 1031, Japanese UI only: 0 one interval, 1 a random range
    std::u16string interval;   // 1001, in seconds
    std::u16string interval2;  // 1014
    bool keyboardMode = false;  // 1002
    int keyEmu = 0;             // 0, 1, 2: radio 1026, 1027, 1028
    int shakeMode = 0;          // 1030
    bool clickToPause = false;
    bool pauseByMouseMove = false;
    bool disableRemoteWarning = false;
    bool disableWhenFocusAssist = false;
    bool disableShutdown = false;
    bool shutdownConfirm = false;
    bool shutdownInfo = false;
    int32_t alpha = 255;   // track bar 1015
    int32_t alpha2 = 255;  // track bar 1016
    int32_t hotkey = 0;    // hot-key control 1029: low byte key, high byte modifiers
    bool timeOff = false;
    std::u16string timeOffFields[3];  // hour, minute, second
    bool timeOn = false;
    std::u16string timeOnFields[3];
    bool bigDialog = false;  // 1020, Japanese UI only
    std::u16string lastMove;  // 1006
    std::u16string reOnSec;   // 1021
    bool pauseDouble = false;
};

SettingsForm formFromSettings(const Settings& settings);

// Milliseconds as the interval edits show them in seconds: 50000 -> "50", 1500 -> "1.5",
// 1250 -> "1.25", 1234 -> "1.234".
std::u16string intervalText(int32_t milliseconds);
// The seconds typed into an interval edit, in milliseconds: the number times 1000, truncated
// as binary floating point truncates it. No number gives 0; 2147483.648 or more, or a
// negative number, gives a negative result.
int32_t intervalMilliseconds(std::u16string_view text);

// The interval edits accept digits and one decimal point, at most 7 digits before it and 3
// after. `changed` tells whether the text must be written back, with the caret at `caret`.
struct FilteredText {
    std::u16string text;
    size_t caret = 0;
    bool changed = false;
};
FilteredText filterIntervalText(std::u16string_view text, size_t caret);

enum class SettingsMessage {
    TimeOffInvalid,
    TimeOnInvalid,
    LastMoveInvalid,
    ReOnInvalid,
    IntervalInvalid,
    BigDialogCaption,
    BigDialogSwitchedOn,
    BigDialogSwitchedOff,
    NoSaveCaption,
    HotKeyNone,
    IntervalUnitRange,   // 1054 beside the lower bound of a random range
    IntervalUnitSingle,  // 1054 beside the one interval
    IntervalKindSingle,
    IntervalKindRange,
    Count  // ORDER SettingsMessage: keep last
};
std::u16string_view settingsMessage(SettingsMessage id, bool japanese);

// The entries of the how-to-shake list 1030; the index is Intelligibility.
std::vector<std::u16string> shakeModeEntries(bool japanese);
// The entries of the Japanese interval-kind list 1031.
std::vector<std::u16string> intervalKindEntries();
// (control id, tip) for every control that has one in this language. A control the policy
// governs says so: in place of its tip when the policy turns it off, after it otherwise.
std::vector<std::pair<int, std::u16string>> settingsTooltips(bool japanese, const Policy& policy = Policy());
// The controls the policy turns off whatever the form holds; their values stay the user's.
std::vector<int> policyLockedControls(const Policy& policy);

// The values OK and Apply take from the form, once every check has passed.
struct ValidatedValues {
    int32_t interval = 0;
    int32_t interval2 = 0;
    int32_t timeOff[3] = {0, 0, 0};
    int32_t timeOn[3] = {0, 0, 0};
    int32_t lastMove = 0;
    int32_t reOnSec = 0;
};

struct Validation {
    // The first check that failed; then nothing may be applied.
    std::optional<SettingsMessage> failure;
    // Out-of-range time fields of a cleared time switch are set to 0 and the dialog shows it.
    bool timeOffReset = false;
    bool timeOnReset = false;
    ValidatedValues values;
};
Validation validateForm(const SettingsForm& form, bool japanese);

// What the program does after the record has been written back, in this order.
enum class ApplyEffect {
    StopScript,             // the shake is no longer a script while a run is in progress
    RegisterHotkey,
    SetStatusOpacity,       // an open status dialog takes OpenShowDlgAlpha at once
    RestartCountdowns,      // idle and re-on countdowns from the new LASTMOVE and ReOnSec
    ExplainBigDialogOn,     // Japanese UI: BIGDIALOG was switched on
    ExplainBigDialogOff,
    RestartShakeTimer,
    KillShakeTimer,
    Save,
};

// Writes the form into the record (never qx_script) and returns what must follow.
std::vector<ApplyEffect> applyForm(const SettingsForm& form, const ValidatedValues& values, bool japanese,
                                   bool scriptRunning, Settings& settings);

// Which controls the form's check boxes enable, as (control id, enabled): the keyboard-mode
// rule, the script button, the shutdown and time-of-day groups, and what the policy turns off.
std::vector<std::pair<int, bool>> enabledControls(const SettingsForm& form, const Policy& policy = Policy());

// The help topics and programs the dialog's links open.
struct LinkAction {
    enum class Kind { None, Program, HelpTopic } kind = Kind::None;
    std::u16string file;        // a program, or a help page (with its anchor)
    std::u16string parameters;  // for a program
};
LinkAction linkAction(std::u16string_view linkId);
constexpr std::u16string_view kSettingsHelpTopic = u"HLP000017.html";

// The dialog's sideways wobble after the "tmhelp" link with Shift, Alt and Ctrl held: the
// offset in pixels from its left edge at each of kWobbleSteps steps of kWobbleStepMs.
constexpr int kWobbleSteps = 112;
constexpr int kWobbleStepMs = 5;
int wobbleOffset(int step);

}  // namespace wavelith
