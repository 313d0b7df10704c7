// The run entry of DO-Rozude and what a host hands it: the one way a script is run, by the tray
// program and by wavelith-script alike.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace wavelith {
class Desktop;
}

namespace wavelith::script {

struct AppValue {
    uint8_t isString = 0;
    int32_t intValue = 0;
    std::u16string text;  // only when isString
};

// One CB.<name>(...) call as the host's application function sees it.
struct AppCallRecord {
    std::u16string name;  // without "CB.", upper case
    const AppValue* args = nullptr;  // none when argCount is 0
    int32_t argCount = 0;
    AppValue* result = nullptr;  // arrives as the integer 0
};

// Every member is optional.
struct ScriptHostCallbacks {
    void* ownerWindow = nullptr;
    std::function<void(AppCallRecord&)> appFunction;
    // line is -1 where no line applies
    std::function<void(unsigned code, int32_t line, const std::u16string& text)> messageSink;
    // Asked after each statement; 1 ends the run.
    std::function<int(int32_t line)> stopPoll;
    // As MessageBoxW (owner, text, caption, style); absent: the desktop's own message box.
    std::function<int(void* owner, const std::u16string& text, const std::u16string& caption, uint32_t style)>
        messageBox;
    int32_t japanese = 0;
    // The desktop the built-ins act on; absent: a simulated one that nobody sees.
    Desktop* desktop = nullptr;
};

// Runs a zero-terminated UTF-16 script. Returns the script's exit code, or -1 when refused
// (a run is already in progress), when text is absent, or when the text cannot be taken in.
int qx_script(const char16_t* text, const ScriptHostCallbacks* host);

}  // namespace wavelith::script
