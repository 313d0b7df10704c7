#include "script/interp/stack_limit.h"

#include <pthread.h>

#include <exception>

namespace wavelith::script {

namespace {
struct Job {
    const std::function<void()>* work;
    std::exception_ptr failure;
};

void* runJob(void* argument) {
    auto* job = static_cast<Job*>(argument);
    try {
        (*job->work)();
    } catch (...) {
        job->failure = std::current_exception();
    }
    return nullptr;
}
}  // namespace

void runWithStack(size_t stackBytes, const std::function<void()>& work) {
    Job job{&work, nullptr};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    pthread_t thread;
    bool started = pthread_create(&thread, &attributes, runJob, &job) == 0;
    pthread_attr_destroy(&attributes);
    if (!started) {
        // No thread to be had: the caller's own stack will do, with the depth guard watching.
        work();
        return;
    }
    pthread_join(thread, nullptr);
    if (job.failure) std::rethrow_exception(job.failure);
}

}  // namespace wavelith::script
