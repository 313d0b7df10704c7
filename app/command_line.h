// What the command line asks for: the classification of the tail (the text after the
// program's own name), the numeric arguments, and the rules that derive the storage mode
// and the working folder from the program file's path.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wavelith {

enum class TailSwitch {
    Help,               // "/?"
    Pause,              // "/P": start paused; toggle a running instance
    PauseOff,           // "/P:OFF": start paused; turn a running instance off
    PauseOn,            // "/P:ON": start running; turn a running instance on
    OtherPause,         // any other tail beginning with "/P": start running; toggle
    Exit,               // "/X"
    IniMode,            // "/O"
    CopyIniToRegistry,  // "/OR"
    CopyRegistryToIni,  // "/RO"
    NoSave,             // "/N"
    Other,              // anything else, numbers and the empty tail included
};

// Tails are compared whole and case-insensitively.
TailSwitch classifyTail(std::u16string_view tail);

// The control message a second instance sends: wParam 32773 with this lParam.
enum class PauseMode : int32_t { Toggle = 0, TurnOn = 1, TurnOff = 2 };

enum class SecondInstanceAction {
    ShowHelp,
    SendPauseCommand,  // see pauseModeForSecondInstance
    EndRunning,        // "/X": no dialog
    AskAlreadyRunning  // the already-running dialog; Force Exit ends the running instance
};

SecondInstanceAction secondInstanceAction(std::u16string_view tail);
PauseMode pauseModeForSecondInstance(std::u16string_view tail);

// Reads a number as wcstol does with base 10 on Windows (32-bit long): leading white space,
// an optional sign, digits; no number gives 0; out of range gives the nearest limit.
int32_t parseDecimalArgument(std::u16string_view text);

struct NumericArguments {
    std::optional<int32_t> interval;  // both interval bounds, when a first argument exists
    std::optional<int32_t> pixels;    // MouseMovePixel, only in argument mode
    bool argumentMode = false;        // a non-zero interval was given
};

// argv[0] is the program; argv[1] and argv[2] are the interval and the pixels.
NumericArguments readNumericArguments(const std::vector<std::u16string>& argv);

enum class ProgramNameMode { Normal, IniMode, NoSave };

// A program file named "…_O.exe" runs in ini mode, "…_N.exe" in no-save mode.
ProgramNameMode programNameMode(std::u16string_view programPath);

// The folder that start-up makes current: the path cut at its last backslash, keeping the
// backslash of a drive root; nothing when the path has no usable backslash.
std::optional<std::u16string> programFolder(std::u16string_view programPath);

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b);
bool startsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

}  // namespace wavelith
