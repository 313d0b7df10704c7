// POSIX: the stack bounds come from the thread's attributes.
#include "script/interp/stack_limit.h"

#include <pthread.h>

namespace wavelith::script {

const char* currentStackLow() {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return nullptr;
    void* low = nullptr;
    size_t size = 0;
    int failed = pthread_attr_getstack(&attributes, &low, &size);
    pthread_attr_destroy(&attributes);
    return failed ? nullptr : static_cast<const char*>(low);
}

}  // namespace wavelith::script
