// The update check that runs once at every start.
#pragma once
#include <windows.h>

// Asks the site whether a newer version exists: 1 when it reports one, 0 when it does not or
// the answer is not recognised, -1 when the exchange fails (time-outs included).
int check_for_update();

// Thread procedure; the argument is the OnlineHost that asks the user. On a newer version it
// asks whether to visit the site and opens its home page on yes. Failures are silent.
DWORD WINAPI update_check_thread(void* host);
