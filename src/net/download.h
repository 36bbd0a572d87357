// Downloading a banner picture into the images folder.
#pragma once
#include <cstdint>

// Fetches image_url (scheme://host/path, plain HTTP on port 80) into local_path, creating the
// images folder of the program folder when needed. True exactly when the file then has
// expected_size bytes. A download stops once more bytes arrive than expected, so a server
// cannot fill the disk; the partial file stays and is fetched again at the next start.
bool download_file(const char* image_url, const char* local_path, std::int64_t expected_size);
