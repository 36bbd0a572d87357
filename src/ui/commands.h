// What the main window's controls do when the user works them.
#pragma once
#include <windows.h>

#include "ui/app.h"

// A WM_COMMAND from one of the controls: sender is its handle, code the notification.
void on_control_notification(App& app, HWND sender, int code);
