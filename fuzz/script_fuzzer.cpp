// Any bytes as a DO-Rozude script, run through the tray program's own run entry on a simulated
// desktop. A run ends on its own, by a script error, or when the stop poll has seen enough
// statements or enough time: the poll is the host's only brake, so every endless loop tests it.
#include "platform/simulated_desktop.h"
#include "platform/text.h"
#include "script/interp/run.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

namespace {

using namespace wavelith;

constexpr long kStatementBudget = 20000;
constexpr auto kTimeBudget = std::chrono::milliseconds(1500);

// Scripts may set any environment variable: keep them away from the process's own, which the
// sanitizers read.
class FuzzDesktop : public SimulatedDesktop {
public:
    std::u16string getEnvironmentVariable(const std::u16string& name) override {
        auto found = environment.find(name);
        return found == environment.end() ? std::u16string() : found->second;
    }
    bool setEnvironmentVariable(const std::u16string& name, const std::u16string& value) override {
        if (name.empty() || name.find(u'=') != std::u16string::npos) return false;
        environment[name] = value;
        return true;
    }
    std::map<std::u16string, std::u16string> environment;
};

[[noreturn]] void fault(const char* what, unsigned code) {
    std::fprintf(stderr, "script_fuzzer: %s (%u)\n", what, code);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzDesktop desktop;
    desktop.clearEvents();
    desktop.environment.clear();
    desktop.clipboard.clear();
    desktop.fixedTickCount = 123456;
    desktop.fixedLocalTime = LocalTime{2024, 2, 4, 29, 23, 59, 58, 999};
    // The user at the dialogs: a few answers, then the first button and cancelled inputs.
    desktop.boxAnswers = {6, 7, 2};
    desktop.inputAnswers = {u"12", u"", u"\u65e5x"};

    long statements = 0;
    auto started = std::chrono::steady_clock::now();
    script::ScriptHostCallbacks host;
    host.desktop = &desktop;
    host.japanese = size % 2;  // both message tables
    host.messageSink = [](unsigned code, int32_t, const std::u16string& text) {
        if (code < 101 || code > 199) fault("message code outside the interpreter's range", code);
        if (text.empty()) fault("message without a text", code);
    };
    host.stopPoll = [&](int32_t) {
        if (++statements >= kStatementBudget) return 1;
        // Every time: one statement may copy a text of hundreds of megabytes.
        return std::chrono::steady_clock::now() - started > kTimeBudget ? 1 : 0;
    };
    host.appFunction = [](script::AppCallRecord& call) {
        if (call.argCount > 0 && call.args && call.result) *call.result = call.args[0];
    };

    std::u16string text = utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
    script::qx_script(text.c_str(), &host);
    return 0;
}
