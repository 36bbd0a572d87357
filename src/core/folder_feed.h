// The folders of a run as the workers see them: listed, and their images given to the workers,
// ahead of the commits, which follow in list order.
#pragma once
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/image_workers.h"
#include "core/string_list.h"
#include "platform/file_system.h"

// One folder of a run, listed: where its images come from and where their results go.
struct FolderWork {
    std::string folder, destination;
    std::unique_ptr<StringList> images; // null when the folder could not be listed
    std::vector<std::string> outputs;   // the name of each image's result
    bool beside = false;                // results go beside their sources
    // For each image, the other source its result would replace when results are written beside
    // their sources (see source_in_the_way); null for most. Such an image is not processed.
    std::vector<const char*> in_the_way;
};

class FolderFeed {
  public:
    // The results of folders[i] go to target, or with mirror to its mirror below target, named
    // by rename_pattern (see renamed) or, when it is empty, as output_name names them.
    FolderFeed(std::vector<std::string> folders, const std::string& source,
               const std::string& target, bool mirror, std::string rename_pattern,
               ImageWorkers& workers);

    int folder_count() const { return static_cast<int>(folders_.size()); }
    // The folder whose turn has come, listed: every folder before it is done with.
    const FolderWork& turn();
    // The folder whose turn it was is done with.
    void next_turn();
    // Gives the workers images ahead of the commits, up to a few more than they can process at
    // once: the results that wait for their commit are bounded.
    void fill();

  private:
    FolderWork list(int index);
    bool written_into_before(int index) const;

    const std::vector<std::string> folders_;
    const std::string source_, target_;
    const bool mirror_;
    const std::string rename_pattern_;
    ImageWorkers& workers_;
    const int ahead_;
    std::deque<FolderWork> listed_;          // from the folder whose turn it is
    int turn_ = 0;                           // the folder at the front of listed_
    int given_folder_ = 0, given_image_ = 0; // the next image to give
    std::set<FileId> destinations_;          // of the folders listed, as far as they exist
};
