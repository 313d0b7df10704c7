#include "ui/settings_form.h"

#include "platform/message_table.h"
#include "resources/resource.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace wavelith {

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;

// ORDER SettingsMessage
constexpr MessageTexts<SettingsMessage> kMessages[] = {
    {SettingsMessage::TimeOffInvalid, u"Please specify the time from 00:00:00 to 23:59:59.",
     u"機能をオフにする時刻は、00:00:00 から 23:59:59 までの間で指定してください。"},
    {SettingsMessage::TimeOnInvalid, u"Please specify the time from 00:00:00 to 23:59:59.",
     u"機能をオンにする時刻は、00:00:00 から 23:59:59 までの間で指定してください。"},
    {SettingsMessage::LastMoveInvalid,
     u"Mouse stationary monitoring timer is invalid number. Please specify between 0 and 2147483.",
     u"マウスの静止を監視する秒数が正しくありません。0 から 2147483 までの間で指定してください。"},
    {SettingsMessage::ReOnInvalid, u"Restarting timer is invalid number. Please specify between 0 and 2147483.",
     u"機能をオンに戻すまでの秒数が正しくありません。0 から 2147483 までの間で指定してください。"},
    {SettingsMessage::IntervalInvalid,
     u"IntervalTime is invalid number. Please specify between 0 and 2147483.647.",
     u"揺らす間隔の秒数が正しくありません。0 から 2147483.647 までの間で指定してください。"},
    {SettingsMessage::BigDialogCaption, u"設定画面強制拡大", u"設定画面強制拡大"},
    {SettingsMessage::BigDialogSwitchedOn,
     u"Enlarging the settings dialog is a feature under test. From its next opening the dialog is enlarged to "
     u"fit the screen; some of its layout may look wrong.",
     u"設定画面強制拡大は試験中の機能です。次回設定画面を開いたときから、画面に合わせて設定画面を拡大します。"
     u"レイアウトが一部崩れることがあります。"},
    {SettingsMessage::BigDialogSwitchedOff, u"From the next opening the settings dialog returns to its normal size.",
     u"次回設定画面を開いたときから、元のサイズに戻ります。"},
    {SettingsMessage::NoSaveCaption, u"Settings - Wavelith (Non-save mode)",
     u"ウェーブリス（非保存モードで動作中のため、設定は保存されません）"},
    {SettingsMessage::HotKeyNone, u"-None-", u"なし"},
    {SettingsMessage::IntervalUnitRange, u"seconds -", u"秒～"},
    {SettingsMessage::IntervalUnitSingle, u"seconds(0 - 2147483.647)", u"秒(0～2147483.647)"},
    {SettingsMessage::IntervalKindSingle, u"Shake at a fixed interval:", u"次の秒数ごとにマウスを揺らす:"},
    {SettingsMessage::IntervalKindRange, u"Shake at a random interval between two:",
     u"次の二つの秒数の間で、毎回ランダムな秒数ごとに揺らす:"},
};

static_assert(isCompleteInIdOrder(kMessages), "every SettingsMessage needs its two texts, in id order");

std::u16string ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string unsignedText(int32_t value) { return ascii(std::to_string(static_cast<uint32_t>(value))); }

