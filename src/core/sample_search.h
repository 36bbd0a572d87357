// The sample a watermark preview is made from: the first still image of the folders a run
// would visit, in the order it would visit them.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

enum class SampleFound { Image, FolderUnreadable, NoImage };

struct SampleSearch {
    SampleFound found;
    std::string path; // folder + "\\" + name, when found is Image
};

// The image names directly in a folder in listing order, or nothing when the folder cannot be
// listed.
using ImageLister = std::function<std::optional<std::vector<std::string>>(const std::string&)>;
// Whether the file at a path is a readable image of one frame.
using StillImageTest = std::function<bool(const std::string&)>;

// Lists one folder after the other and tests its images in order; the first still image ends
// the search, and so does the first folder that cannot be listed. Files that are not still
// images are passed over.
SampleSearch find_sample(const std::vector<std::string>& folders, const ImageLister& list_images,
                         const StillImageTest& is_still_image);
