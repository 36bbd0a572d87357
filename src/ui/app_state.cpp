#include "ui/app_state.h"

HINSTANCE Instance;
HWND MainWindow;
HWND HelpPopup;
HICON MainIcon;
HICON PreviewIcon;
HFONT GuiFont;
Settings TheSettings;
std::atomic<int> BannerRepaint{1};
