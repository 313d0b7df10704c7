#include "app/tray_state.h"

#include "platform/text.h"

#include <cstdio>

namespace wavelith {

namespace {

std::u16string cut(std::u16string_view text, size_t limit) {
    if (text.size() <= limit) return std::u16string(text);
    size_t length = limit;
    bool splitsPair = text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF;
    if (splitsPair) --length;
    return std::u16string(text.substr(0, length));
}

}  // namespace

TrayMenuState trayMenuState(const Settings& settings, bool paused, bool japanese, bool keepAwakeAllowed) {
    TrayMenuState state;
    if (japanese)
        state.pauseLabel = settings.ClickToPause ? u"一時停止(&P)\tクリック" : u"一時停止(&P)";
    else
        state.pauseLabel = settings.ClickToPause ? u"&Pause\tClick" : u"&Pause";
    state.pauseChecked = paused;
    state.statusDialogChecked = settings.OpenShowDlg;
    state.pauseWhileLockedChecked = settings.PauseWhileLocked;
    state.keepSystemAwakeChecked = settings.KeepSystemAwake;
    state.keepSystemAwakeEnabled = keepAwakeAllowed;
    state.keepDisplayOnChecked = settings.KeepDisplayOn;
    state.keepDisplayOnEnabled = keepAwakeAllowed && settings.KeepSystemAwake;
    return state;
}

std::u16string clockText(const LocalTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(time.hour % 100),
                  static_cast<int>(time.minute % 100), static_cast<int>(time.second % 100));
    return utf8ToUtf16(text);
}

std::u16string trayTooltip(std::u16string_view displayName, TrayActivity activity,
                           const std::optional<LocalTime>& lastShake, bool japanese) {
    static constexpr std::u16string_view kStates[2][3] = {{u"running", u"paused", u"locked"},
                                                          {u"動作中", u"一時停止中", u"ロック中"}};
    std::u16string tip(displayName);
    tip += u" — ";
    tip += kStates[japanese ? 1 : 0][static_cast<int>(activity)];
    if (lastShake) {
        tip += japanese ? u"、最後の揺れ " : u", last shake ";
        tip += clockText(*lastShake);
    }
    return tip;
}

std::u16string noticeText(std::u16string_view text) { return cut(text, 255); }

std::u16string tooltipText(std::u16string_view text) { return cut(text, 127); }

std::optional<IconSource> parseIconSetting(std::u16string_view setting) {
    if (setting == u"-") return std::nullopt;
    IconSource source;
    size_t comma = setting.find(u',');
    source.path = std::u16string(setting.substr(0, comma));
    if (comma != std::u16string_view::npos) source.index = parseDecimalArgument(setting.substr(comma + 1));
    return source;
}

PauseMode pauseModeOfControlMessage(intptr_t argument) {
    if (argument == 1) return PauseMode::TurnOn;
    if (argument == 2) return PauseMode::TurnOff;
    return PauseMode::Toggle;
}

}  // namespace wavelith
