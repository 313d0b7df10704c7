// The host side of script runs (shake mode 12): the worker thread, the suspension after start
// and wake, and stop requests.
#pragma once

#include <cstdint>

namespace wavelith {

bool isScriptSuspended();
void startScriptRun();
void startScriptSuspension();
bool isScriptRunning();
void requestScriptStop();
// Waits at most this long for the worker to end, then lets go of it.
void waitForScriptWorker(unsigned long milliseconds);
// The main window's timers other than its own three (the suspension timer).
void onScriptTimer(uintptr_t timerId);
void onPowerBroadcast(uintptr_t event);

}  // namespace wavelith
