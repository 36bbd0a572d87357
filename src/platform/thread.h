// The one way the program starts a thread that calls Win32: through CreateThread, so that
// Wine gives the thread a Win32 identity.
#pragma once
#include "platform/unique_handle.h"

using ThreadProcedure = DWORD(WINAPI*)(void* argument);

// Starts procedure(argument) at once with the default stack; an empty handle when the
// thread could not be created.
unique_handle start_thread(ThreadProcedure procedure, void* argument);
