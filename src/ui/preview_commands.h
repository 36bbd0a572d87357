// The two "效果预览" buttons: each makes its watermark's preview on the main thread and shows it
// in the preview window.
#pragma once

void preview_text_watermark();
void preview_image_watermark();
