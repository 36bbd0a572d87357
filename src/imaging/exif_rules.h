// What of a photo's EXIF block a result may carry when its metadata is kept.
#pragma once
#include <string>
#include <string_view>

// The EXIF block (as the image library holds it: "Exif\0\0" then a TIFF structure, or the TIFF
// structure alone) rebuilt without the location (the GPS directory) and without the thumbnail
// (the second directory and the picture it points at), its orientation upright, since the
// pixels were turned already. The main, Exif and interoperability directories keep their other
// fields. Empty when the block is no TIFF structure this reads; a field whose value lies
// outside the block is left out.
std::string shareable_exif(std::string_view block);
