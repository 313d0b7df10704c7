// Windows: the stack's reserved range of the current thread.
#include "script/interp/stack_limit.h"

#include <windows.h>

namespace wavelith::script {

const char* currentStackLow() {
    ULONG_PTR low = 0, high = 0;
    GetCurrentThreadStackLimits(&low, &high);
    // The guard pages at the bottom are not usable; the margin the interpreter keeps covers them.
    return reinterpret_cast<const char*>(low);
}

}  // namespace wavelith::script
