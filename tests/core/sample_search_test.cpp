#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/sample_search.h"

namespace {

// Folders by name with their image names; a folder missing here cannot be listed.
struct FakeFolders {
    std::map<std::string, std::vector<std::string>> images;
    std::set<std::string> still; // the paths of the still images
    std::vector<std::string> listed;
    std::vector<std::string> tested;

    SampleSearch search(const std::vector<std::string>& folders) {
        return find_sample(
            folders,
            [this](const std::string& folder) -> std::optional<std::vector<std::string>> {
                listed.push_back(folder);
                const auto found = images.find(folder);
                if (found == images.end())
                    return std::nullopt;
                return found->second;
            },
            [this](const std::string& path) {
                tested.push_back(path);
                return still.count(path) > 0;
            });
    }
};

} // namespace

TEST(FindSample, TheFirstStillImageInListingOrder) {
    FakeFolders f;
    f.images["S"] = {"a.gif", "b.jpg", "c.jpg"};
    f.still = {"S\\b.jpg", "S\\c.jpg"};
    const SampleSearch found = f.search({"S"});
    EXPECT_EQ(found.found, SampleFound::Image);
    EXPECT_EQ(found.path, "S\\b.jpg");
    EXPECT_EQ(f.tested, (std::vector<std::string>{"S\\a.gif", "S\\b.jpg"}));
}

TEST(FindSample, FoldersInTheirOrderAndNoFurtherThanTheSample) {
    FakeFolders f;
    f.images["S"] = {"notes.jpg"};
    f.images["S\\a"] = {};
    f.images["S\\a\\deeper"] = {"x.png"};
    f.still = {"S\\a\\deeper\\x.png", "S\\b\\y.jpg"};
    const SampleSearch found = f.search({"S", "S\\a", "S\\a\\deeper", "S\\b", "S\\c"});
    EXPECT_EQ(found.found, SampleFound::Image);
    EXPECT_EQ(found.path, "S\\a\\deeper\\x.png");
    // S\b is never listed, nor S\c, which could not be.
    EXPECT_EQ(f.listed, (std::vector<std::string>{"S", "S\\a", "S\\a\\deeper"}));
}

TEST(FindSample, AFolderThatCannotBeListedStopsTheSearch) {
    FakeFolders f;
    f.images["S"] = {"a.gif"};
    f.images["S\\b"] = {"y.jpg"};
    f.still = {"S\\b\\y.jpg"};
    EXPECT_EQ(f.search({"S", "S\\a", "S\\b"}).found, SampleFound::FolderUnreadable);
    EXPECT_EQ(f.search({"missing"}).found, SampleFound::FolderUnreadable);
}

TEST(FindSample, NoStillImageAnywhere) {
    FakeFolders f;
    f.images["S"] = {"a.gif", "broken.jpg"};
    f.images["S\\a"] = {};
    const SampleSearch found = f.search({"S", "S\\a"});
    EXPECT_EQ(found.found, SampleFound::NoImage);
    EXPECT_EQ(found.path, "");
    EXPECT_EQ(f.search({}).found, SampleFound::NoImage);
}
