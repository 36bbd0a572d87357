#include "core/sample_search.h"

SampleSearch find_sample(const std::vector<std::string>& folders, const ImageLister& list_images,
                         const StillImageTest& is_still_image) {
    for (const std::string& folder : folders) {
        const auto names = list_images(folder);
        if (!names)
            return {SampleFound::FolderUnreadable, {}};
        for (const std::string& name : *names) {
            std::string path = folder + "\\" + name;
            if (is_still_image(path))
                return {SampleFound::Image, std::move(path)};
        }
    }
    return {SampleFound::NoImage, {}};
}
