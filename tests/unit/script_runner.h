// Runs DO-Rozude text through qx_script() on a simulated desktop and keeps what came out.
#pragma once

#include "platform/simulated_desktop.h"
#include "platform/text.h"
#include "script/interp/run.h"

#include <string>
#include <vector>

namespace wavelith::script::testing {

struct SentMessage {
    unsigned code;
    int32_t line;
    std::string text;  // UTF-8
};

struct ScriptRunner {
    SimulatedDesktop desktop;
    ScriptHostCallbacks host;
    std::vector<SentMessage> messages;
    std::vector<int32_t> polledLines;
    int stopAtPoll = 0;  // 0: never
    std::vector<std::string> appCalls;

    ScriptRunner() {
        host.desktop = &desktop;
        host.messageSink = [this](unsigned code, int32_t line, const std::u16string& text) {
            messages.push_back({code, line, utf16ToUtf8(text)});
        };
        host.stopPoll = [this](int32_t line) {
            polledLines.push_back(line);
            return stopAtPoll != 0 && static_cast<int>(polledLines.size()) >= stopAtPoll ? 1 : 0;
        };
    }

    int run(const std::string& script) {
        messages.clear();
        polledLines.clear();
        desktop.clearEvents();
        std::u16string text = utf8ToUtf16(script);
        return qx_script(text.c_str(), &host);
    }

    // The texts of the message boxes shown, in order.
    std::vector<std::string> boxes() const {
        std::vector<std::string> texts;
        for (const DesktopEvent& event : desktop.events())
            if (auto* box = std::get_if<MessageBoxRecord>(&event)) texts.push_back(utf16ToUtf8(box->text));
        return texts;
    }

    // The value of one expression, in its string form.
    std::string show(const std::string& expression, const std::string& before = "") {
        run(before + "MESSAGE((" + expression + "))\n");
        auto shown = boxes();
        return shown.empty() ? "<no box>" : shown.back();
    }

    std::vector<unsigned> codes() const {
        std::vector<unsigned> result;
        for (const SentMessage& message : messages) result.push_back(message.code);
        return result;
    }
};

}  // namespace wavelith::script::testing
