// Any command line: the tail, the numeric arguments and the program's path through the
// start-up rules, each checked against what it promises.
#include "app/command_line.h"
#include "platform/text.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace wavelith;

[[noreturn]] void fault(const char* what) {
    std::fprintf(stderr, "command_line_fuzzer: %s\n", what);
    std::abort();
}

std::u16string flipAsciiCase(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
        else if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return text;
}

// The C library's own reading, for text it reads the same way (ASCII; its long is 64-bit here).
bool asciiOnly(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}
int32_t referenceDecimal(const std::u16string& text) {
    std::string narrow(text.begin(), text.end());
    long value = std::strtol(narrow.c_str(), nullptr, 10);
    return static_cast<int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

void checkTail(const std::u16string& tail) {
    TailSwitch meaning = classifyTail(tail);
    if (classifyTail(flipAsciiCase(tail)) != meaning) fault("a tail's meaning depends on its case");
    SecondInstanceAction action = secondInstanceAction(tail);
    PauseMode mode = pauseModeForSecondInstance(tail);
    if (mode != PauseMode::Toggle && action != SecondInstanceAction::SendPauseCommand)
        fault("a pause mode without a pause command");
    if ((action == SecondInstanceAction::SendPauseCommand) != startsWithIgnoringCase(tail, u"/P"))
        fault("a pause command for a tail not starting with /P, or none for one that does");
}

void checkPath(const std::u16string& path) {
    ProgramNameMode mode = programNameMode(path);
    if (mode != ProgramNameMode::Normal) {
        std::u16string ending = path.size() >= 6 ? path.substr(path.size() - 6) : path;
        if (!equalsIgnoringCase(ending, mode == ProgramNameMode::IniMode ? u"_O.EXE" : u"_N.EXE"))
            fault("a storage mode from a name with another ending");
    }
    if (auto folder = programFolder(path)) {
        if (path.compare(0, folder->size(), *folder) != 0) fault("the folder is no prefix of the path");
        std::u16string rest = path.substr(folder->size());
        size_t backslashes = std::count(rest.begin(), rest.end(), u'\\');
        if (backslashes > 1 || (backslashes == 1 && rest[0] != u'\\')) fault("the folder is cut before its last backslash");
        if (folder->empty()) fault("an empty folder");
    } else if (path.rfind(u'\\') != std::u16string::npos && path.rfind(u'\\') != 0) {
        fault("no folder for a path with a backslash");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::vector<std::u16string> argv;
    size_t count = input.ConsumeIntegralInRange<size_t>(0, 4);
    for (size_t i = 0; i < count; ++i) argv.push_back(utf8ToUtf16(input.ConsumeRandomLengthString(64)));
    std::u16string tail = utf8ToUtf16(input.ConsumeRemainingBytesAsString());

    checkTail(tail);
    checkPath(tail);
    for (const std::u16string& argument : argv) {
        int32_t value = parseDecimalArgument(argument);
        if (asciiOnly(argument) && value != referenceDecimal(argument)) fault("a number read unlike strtol");
    }

    NumericArguments arguments = readNumericArguments(argv);
    if (argv.size() <= 1) {
        if (arguments.interval || arguments.pixels || arguments.argumentMode) fault("arguments from nothing");
        return 0;
    }
    if (arguments.interval != parseDecimalArgument(argv[1])) fault("the interval is not the first argument");
    if (arguments.argumentMode != (*arguments.interval != 0)) fault("argument mode unlike its interval");
    bool pixelsExpected = arguments.argumentMode && argv.size() > 2;
    if (arguments.pixels.has_value() != pixelsExpected) fault("pixels given or missing against the rule");
    if (pixelsExpected && *arguments.pixels != parseDecimalArgument(argv[2])) fault("the pixels are not the second argument");
    return 0;
}
