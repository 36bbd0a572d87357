// The two "效果预览" buttons: each makes its watermark's preview on the main thread and shows it
// in the preview window.
#pragma once
#include "ui/app.h"

void preview_text_watermark(App& app);
void preview_image_watermark(App& app);
