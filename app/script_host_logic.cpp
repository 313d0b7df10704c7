#include "app/script_host_logic.h"

#include "app/command_line.h"
#include "app/messages.h"
#include "platform/text.h"
#include "settings/policy.h"

#include <new>

namespace wavelith {

ScriptHost::ScriptHost(Settings& settings, ScriptHostEffects& effects, bool japanese)
    : settings_(settings), effects_(effects), japanese_(japanese) {}

void ScriptHost::startRun() {
    // Only the main thread replaces the text, so its emptiness is read here without the lock.
    if (settings_.qx_script.empty() || runInProgress_) return;
    runInProgress_ = true;
    stopRequested_ = false;
    if (!effects_.startWorker()) runInProgress_ = false;
}

void ScriptHost::requestStop() {
    if (runInProgress_) stopRequested_ = true;
}

void ScriptHost::requestStopAlways() { stopRequested_ = true; }

void ScriptHost::showSuspensionNotice() {
    if (!settings_.NoNotifyScriptSuspend)
        effects_.showNotice(appMessage(AppMessage::ScriptSuspended, japanese_), NoticeKind::Information);
}

void ScriptHost::startSuspension() {
    suspended_ = true;
    showSuspensionNotice();
    effects_.startSuspensionTimer(kSuspensionMilliseconds);
}

void ScriptHost::onPowerBroadcast(uint32_t event) {
    switch (event) {
        case power_events::Suspend:
            requestStop();
            suspended_ = true;
            break;
        case power_events::ResumeSuspend:
        case power_events::ResumeAutomatic:
            if (effectiveShakeMode(settings_.Intelligibility, currentPolicy()) == kScriptShakeMode)
                showSuspensionNotice();
            effects_.killSuspensionTimer();
            effects_.startSuspensionTimer(kSuspensionMilliseconds);
            break;
        default: break;
    }
}

void ScriptHost::onSuspensionTimer() {
    suspended_ = false;
    effects_.killSuspensionTimer();
}

void ScriptHost::runOnWorker(const RunEntry& runEntry, script::ScriptHostCallbacks callbacks) {
    callbacks.appFunction = [this](script::AppCallRecord& call) { appFunction(call); };
    callbacks.messageSink = [this](unsigned code, int32_t line, const std::u16string& text) {
        messageSink(code, line, text);
    };
    callbacks.stopPoll = [this](int32_t line) { return stopPoll(line); };
    callbacks.japanese = japanese_ ? 1 : 0;
    std::u16string text;
    try {
        text = copyScript();
    } catch (const std::bad_alloc&) {
        // A long script on a machine short of memory: this run is skipped and the user told why,
        // the program goes on, and the next shake tries again.
        effects_.showNotice(appMessage(AppMessage::ScriptCopyOutOfMemory, japanese_), NoticeKind::Error);
        runInProgress_ = false;
        return;
    }
    runEntry(text.c_str(), &callbacks);  // the run's exit code is not used
    runInProgress_ = false;
}

std::u16string ScriptHost::copyScript() const { return copyScriptText(settings_); }

void ScriptHost::messageSink(unsigned, int32_t, const std::u16string& text) {
    effects_.showNotice(text, NoticeKind::Error);
}

// Asked after every statement: a plain read first, the locked exchange only once a stop is asked.
int ScriptHost::stopPoll(int32_t) {
    if (!stopRequested_.load(std::memory_order_relaxed)) return 0;
    return stopRequested_.exchange(false) ? 1 : 0;
}

void ScriptHost::appFunction(script::AppCallRecord& call) {
    if (equalsIgnoringCase(call.name, u"ShellNotify") && (call.argCount == 1 || call.argCount == 2) && call.args) {
        NoticeKind kind = NoticeKind::None;
        if (call.argCount == 2) {
            const script::AppValue& second = call.args[1];
            int32_t wanted = second.isString ? parseDecimalArgument(second.text) : second.intValue;
            if (wanted >= 1 && wanted <= 3) kind = static_cast<NoticeKind>(wanted);
        }
        const script::AppValue& first = call.args[0];
        effects_.showNotice(first.isString ? first.text : utf8ToUtf16(std::to_string(first.intValue)), kind);
        return;
    }
    std::u16string notice = std::u16string(appMessage(AppMessage::UnknownAppFunctionStart, japanese_)) + call.name +
                            u"(args:" + utf8ToUtf16(std::to_string(call.argCount)) + u")";
    effects_.showNotice(notice, NoticeKind::Error);
}

}  // namespace wavelith
