#include "app/script_host.h"

#include "app/application.h"
#include "app/script_host_logic.h"
#include "app/tray.h"
#include "ui/dark_mode.h"

#include <process.h>

#include <memory>

namespace wavelith {

namespace {

// Deep recursion (the 513-call limit) needs far more than the default 1 MB; this is address
// space reserved, not memory committed.
constexpr unsigned kWorkerStackBytes = 256u * 1024 * 1024;

class Win32ScriptHostEffects : public ScriptHostEffects {
public:
    void showNotice(std::u16string_view text, NoticeKind kind) override { wavelith::showNotice(text, kind); }
    void startSuspensionTimer(uint32_t milliseconds) override {
        SetTimer(app().mainWindow, kSuspensionTimer, milliseconds, nullptr);
    }
    void killSuspensionTimer() override { KillTimer(app().mainWindow, kSuspensionTimer); }
    bool startWorker() override;

    HANDLE worker = nullptr;
    bool abandoned = false;
};

struct HostState {
    Win32ScriptHostEffects effects;
    std::unique_ptr<ScriptHost> host;
};

HostState& state() {
    static HostState hostState;
    return hostState;
}

unsigned __stdcall workerMain(void*) {
    script::ScriptHostCallbacks callbacks;
    callbacks.ownerWindow = app().mainWindow;
    callbacks.messageBox = [](void* owner, const std::u16string& text, const std::u16string& caption, uint32_t style) {
        return themedMessageBox(static_cast<HWND>(owner), wide(text), wide(caption), style);
    };
    callbacks.desktop = &app().desktop;
    state().host->runOnWorker(script::qx_script, std::move(callbacks));
    return 0;
}

bool Win32ScriptHostEffects::startWorker() {
    if (worker) CloseHandle(worker);
    worker = reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, kWorkerStackBytes, workerMain, nullptr, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    return worker != nullptr;
}

}  // namespace

void createScriptHost() {
    state().host = std::make_unique<ScriptHost>(app().settings, state().effects, app().japanese);
}

bool isScriptSuspended() { return state().host && state().host->suspended(); }

void startScriptRun() {
    if (state().host) state().host->startRun();
}

void startScriptSuspension() {
    if (state().host) state().host->startSuspension();
}

bool isScriptRunning() { return state().host && state().host->runInProgress(); }

void requestScriptStop() {
    if (state().host) state().host->requestStop();
}

void waitForScriptWorker(unsigned long milliseconds) {
    HANDLE& worker = state().effects.worker;
    if (!worker) return;
    // A worker that does not end in time is abandoned: the process ends around it.
    if (WaitForSingleObject(worker, milliseconds) == WAIT_TIMEOUT) state().effects.abandoned = true;
    CloseHandle(worker);
    worker = nullptr;
}

bool scriptWorkerAbandoned() { return state().effects.abandoned; }

void onScriptTimer(uintptr_t timerId) {
    if (timerId == kSuspensionTimer && state().host) state().host->onSuspensionTimer();
}

void onPowerBroadcast(uintptr_t event) {
    if (state().host) state().host->onPowerBroadcast(static_cast<uint32_t>(event));
}

}  // namespace wavelith
