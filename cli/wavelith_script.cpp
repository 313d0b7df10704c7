// wavelith-script: runs DO-Rozude files through the same run entry as the tray program, on a
// simulated desktop, and shows what the scripts did: messages, boxes, dialogs and input, either
// for a person or, with --json, one event per line for the test suites.
#include "platform/simulated_desktop.h"
#include "platform/text.h"
#include "script/interp/run.h"
#include "script/interp/stack_limit.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include "platform/win32_text.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace {

using namespace wavelith;

struct Options {
    bool json = false;
    bool japanese = false;
    bool noApp = false;
    bool realSleep = false;
    std::vector<int32_t> answers;
    std::vector<std::string> inputs;
    std::optional<long> stopAfter;
    Point cursor{100, 100};
    int32_t screenWidth = 1920, screenHeight = 1080;
    std::vector<std::string> files;
};

const char* const usageText =
    "usage: wavelith-script [options] FILE...\n"
    "Runs DO-Rozude scripts on a simulated desktop and shows what they do.\n"
    "  --json           one JSON event per line\n"
    "  --ja             Japanese message texts\n"
    "  --answer N       result of the next message box (repeatable)\n"
    "  --input TEXT     text typed into the next INPUT dialog (repeatable)\n"
    "  --stop-after N   the host asks the run to stop at its N-th stop poll\n"
    "  --no-app         no application functions (CB. calls fail)\n"
    "  --cursor X,Y     starting cursor position (default 100,100)\n"
    "  --screen W,H     monitor size (default 1920,1080)\n"
    "  --real-sleep     SLEEP really waits\n"
    "FILE '-' reads standard input.\n";

// Text goes out as UTF-8 bytes, which is what a pipe or a file gets (the corpus compares them
// byte for byte). A Windows console shows bytes in its own code page, so there the text goes
// in as UTF-16 instead.
void writeText(FILE* stream, std::string_view text) {
#ifdef _WIN32
    HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        std::wstring wideText = toWide(utf8ToUtf16(text));
        DWORD written = 0;
        WriteConsoleW(handle, wideText.data(), static_cast<DWORD>(wideText.size()), &written, nullptr);
        return;
    }
#endif
    std::fwrite(text.data(), 1, text.size(), stream);
}

[[noreturn]] void usageError(const std::string& problem) {
    writeText(stderr, "wavelith-script: " + problem + "\n" + usageText);
    std::exit(2);
}

bool parseInteger(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0';
}

bool parsePair(const std::string& text, long& first, long& second) {
    size_t comma = text.find(',');
    return comma != std::string::npos && parseInteger(text.substr(0, comma), first) &&
           parseInteger(text.substr(comma + 1), second);
}

// arguments: UTF-8, without the program's name.
Options parseOptions(const std::vector<std::string>& arguments) {
    Options options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size()) usageError(argument + " needs a value");
            return arguments[++i];
        };
        long a = 0, b = 0;
        if (argument == "--version") {  // WAVELITH_VERSION: project(VERSION ...), set by the build
            writeText(stdout, "wavelith-script " WAVELITH_VERSION "\n");
            std::exit(0);
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--ja") {
            options.japanese = true;
        } else if (argument == "--no-app") {
            options.noApp = true;
        } else if (argument == "--real-sleep") {
            options.realSleep = true;
        } else if (argument == "--answer") {
            if (!parseInteger(value(), a)) usageError("--answer needs an integer");
            options.answers.push_back(static_cast<int32_t>(a));
        } else if (argument == "--input") {
            options.inputs.push_back(value());
        } else if (argument == "--stop-after") {
            if (!parseInteger(value(), a) || a < 1) usageError("--stop-after needs a count of 1 or more");
            options.stopAfter = a;
        } else if (argument == "--cursor") {
            if (!parsePair(value(), a, b)) usageError("--cursor needs X,Y");
            options.cursor = {static_cast<int32_t>(a), static_cast<int32_t>(b)};
        } else if (argument == "--screen") {
            if (!parsePair(value(), a, b) || a < 1 || b < 1) usageError("--screen needs W,H");
            options.screenWidth = static_cast<int32_t>(a);
            options.screenHeight = static_cast<int32_t>(b);
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            usageError("unknown option " + argument);
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.files.empty()) usageError("no script given");
    return options;
}