// An edit read as an unsigned number. Empty reads as 0; text that is not a number, or a
// number beyond 32 bits, is nothing, so that it fails its range check instead of passing as 0.
std::optional<uint32_t> unsignedNumber(std::u16string_view text) {
    size_t begin = text.find_first_not_of(u' ');
    if (begin == std::u16string_view::npos) return 0u;
    size_t end = text.find_last_not_of(u' ') + 1;
    uint64_t value = 0;
    for (size_t i = begin; i < end; ++i) {
        char16_t c = text[i];
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One pass over the first 14 characters; see filterIntervalText.
FilteredText filterOnce(std::u16string_view text, size_t caret) {
    FilteredText result{std::u16string(), caret, false};
    bool seenPoint = false;
    int digitsBefore = 0, digitsAfter = 0;
    size_t examined = text.size() < 14 ? text.size() : 14;
    for (size_t i = 0; i < examined; ++i) {
        char16_t c = text[i];
        if (isDigit(c)) {
            int& count = seenPoint ? digitsAfter : digitsBefore;
            if (++count > (seenPoint ? 3 : 7)) {
                // Cut before this digit: what follows it goes, the caret stays.
                result.changed = true;
                if (result.caret > result.text.size()) result.caret = result.text.size();
                return result;
            }
            result.text.push_back(c);
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            result.text.push_back(c);
        } else {
            result.changed = true;
            if (i < caret && result.caret > 0) --result.caret;
        }
    }
    result.text.append(text.substr(examined));
    return result;
}

}  // namespace

std::u16string_view settingsMessage(SettingsMessage id, bool japanese) { return messageText(kMessages, id, japanese); }

std::u16string intervalText(int32_t milliseconds) {
    // Stored values outside what the dialog accepts still show as a number, with their sign.
    int64_t value = milliseconds;
    std::string sign = value < 0 ? "-" : "";
    uint64_t magnitude = static_cast<uint64_t>(value < 0 ? -value : value);
    uint64_t whole = magnitude / 1000, fraction = magnitude % 1000;
    std::string text = sign + std::to_string(whole);
    if (fraction == 0) return ascii(text);
    char digits[8];
    if (fraction % 100 == 0)
        std::snprintf(digits, sizeof digits, ".%d", static_cast<int>(fraction / 100));
    else if (fraction % 10 == 0)
        std::snprintf(digits, sizeof digits, ".%02d", static_cast<int>(fraction / 10));
    else
        std::snprintf(digits, sizeof digits, ".%03d", static_cast<int>(fraction));
    return ascii(text + digits);
}

int32_t intervalMilliseconds(std::u16string_view text) {
    std::string narrow;
    for (char16_t c : text.substr(0, 80)) {
        if (c > 0x7F) break;  // a number never goes on past a character outside ASCII
        narrow.push_back(static_cast<char>(c));
    }
    const char* start = narrow.c_str();
    char* end = nullptr;
    double seconds = std::strtod(start, &end);
    if (end == start) return 0;
    double product = seconds * 1000.0;
    // What a 32-bit truncating conversion gives for values it cannot hold.
    if (!(product > -2147483649.0 && product < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(product);
}

FilteredText filterIntervalText(std::u16string_view text, size_t caret) {
    FilteredText result = filterOnce(text, caret);
    // Writing the text back filters it again, so a long paste is cleaned 14 characters at a time.
    while (result.changed) {
        FilteredText again = filterOnce(result.text, result.caret);
        if (!again.changed) break;
        result.text = std::move(again.text);
        result.caret = again.caret;
    }
    return result;
}

SettingsForm formFromSettings(const Settings& settings) {
    SettingsForm form;
    form.intervalKind = settings.IntervalTimeMSec2 == settings.IntervalTimeMSec ? 0 : 1;
    form.interval = intervalText(settings.IntervalTimeMSec);
    form.interval2 = intervalText(settings.IntervalTimeMSec2);
    form.keyboardMode = settings.MouseMovePixel == 0;
    form.keyEmu = settings.KeyEmu == 1 ? 1 : settings.KeyEmu == 2 ? 2 : 0;
    form.shakeMode =
        settings.Intelligibility >= 0 && settings.Intelligibility <= kScriptShakeMode ? settings.Intelligibility : 0;
    form.clickToPause = settings.ClickToPause;
    form.pauseByMouseMove = settings.PauseByMouseMove;
    form.disableRemoteWarning = settings.bDisableRemoteWaring;
    form.disableWhenFocusAssist = settings.bDisableWhenUseFocusAssist;
    form.disableShutdown = settings.DisableShutdown;
    form.shutdownConfirm = settings.DisableShutdown_Check;
    form.shutdownInfo = settings.DisableShutdown_Info;
    form.alpha = settings.OpenShowDlgAlpha;
    form.alpha2 = settings.OpenShowDlgAlpha2;
    form.hotkey = settings.HOTKEY_PAUSE;
    form.timeOff = settings.bTimeOff;
    form.timeOffFields[0] = unsignedText(settings.dwTimeOffHour);
    form.timeOffFields[1] = unsignedText(settings.dwTimeOffMin);
    form.timeOffFields[2] = unsignedText(settings.dwTimeOffSec);
    form.timeOn = settings.bTimeOn;
    form.timeOnFields[0] = unsignedText(settings.dwTimeOnHour);
    form.timeOnFields[1] = unsignedText(settings.dwTimeOnMin);
    form.timeOnFields[2] = unsignedText(settings.dwTimeOnSec);
    form.bigDialog = settings.BIGDIALOG;
    form.lastMove = unsignedText(settings.LASTMOVE);
    form.reOnSec = unsignedText(settings.ReOnSec);
    form.pauseDouble = settings.bPauseDouble;
    return form;
}

namespace {

// A time of day from three fields; nothing when a field is out of range or not a number.
std::optional<std::vector<int32_t>> timeOfDay(const std::u16string (&fields)[3]) {
    const uint32_t limits[3] = {23, 59, 59};
    std::vector<int32_t> values;
    for (int i = 0; i < 3; ++i) {
        std::optional<uint32_t> value = unsignedNumber(fields[i]);
        if (!value || *value > limits[i]) return std::nullopt;
        values.push_back(static_cast<int32_t>(*value));
    }
    return values;
}

std::optional<int32_t> countdownSeconds(std::u16string_view text) {
    std::optional<uint32_t> value = unsignedNumber(text);
    if (!value || *value >= 2147484u) return std::nullopt;
    return static_cast<int32_t>(*value);
}

}  // namespace

Validation validateForm(const SettingsForm& form, bool japanese) {
    Validation result;
    ValidatedValues& values = result.values;

    struct TimeCheck {
        bool ticked;
        const std::u16string (&fields)[3];
        int32_t (&into)[3];
        bool& reset;
        SettingsMessage failure;
    };
    const TimeCheck checks[] = {
        {form.timeOff, form.timeOffFields, values.timeOff, result.timeOffReset, SettingsMessage::TimeOffInvalid},
        {form.timeOn, form.timeOnFields, values.timeOn, result.timeOnReset, SettingsMessage::TimeOnInvalid},
    };
    for (const TimeCheck& check : checks) {
        if (auto time = timeOfDay(check.fields)) {
            for (int i = 0; i < 3; ++i) check.into[i] = (*time)[i];
        } else if (check.ticked) {
            result.failure = check.failure;
            return result;
        } else {
            check.reset = true;  // a switch that is off keeps no bad time
        }
    }

    auto lastMove = countdownSeconds(form.lastMove);
    if (!lastMove) {
        result.failure = SettingsMessage::LastMoveInvalid;
        return result;
    }
    values.lastMove = *lastMove;
    auto reOn = countdownSeconds(form.reOnSec);
    if (!reOn) {
        result.failure = SettingsMessage::ReOnInvalid;
        return result;
    }
    values.reOnSec = *reOn;

    values.interval = intervalMilliseconds(form.interval);
    bool separateBounds = !japanese || form.intervalKind == 1;
    values.interval2 = separateBounds ? intervalMilliseconds(form.interval2) : values.interval;
    if (values.interval < 0 || values.interval2 < 0) result.failure = SettingsMessage::IntervalInvalid;
    return result;
}

std::vector<ApplyEffect> applyForm(const SettingsForm& form, const ValidatedValues& values, bool japanese,
                                   bool scriptRunning, Settings& settings) {
    std::vector<ApplyEffect> effects;
    settings.IntervalTimeMSec = values.interval;
    settings.IntervalTimeMSec2 = values.interval2;
    settings.MouseMovePixel = form.keyboardMode ? 0 : 1;
    settings.KeyEmu = form.keyEmu;
    settings.ClickToPause = form.clickToPause;
    settings.PauseByMouseMove = form.pauseByMouseMove;
    settings.bDisableRemoteWaring = form.disableRemoteWarning;
    settings.bDisableWhenUseFocusAssist = form.disableWhenFocusAssist;
    settings.Intelligibility = form.shakeMode;
    if (form.shakeMode != kScriptShakeMode && scriptRunning) effects.push_back(ApplyEffect::StopScript);
    settings.DisableShutdown = form.disableShutdown;
    settings.DisableShutdown_Check = form.shutdownConfirm;
    settings.DisableShutdown_Info = form.shutdownInfo;
    settings.OpenShowDlgAlpha = form.alpha;
    settings.OpenShowDlgAlpha2 = form.alpha2;
    settings.HOTKEY_PAUSE = form.hotkey;
    effects.push_back(ApplyEffect::RegisterHotkey);
    settings.bTimeOff = form.timeOff;
    settings.dwTimeOffHour = values.timeOff[0];
    settings.dwTimeOffMin = values.timeOff[1];
    settings.dwTimeOffSec = values.timeOff[2];
    settings.bTimeOn = form.timeOn;
    settings.dwTimeOnHour = values.timeOn[0];
    settings.dwTimeOnMin = values.timeOn[1];
    settings.dwTimeOnSec = values.timeOn[2];
    bool bigDialogBefore = settings.BIGDIALOG;
    settings.BIGDIALOG = japanese && form.bigDialog;  // the English template has no such box
    effects.push_back(ApplyEffect::SetStatusOpacity);
    settings.LASTMOVE = values.lastMove;
    settings.ReOnSec = values.reOnSec;
    effects.push_back(ApplyEffect::RestartCountdowns);
    settings.bPauseDouble = form.pauseDouble;
    if (japanese && settings.BIGDIALOG != bigDialogBefore)
        effects.push_back(settings.BIGDIALOG ? ApplyEffect::ExplainBigDialogOn : ApplyEffect::ExplainBigDialogOff);
    bool timed = settings.IntervalTimeMSec != 0 || settings.IntervalTimeMSec2 != 0;
    effects.push_back(timed ? ApplyEffect::RestartShakeTimer : ApplyEffect::KillShakeTimer);
    effects.push_back(ApplyEffect::Save);
    return effects;
}

std::vector<int> policyLockedControls(const Policy& policy) {
    std::vector<int> locked;
    if (!shutdownBlockAllowed(policy)) locked.insert(locked.end(), {IDC_DISABLE_SHUTDOWN, IDC_SHUTDOWN_CONFIRM, IDC_SHUTDOWN_INFO});
    if (policy.DisableScripts) locked.push_back(IDC_EDIT_SCRIPT);
    return locked;
}

std::vector<std::pair<int, bool>> enabledControls(const SettingsForm& form, const Policy& policy) {
    std::vector<std::pair<int, bool>> states = {
        {IDC_SHAKE_MODE_LABEL, !form.keyboardMode}, {IDC_SHAKE_MODE, !form.keyboardMode},
        {IDC_KEY_SHIFT, form.keyboardMode},         {IDC_KEY_SCROLL_LOCK, form.keyboardMode},
        {IDC_KEY_PAUSE, form.keyboardMode},         {IDC_EDIT_SCRIPT, form.shakeMode == kScriptShakeMode},
        {IDC_SHUTDOWN_CONFIRM, form.disableShutdown}, {IDC_SHUTDOWN_INFO, form.disableShutdown},
    };
    for (int id : {IDC_TIME_OFF_HOUR, IDC_TIME_OFF_MIN, IDC_TIME_OFF_SEC, IDC_TIME_OFF_SEP1, IDC_TIME_OFF_SEP2,
                   IDC_TIME_OFF_SEP3})
        states.emplace_back(id, form.timeOff);
    for (int id : {IDC_TIME_ON_HOUR, IDC_TIME_ON_MIN, IDC_TIME_ON_SEC, IDC_TIME_ON_SEP1, IDC_TIME_ON_SEP2,
                   IDC_TIME_ON_SEP3})
        states.emplace_back(id, form.timeOn);
    for (int id : policyLockedControls(policy)) {
        auto state = std::find_if(states.begin(), states.end(), [id](const auto& entry) { return entry.first == id; });
        if (state == states.end()) states.emplace_back(id, false);
        else state->second = false;
    }
    return states;
}

std::vector<std::u16string> shakeModeEntries(bool japanese) {
    if (!japanese)
        return {u"Minimum swing width(Mouse event occurs)",
                u"Sways Intelligibly",
                u"Shake 1 pixel",
                u"Minimum swing width and moving mouse wheel",
                u"Minimum swing width and click",
                u"Minimum swing width and double click",
                u"Minimum swing width and right button click",
                u"Minimum swing width and middle button click",
                u"Minimum swing width and X-button1 click",
                u"Minimum swing width and X-button2 click",
                u"Minimum swing width and X-button1->2->1->2... click",
                u"Swing carefully",
                u"Customizing by Script(DO-Rozude)"};
    return {u"最小の揺れ幅（マウスイベントが発生し、カーソルはすぐ元の位置に戻ります）",
            u"わかりやすく揺らす（目に見える大きさで揺らします。普段の操作の妨げになることがあります）",
            u"1 ピクセル揺らす（カーソルは次回まで動いたままになります）",
            u"最小の揺れ幅とマウスホイールの回転",
            u"最小の揺れ幅とクリック",
            u"最小の揺れ幅とダブルクリック",
            u"最小の揺れ幅と右ボタンのクリック",
            u"最小の揺れ幅と中ボタンのクリック",
            u"最小の揺れ幅と X ボタン 1 のクリック（ブラウザーでは多くの場合「戻る」のボタン）",
            u"最小の揺れ幅と X ボタン 2 のクリック（ブラウザーでは多くの場合「進む」のボタン）",
            u"最小の揺れ幅と X ボタン 1→2→1→2… のクリック（X ボタン 1 と 2 を交互に）",
            u"慎重に揺らす（四角形を描くように、控えめながら目に見える動き）",
            u"スクリプトでカスタマイズ（DO-Rozude を使います。下のボタンを押してください）"};
}

std::vector<std::u16string> intervalKindEntries() {
    return {std::u16string(settingsMessage(SettingsMessage::IntervalKindSingle, true)),
            std::u16string(settingsMessage(SettingsMessage::IntervalKindRange, true))};
}

namespace {

std::vector<std::pair<int, std::u16string>> usualTooltips(bool japanese) {
    if (!japanese)
        return {
            {IDC_INTERVAL, u"Specifies the interval at which shake the mouse(or touch the keyboard)."},
            {IDC_INTERVAL2,
             u"If you specify a different number of seconds from the above, the mouse will shake with a random "
             u"number of seconds between the upper and lower seconds."},
            {IDC_KEYBOARD_MODE, u"Does not operate the mouse, operates the keyboard."},
            {IDC_SHAKE_MODE,
             u"You can keep the position of the mouse cursor changed, or increase the amount of movement of the "
             u"mouse so that the mouse moves so as to draw the four corners of the square. If you use something "
             u"other than the default, the mouse may not move depending on the position of the mouse. It may also "
             u"interfere with the user's mouse operation."},
            {IDC_DISABLE_SHUTDOWN, u"Returns False when Windows sends WM_QUERYENDSESSION message."},
            {IDC_SHUTDOWN_CONFIRM, u"Confirmes their intention to the user in the confirmation dialog."},
            {IDC_SHUTDOWN_INFO, u"Reports the success of the end rejected by the user."},
            {IDC_CLICK_TO_PAUSE, u"If you select this check box, you can pause from the task tray icon."},
            {IDC_PAUSE_BY_MOUSE_MOVE,
             u"Turn off the function when the user notices that the mouse cursor has changed due to moving the "
             u"mouse or using other emulation software."},
            {IDC_STARTUP_SHORTCUT, u"Starts up this program when you log on Windows."},
            {IDC_DESKTOP_SHORTCUT, u"Starts up this program when you open the desktop icon."},
            {IDC_REON,
             u"After the temporary function is turned off, the function is turned on after a specified number of "
             u"seconds."},
            {IDC_PAUSE_DOUBLE,
             u"When a function is temporarily turned off, if the function is turned off again, the countdown to "
             u"automatically turn on the function is restarted."},
            {IDC_LASTMOVE,
             u"Stop shaking the mouse temporarily after the number of seconds specified here has passed without the "
             u"user moving the mouse. Move it again to resume. The keyboard is not perceived."},
            {kOk, u"Saves changes and close this dialog box."},
            {IDC_APPLY, u"Saves changes."},
            {kCancel, u"Closes this dialog box without saving changes."},
            {IDC_HELP_BUTTON, u"Displays Japanese Help."},
        };
    return {
        {IDC_INTERVAL, u"マウスを揺らす（またはキーボードに触れる）間隔を指定します。"},
        {IDC_INTERVAL2, u"上と違う秒数を指定すると、二つの秒数の間のランダムな秒数ごとにマウスを揺らします。"},
        {IDC_KEYBOARD_MODE, u"マウスを動かさず、キーボードを操作します。"},
        {IDC_SHAKE_MODE,
         u"マウスカーソルの位置を変えたままにしたり、四角形の四隅を描くように大きく動かしたりできます。既定以外を"
         u"選ぶと、マウスの位置によっては動かないことがあります。また、利用者のマウス操作の妨げになることがあります。"},
        {IDC_DISABLE_SHUTDOWN, u"Windows から WM_QUERYENDSESSION が送られてきたとき、拒否（FALSE）を返します。"},
        {IDC_SHUTDOWN_CONFIRM, u"シャットダウンを阻止してよいか、確認ダイアログで利用者に尋ねます。"},
        {IDC_SHUTDOWN_INFO, u"利用者の代わりにシャットダウンを阻止できたことを知らせます。"},
        {IDC_CLICK_TO_PAUSE, u"チェックすると、タスクトレイのアイコンのクリックで一時停止できます。"},
        {IDC_HOTKEY, u"このキーの組み合わせを押すたびに、一時停止と再開が切り替わります。"},
        {IDC_PAUSE_BY_MOUSE_MOVE,
         u"マウスを動かしたり、ほかのエミュレーションソフトを使ったりしてマウスカーソルの位置が変わったら、機能を"
         u"オフにします。有効にしてから 5 秒間は猶予があります。"},
        {IDC_TIME_OFF, u"毎日、指定した時刻に機能をオフにします。"},
        {IDC_TIME_ON, u"毎日、指定した時刻に機能をオンにします。"},
        {IDC_REMOTE_WARNING, u"リモートデスクトップ接続中にマウスを揺らさないときの警告を表示しません。"},
        {IDC_STARTUP_SHORTCUT, u"Windows にログオンしたときに、このプログラムを起動します。"},
        {IDC_DESKTOP_SHORTCUT, u"デスクトップのアイコンから、このプログラムを起動できるようにします。"},
        {IDC_REON, u"一時的に機能がオフになってから、指定した秒数が過ぎると機能をオンに戻します。"},
        {IDC_PAUSE_DOUBLE, u"一時的にオフの間にもう一度オフにされたら、自動でオンに戻すまでのカウントダウンをやり直します。"},
        {IDC_LASTMOVE,
         u"利用者がマウスを動かさないまま、ここで指定した秒数が過ぎたら、マウスを揺らすのを一時的にやめます。"
         u"マウスを動かすと再開します。キーボードの操作は検知しません。"},
        {IDC_BIG_DIALOG, u"設定画面を画面の大きさに合わせて拡大します（試験中の機能です）。"},
        {kOk, u"変更を保存して、このダイアログボックスを閉じます。"},
        {IDC_APPLY, u"変更を保存します。"},
        {kCancel, u"変更を保存せずに、このダイアログボックスを閉じます。"},
        {IDC_HELP_BUTTON, u"ヘルプを表示します。"},
    };
}

std::u16string policyText(PolicyMessage id, bool japanese) { return std::u16string(policyMessage(id, japanese)); }

}  // namespace

std::vector<std::pair<int, std::u16string>> settingsTooltips(bool japanese, const Policy& policy) {
    std::vector<std::pair<int, std::u16string>> tips = usualTooltips(japanese);
    auto tipOf = [&tips](int id) -> std::u16string& {
        for (auto& [controlId, text] : tips)
            if (controlId == id) return text;
        return tips.emplace_back(id, std::u16string()).second;
    };
    auto addNote = [&](int id, const std::u16string& note) {
        std::u16string& tip = tipOf(id);
        tip = tip.empty() ? note : tip + u"\r\n" + note;
    };
    for (int id : policyLockedControls(policy)) tipOf(id) = policyText(PolicyMessage::SetByAdministrator, japanese);
    if (policy.MinimumIntervalMSec > 0) {
        std::u16string note = policyText(PolicyMessage::MinimumIntervalTip, japanese) +
                              intervalText(policy.MinimumIntervalMSec) +
                              policyText(PolicyMessage::MinimumIntervalTipEnd, japanese);
        addNote(IDC_INTERVAL, note);
        addNote(IDC_INTERVAL2, note);
    }
    if (policy.DisableScripts) addNote(IDC_SHAKE_MODE, policyText(PolicyMessage::ScriptsTurnedOffTip, japanese));
    return tips;
}

LinkAction linkAction(std::u16string_view linkId) {
    using Kind = LinkAction::Kind;
    if (linkId == u"scsv") return {Kind::Program, u"control.exe", u"desk.cpl,,1"};
    if (linkId == u"sleep")
        return {Kind::Program, u"control.exe", u"/name Microsoft.PowerOptions /page pagePlanSettings"};
    if (linkId == u"tmrun") return {Kind::Program, u"taskschd.msc", u"/s"};
    if (linkId == u"admhelp") return {Kind::HelpTopic, u"HLP000006.html#admin", u""};
    if (linkId == u"tmhelp") return {Kind::HelpTopic, u"HLP000013.html", u""};
    return {};
}

int wobbleOffset(int step) {
    static constexpr int kOffsets[28] = {0, 2, 4, 6, 7, 8, 9, 10, 9, 8, 7, 6, 4, 2,
                                         0, -2, -4, -6, -7, -8, -9, -10, -9, -8, -7, -6, -4, -2};
    return kOffsets[((step % 28) + 28) % 28];
}

}  // namespace wavelith
