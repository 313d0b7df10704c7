#include "app/script_host.h"

namespace wavelith {

// Script runs arrive with the script engine and its host; until then mode 12 shakes nothing.
bool isScriptSuspended() { return false; }
void startScriptRun() {}
void startScriptSuspension() {}
bool isScriptRunning() { return false; }
void requestScriptStop() {}
void waitForScriptWorker(unsigned long) {}
void onScriptTimer(uintptr_t) {}
void onPowerBroadcast(uintptr_t) {}

}  // namespace wavelith
