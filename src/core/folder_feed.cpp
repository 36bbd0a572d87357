#include "core/folder_feed.h"

#include "core/folder_rules.h"
#include "core/image_collection.h"
#include "core/image_names.h"

FolderFeed::FolderFeed(std::vector<std::string> folders, const std::string& source,
                       const std::string& target, bool mirror, std::string rename_pattern,
                       ImageWorkers& workers)
    : folders_(std::move(folders)), source_(source), target_(target), mirror_(mirror),
      rename_pattern_(std::move(rename_pattern)), workers_(workers), ahead_(workers.count() + 2) {}

const FolderWork& FolderFeed::turn() {
    if (listed_.empty())
        listed_.push_back(list(turn_));
    return listed_.front();
}

// Every image of the folder has been given by now, but fill may not have stepped past it yet.
void FolderFeed::next_turn() {
    listed_.pop_front();
    ++turn_;
    if (given_folder_ < turn_) {
        given_folder_ = turn_;
        given_image_ = 0;
    }
}

// A folder is listed ahead only where that lists what it would list in its turn: not when results
// of the folders before it are written into it (a target above the source can mirror one folder
// into another), and not past a folder that cannot be listed, where the run ends.
void FolderFeed::fill() {
    while (workers_.in_hand() < ahead_) {
        const int next_to_list = turn_ + static_cast<int>(listed_.size());
        if (given_folder_ < next_to_list) {
            const FolderWork& work = listed_[given_folder_ - turn_];
            if (work.images && given_image_ < work.images->count) {
                const int i = given_image_++;
                if (!work.in_the_way[i])
                    workers_.give(work.folder + "\\" + string_list_get(*work.images, i),
                                  work.destination + "\\" + work.outputs[i]);
            } else {
                ++given_folder_;
                given_image_ = 0;
            }
            continue;
        }
        if (next_to_list == folder_count() || static_cast<int>(listed_.size()) > ahead_ ||
            (!listed_.empty() && (!listed_.back().images || written_into_before(next_to_list))))
            return;
        listed_.push_back(list(next_to_list));
    }
}

FolderWork FolderFeed::list(int index) {
    FolderWork work;
    work.folder = folders_[index];
    work.destination = mirror_ ? mirrored_folder(work.folder, source_, target_) : target_;
    work.images = list_images(work.folder.c_str());
    const auto folder_id = file_identity(work.folder.c_str());
    const auto destination_id = file_identity(work.destination.c_str());
    if (destination_id)
        destinations_.insert(*destination_id);
    work.beside = folder_id && folder_id == destination_id;
    const std::string folder_name = work.folder.substr(work.folder.find_last_of('\\') + 1);
    for (int i = 0; work.images && i < work.images->count; ++i) {
        const char* name = string_list_get(*work.images, i);
        work.outputs.push_back(rename_pattern_.empty()
                                   ? output_name(name)
                                   : renamed(rename_pattern_, name, i + 1, folder_name));
        work.in_the_way.push_back(
            work.beside ? source_in_the_way(work.outputs[i], name, *work.images) : nullptr);
    }
    return work;
}

// A destination that does not exist yet is no folder of the source tree, which exists.
bool FolderFeed::written_into_before(int index) const {
    const auto id = file_identity(folders_[index].c_str());
    return id && destinations_.count(*id) > 0;
}
