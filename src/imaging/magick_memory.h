// Where the image library's large blocks come from.
#pragma once

// Makes the library keep the large blocks it frees (a picture's pixels, its working copies) and
// hand them out again: the system gives every new large block fresh pages, and zeroing them costs
// a shrunk photograph as much as a tenth of its time. Before the library's first start only.
void keep_large_library_blocks();

// Frees the blocks kept, for a library that has stopped.
void free_kept_library_blocks();
