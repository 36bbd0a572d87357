// The 更多设置 dialog: the shop-ready steps of a run, each switched on by its check box.
#pragma once
#include "ui/app.h"

// Shows the dialog, modal over the main window. On 确定 the checked steps become App::Shop and
// are written to options.ini; 取消 changes nothing.
void show_more_settings_dialog(App& app);
