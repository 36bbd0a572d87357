#include "platform/thread.h"

unique_handle start_thread(LPTHREAD_START_ROUTINE procedure, void* argument) {
    return unique_handle(CreateThread(nullptr, 0, procedure, argument, 0, nullptr));
}

int processor_count() {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors > 0 ? static_cast<int>(system.dwNumberOfProcessors) : 1;
}
