// The host side of script runs (shake mode 12) on the main window: the worker thread, the
// suspension timer, stop requests. The decisions live in ScriptHost (script_host_logic.h).
#pragma once

#include <cstdint>

namespace wavelith {

constexpr uintptr_t kSuspensionTimer = 454588;

void createScriptHost();
bool isScriptSuspended();
void startScriptRun();
void startScriptSuspension();
bool isScriptRunning();
// Asks a run in progress to stop at its next poll.
void requestScriptStop();
// Waits at most this long for the worker to end, then lets go of it.
void waitForScriptWorker(unsigned long milliseconds);
// Whether a worker was still running when it was let go.
bool scriptWorkerAbandoned();
void onScriptTimer(uintptr_t timerId);
void onPowerBroadcast(uintptr_t event);

}  // namespace wavelith
