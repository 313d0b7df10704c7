#include "app/command_line.h"

#include <limits>

namespace wavelith {

namespace {

char16_t upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

bool isSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

}  // namespace

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

TailSwitch classifyTail(std::u16string_view tail) {
    struct Exact {
        std::u16string_view text;
        TailSwitch meaning;
    };
    static constexpr Exact kExact[] = {
        {u"/?", TailSwitch::Help},           {u"/P", TailSwitch::Pause},
        {u"/P:OFF", TailSwitch::PauseOff},   {u"/P:ON", TailSwitch::PauseOn},
        {u"/X", TailSwitch::Exit},           {u"/O", TailSwitch::IniMode},
        {u"/OR", TailSwitch::CopyIniToRegistry}, {u"/RO", TailSwitch::CopyRegistryToIni},
        {u"/N", TailSwitch::NoSave},
    };
    for (const Exact& exact : kExact)
        if (equalsIgnoringCase(tail, exact.text)) return exact.meaning;
    if (startsWithIgnoringCase(tail, u"/P")) return TailSwitch::OtherPause;
    return TailSwitch::Other;
}

SecondInstanceAction secondInstanceAction(std::u16string_view tail) {
    switch (classifyTail(tail)) {
        case TailSwitch::Help: return SecondInstanceAction::ShowHelp;
        case TailSwitch::Pause:
        case TailSwitch::PauseOff:
        case TailSwitch::PauseOn:
        case TailSwitch::OtherPause: return SecondInstanceAction::SendPauseCommand;
        case TailSwitch::Exit: return SecondInstanceAction::EndRunning;
        default: return SecondInstanceAction::AskAlreadyRunning;
    }
}

PauseMode pauseModeForSecondInstance(std::u16string_view tail) {
    switch (classifyTail(tail)) {
        case TailSwitch::PauseOff: return PauseMode::TurnOff;
        case TailSwitch::PauseOn: return PauseMode::TurnOn;
        default: return PauseMode::Toggle;
    }
}

int32_t parseDecimalArgument(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
    // Accumulate in 64 bits and stop growing once past the 32-bit range, so any length is safe.
    int64_t magnitude = 0;
    constexpr int64_t kBeyond = int64_t{std::numeric_limits<int32_t>::max()} + 2;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        if (magnitude < kBeyond) magnitude = magnitude * 10 + (text[i] - u'0');
    int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

NumericArguments readNumericArguments(const std::vector<std::u16string>& argv) {
    NumericArguments arguments;
    if (argv.size() <= 1) return arguments;
    arguments.interval = parseDecimalArgument(argv[1]);
    arguments.argumentMode = *arguments.interval != 0;
    if (arguments.argumentMode && argv.size() > 2) arguments.pixels = parseDecimalArgument(argv[2]);
    return arguments;
}

ProgramNameMode programNameMode(std::u16string_view programPath) {
    if (programPath.size() <= 7) return ProgramNameMode::Normal;
    std::u16string_view ending = programPath.substr(programPath.size() - 6);
    if (equalsIgnoringCase(ending, u"_O.EXE")) return ProgramNameMode::IniMode;
    if (equalsIgnoringCase(ending, u"_N.EXE")) return ProgramNameMode::NoSave;
    return ProgramNameMode::Normal;
}

std::optional<std::u16string> programFolder(std::u16string_view programPath) {
    size_t backslash = programPath.rfind(u'\\');
    if (backslash == std::u16string_view::npos || backslash == 0) return std::nullopt;
    if (backslash <= 4) return std::u16string(programPath.substr(0, backslash + 1));
    return std::u16string(programPath.substr(0, backslash));
}

}  // namespace wavelith
