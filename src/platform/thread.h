// The one way the program starts a thread. Threads that call Win32 must be created by Win32:
// under Wine a thread that Wine did not create has no Win32 identity.
#pragma once
#include "platform/unique_handle.h"

// Starts procedure(argument) at once, with the default stack. A null handle when the thread
// cannot be created; closing the handle leaves the thread running.
unique_handle start_thread(LPTHREAD_START_ROUTINE procedure, void* argument = nullptr);

// The processors the system runs the program on: one worker for each keeps them all busy.
int processor_count();
