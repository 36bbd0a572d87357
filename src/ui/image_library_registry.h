// The registry key from which the image library learns where its files and modules are.
#pragma once

// Writes the key unless its BinPath already names folder (letter case aside).
void ensure_image_library_registry(const char* folder);

// Writes the key's five values; a failure is shown and ends the process with -1.
void write_image_library_registry(const char* folder);