// name: UTF-8; on Windows opened by its UTF-16 form, so any file name works.
bool readFile(const std::string& name, std::string& text) {
    FILE* file = stdin;
    if (name != "-") {
#ifdef _WIN32
        file = _wfopen(toWide(utf8ToUtf16(name)).c_str(), L"rb");
#else
        file = std::fopen(name.c_str(), "rb");
#endif
        if (!file) return false;
    }
    char buffer[65536];
    for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, read);
    bool failed = std::ferror(file) != 0;
    if (file != stdin) std::fclose(file);
    return !failed;
}

// ---- output ----

// Only quote, backslash, LF, CR and tab get short escapes; every other control character is
// written as \u00XX.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string jsonString(const std::u16string& text) { return jsonString(utf16ToUtf8(text)); }

// Line ends and tabs shown, not obeyed.
std::string visible(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else out += c;
    }
    return out;
}

// A text for one line of the human-readable form, without the line end that most messages have.
std::string oneLine(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return visible(text);
}

std::string boxButtons(uint32_t style) {
    switch (style & message_box::TypeMask) {
    case message_box::OkCancel: return "OK/Cancel";
    case message_box::AbortRetryIgnore: return "Abort/Retry/Ignore";
    case message_box::YesNoCancel: return "Yes/No/Cancel";
    case message_box::YesNo: return "Yes/No";
    case message_box::RetryCancel: return "Retry/Cancel";
    case message_box::CancelTryContinue: return "Cancel/Try/Continue";
    default: return "OK";
    }
}

std::string buttonName(int32_t result) {
    switch (result) {
    case 1: return "OK";
    case 2: return "Cancel";
    case 3: return "Abort";
    case 4: return "Retry";
    case 5: return "Ignore";
    case 6: return "Yes";
    case 7: return "No";
    default: return std::to_string(result);
    }
}

class Printer {
public:
    explicit Printer(bool json) : json_(json) {}

    void line(const std::string& text) {
        writeText(stdout, text + "\n");
        std::fflush(stdout);
    }

    void runStarts(int run, const std::string& file) {
        if (!json_) line("== run " + std::to_string(run) + ": " + (file == "-" ? "(standard input)" : file));
    }

    void message(unsigned code, int32_t lineNumber, const std::u16string& text) {
        if (json_) {
            line("{\"ev\":\"message\",\"code\":" + std::to_string(code) + ",\"line\":" + std::to_string(lineNumber) +
                 ",\"text\":" + jsonString(text) + "}");
            return;
        }
        std::string where = lineNumber >= 0 ? "line " + std::to_string(lineNumber) : "script";
        std::string text8 = utf16ToUtf8(text);
        while (!text8.empty() && text8.back() == '\n') text8.pop_back();
        // Syntax errors quote the source under the first line: keep their layout.
        std::string indented;
        for (char c : text8) indented += c == '\n' ? std::string("\n      ") : std::string(1, c);
        line("  " + where + ": [" + std::to_string(code) + "] " + indented);
    }

    void app(const script::AppCallRecord& record) {
        if (json_) {
            std::string args;
            for (int32_t i = 0; i < record.argCount; ++i) {
                if (i) args += ",";
                const script::AppValue& value = record.args[i];
                args += value.isString ? jsonString(value.text) : std::to_string(value.intValue);
            }
            line("{\"ev\":\"app\",\"name\":" + jsonString(record.name) + ",\"args\":[" + args + "]}");
            return;
        }
        std::string args;
        for (int32_t i = 0; i < record.argCount; ++i) {
            if (i) args += ", ";
            const script::AppValue& value = record.args[i];
            args += value.isString ? "\"" + oneLine(utf16ToUtf8(value.text)) + "\"" : std::to_string(value.intValue);
        }
        line("  CB." + utf16ToUtf8(record.name) + "(" + args + ")");
    }

