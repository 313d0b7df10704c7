#include "app/tray_state.h"

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

TrayMenuState trayMenuState(const Settings& settings, bool paused, bool japanese) {
    TrayMenuState state;
    if (japanese)
        state.pauseLabel = settings.ClickToPause ? u"一時停止(&P)\tクリック" : u"一時停止(&P)";
    else
        state.pauseLabel = settings.ClickToPause ? u"&Pause\tClick" : u"&Pause";
    state.pauseChecked = paused;
    state.statusDialogChecked = settings.OpenShowDlg;
    return state;
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
