// How much stack the current thread has: the tree walk stops a run before it runs out.
#pragma once

#include <cstddef>
#include <functional>

namespace wavelith::script {

// The lowest address of the current thread's stack (stacks grow down on every target we build
// for), or nullptr when it cannot be learnt.
const char* currentStackLow();

// Runs work on a new thread with a stack of the given size and waits for it: for hosts whose
// scripts should reach the full call depth whatever their own thread was given.
void runWithStack(size_t stackBytes, const std::function<void()>& work);

}  // namespace wavelith::script