    void exit(int run, int code) {
        if (json_) {
            line("{\"ev\":\"exit\",\"run\":" + std::to_string(run) + ",\"code\":" + std::to_string(code) + "}");
        } else {
            line("  exit code " + std::to_string(code));
        }
    }

    void event(const DesktopEvent& event) {
        if (auto* box = std::get_if<MessageBoxRecord>(&event)) {
            if (json_)
                line("{\"ev\":\"box\",\"text\":" + jsonString(box->text) + ",\"caption\":" + jsonString(box->caption) +
                     ",\"style\":" + std::to_string(box->style) + ",\"result\":" + std::to_string(box->result) + "}");
            else
                line("  box \"" + oneLine(utf16ToUtf8(box->caption)) + "\": " + oneLine(utf16ToUtf8(box->text)) + "  [" +
                     boxButtons(box->style) + "] -> " + buttonName(box->result));
        } else if (auto* input = std::get_if<InputDialogRecord>(&event)) {
            if (json_)
                line("{\"ev\":\"input\",\"prompt\":" + jsonString(input->prompt) + ",\"title\":" +
                     jsonString(input->title) + ",\"result\":" + (input->result ? jsonString(*input->result) : "null") +
                     "}");
            else
                line("  input \"" + oneLine(utf16ToUtf8(input->title)) + "\": " + oneLine(utf16ToUtf8(input->prompt)) +
                     " -> " + (input->result ? "\"" + oneLine(utf16ToUtf8(*input->result)) + "\"" : "cancelled"));
        } else if (auto* sleep = std::get_if<SleepRecord>(&event)) {
            if (json_) line("{\"ev\":\"sleep\",\"ms\":" + std::to_string(sleep->milliseconds) + "}");
            else line("  sleep " + std::to_string(sleep->milliseconds) + " ms");
        } else if (auto* beep = std::get_if<BeepRecord>(&event)) {
            if (json_) line("{\"ev\":\"beep\",\"type\":" + std::to_string(beep->type) + "}");
            else line("  beep " + std::to_string(beep->type));
        } else if (auto* mouse = std::get_if<MouseEventRecord>(&event)) {
            if (json_)
                line("{\"ev\":\"mouse\",\"flags\":" + std::to_string(mouse->flags) + ",\"dx\":" + std::to_string(mouse->dx) +
                     ",\"dy\":" + std::to_string(mouse->dy) + ",\"data\":" + std::to_string(mouse->data) + "}");
            else
                line("  mouse flags " + std::to_string(mouse->flags) + " move " + std::to_string(mouse->dx) + "," +
                     std::to_string(mouse->dy) + " data " + std::to_string(mouse->data));
        } else if (auto* key = std::get_if<KeyEventRecord>(&event)) {
            if (json_)
                line("{\"ev\":\"key\",\"vk\":" + std::to_string(key->virtualKey) + ",\"flags\":" +
                     std::to_string(key->flags) + "}");
            else
                line("  key " + std::to_string(key->virtualKey) + ((key->flags & key_flags::KeyUp) ? " up" : " down"));
        } else if (auto* cursor = std::get_if<SetCursorRecord>(&event)) {
            if (json_)
                line("{\"ev\":\"setcursor\",\"x\":" + std::to_string(cursor->position.x) + ",\"y\":" +
                     std::to_string(cursor->position.y) + "}");
            else
                line("  cursor to " + std::to_string(cursor->position.x) + "," + std::to_string(cursor->position.y));
        } else if (auto* typed = std::get_if<SendInputRecord>(&event)) {
            sendInput(*typed);
        } else if (auto* clipboard = std::get_if<ClipboardRecord>(&event)) {
            if (json_) line("{\"ev\":\"clipboard\",\"text\":" + jsonString(clipboard->text) + "}");
            else line("  clipboard \"" + visible(utf16ToUtf8(clipboard->text)) + "\"");
        } else if (auto* ime = std::get_if<ImeRecord>(&event)) {
            if (json_) line("{\"ev\":\"ime\",\"open\":" + std::string(ime->open ? "1" : "0") + "}");
            else line(ime->open ? "  input method on" : "  input method off");
        }
        // Swapping the mouse buttons is the tray program's, never a script's: nothing to show.
    }

private:
    // JSON: every event as [unit, flags]. People: the text typed when the events are plain
    // press-release pairs, the events one by one otherwise.
    void sendInput(const SendInputRecord& typed) {
        if (json_) {
            std::string events;
            for (const KeyboardInput& input : typed.events) {
                if (!events.empty()) events += ",";
                events += "[" + std::to_string(input.unit) + "," + std::to_string(input.flags) + "]";
            }
            line("{\"ev\":\"sendinput\",\"events\":[" + events + "]}");
            return;
        }
        bool pairs = typed.events.size() % 2 == 0;
        std::u16string text;
        for (size_t i = 0; pairs && i < typed.events.size(); i += 2) {
            const KeyboardInput &down = typed.events[i], &up = typed.events[i + 1];
            pairs = down.unit == up.unit && !(down.flags & key_flags::KeyUp) && (up.flags & key_flags::KeyUp);
            text += down.unit;
        }
        if (pairs) {
            line("  type \"" + visible(utf16ToUtf8(text)) + "\"");
            return;
        }
        std::string events;
        for (const KeyboardInput& input : typed.events)
            events += " U+" + hex4(input.unit) + ((input.flags & key_flags::KeyUp) ? " up" : " down");
        line("  send input" + events);
    }

