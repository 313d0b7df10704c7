// The host side of script runs, without the threads and windows: which shake starts a run, the
// stop requests, the 10-second suspension after start and wake, and the four callbacks the
// engine calls on the worker thread (message sink, stop poll, application function).
#pragma once

#include "app/effects.h"
#include "script/interp/run.h"
#include "settings/settings.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace wavelith {

class ScriptHostEffects {
public:
    virtual ~ScriptHostEffects() = default;
    // A tray balloon; also called from the worker thread.
    virtual void showNotice(std::u16string_view text, NoticeKind kind) = 0;
    // (Re)starts or kills suspension timer 454588 of the main window.
    virtual void startSuspensionTimer(uint32_t milliseconds) = 0;
    virtual void killSuspensionTimer() = 0;
    // Starts the worker, which calls ScriptHost::runOnWorker; false when no thread can be had.
    virtual bool startWorker() = 0;
};

namespace power_events {
constexpr uint32_t Suspend = 4;          // PBT_APMSUSPEND
constexpr uint32_t ResumeSuspend = 7;    // PBT_APMRESUMESUSPEND
constexpr uint32_t ResumeAutomatic = 18; // PBT_APMRESUMEAUTOMATIC
}  // namespace power_events

class ScriptHost {
public:
    static constexpr uint32_t kSuspensionMilliseconds = 10000;
    using RunEntry = std::function<int(const char16_t* text, const script::ScriptHostCallbacks* host)>;

    ScriptHost(Settings& settings, ScriptHostEffects& effects, bool japanese);
    virtual ~ScriptHost() = default;

    // Main thread.
    void startRun();
    // Asks a run in progress to stop at its next poll.
    void requestStop();
    // Asks even when no run is in progress; the next start clears a request left over.
    void requestStopAlways();
    bool runInProgress() const { return runInProgress_; }
    void startSuspension();
    void onPowerBroadcast(uint32_t event);
    void onSuspensionTimer();
    bool suspended() const { return suspended_; }

    // Worker thread: one run of a private copy of the script text. The callbacks are filled
    // here; the owner window, message box and desktop come from the caller.
    void runOnWorker(const RunEntry& runEntry, script::ScriptHostCallbacks callbacks);

    // The callbacks themselves, public for the worker and for tests.
    void messageSink(unsigned code, int32_t line, const std::u16string& text);
    int stopPoll(int32_t line);
    void appFunction(script::AppCallRecord& call);

protected:
    // The worker's private copy of the script text, taken under the script-text lock.
    virtual std::u16string copyScript() const;

private:
    void showSuspensionNotice();

    Settings& settings_;
    ScriptHostEffects& effects_;
    bool japanese_;
    // Shared with the worker: written by one thread, read by the other.
    std::atomic<bool> runInProgress_{false};
    std::atomic<bool> stopRequested_{false};
    bool suspended_ = false;
};

}  // namespace wavelith
