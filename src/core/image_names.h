// Rules on image file names.
#pragma once

// True when the extension of name (from its last dot, letter case aside) is one of ".jpg",
// ".jpeg", ".png", ".bmp", ".gif" and ".tbi".
bool has_image_extension(const char* name);