    static std::string hex4(char16_t unit) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(unit));
        return digits;
    }

    bool json_;
};

int run(const std::vector<std::string>& arguments) {
    Options options = parseOptions(arguments);
    std::vector<std::u16string> scripts;
    for (const std::string& file : options.files) {
        std::string text;
        if (!readFile(file, text)) {
            writeText(stderr, "wavelith-script: cannot read " + file + "\n");
            return 2;
        }
        scripts.push_back(utf8ToUtf16(text));
    }

    Printer printer(options.json);
    SimulatedDesktop desktop(options.cursor, options.screenWidth, options.screenHeight);
    desktop.boxAnswers.assign(options.answers.begin(), options.answers.end());
    for (const std::string& input : options.inputs) desktop.inputAnswers.push_back(utf8ToUtf16(input));
    desktop.realSleep = options.realSleep;
    desktop.onEvent = [&](const DesktopEvent& event) { printer.event(event); };

    long polls = 0;
    script::ScriptHostCallbacks host;
    host.desktop = &desktop;
    host.japanese = options.japanese ? 1 : 0;
    host.messageSink = [&](unsigned code, int32_t line, const std::u16string& text) { printer.message(code, line, text); };
    host.stopPoll = [&](int32_t) { return options.stopAfter && ++polls == *options.stopAfter ? 1 : 0; };
    host.messageBox = [&](void* owner, const std::u16string& text, const std::u16string& caption, uint32_t style) {
        return desktop.messageBox(owner, text, caption, style);
    };
    if (!options.noApp) host.appFunction = [&](script::AppCallRecord& record) { printer.app(record); };

    for (size_t i = 0; i < scripts.size(); ++i) {
        int run = static_cast<int>(i) + 1;
        printer.runStarts(run, options.files[i]);
        polls = 0;
        int code = 0;
        // The full call depth of DO-Rozude needs more stack than a main thread may have.
        script::runWithStack(256u * 1024 * 1024, [&]() { code = script::qx_script(scripts[i].c_str(), &host); });
        printer.exit(run, code);
    }
    return 0;
}

}  // namespace

#ifdef _WIN32
// The arguments as UTF-16 (linked with -municode): through main's char** they would arrive in
// the ANSI code page, every character outside it a question mark.
int wmain(int argc, wchar_t** argv) {
    // JSON lines end in a bare line feed, and redirected output is UTF-8 like everything else.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(utf16ToUtf8(fromWide(argv[i])));
    return run(arguments);
}
#else
int main(int argc, char** argv) { return run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
