#include "platform/file_io.h"

#include <climits>
#include <vector>

#include "base/text_mode.h"
#include "platform/wide_path.h"

unique_file open_for_reading(const std::string& path) {
    return unique_file(CreateFileW(wide_path(path).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> read_file(const std::string& path) {
    const unique_file file = open_for_reading(path);
    if (!file)
        return std::nullopt;
    std::string data;
    char chunk[64 * 1024];
    for (DWORD got; ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr);) {
        if (got == 0)
            return data;
        data.append(chunk, got);
    }
    return std::nullopt;
}

std::optional<std::string> read_file_start(const std::string& path, std::size_t length) {
    const unique_file file = open_for_reading(path);
    std::string data(length, '\0');
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), data.data(), DWORD(length), &got, nullptr))
        return std::nullopt;
    data.resize(got);
    return data;
}

unique_stream open_stream_for_reading(const std::string& path) {
    return unique_stream(_wfopen(wide_path(path).c_str(), L"rb"));
}

bool write_all(const unique_file& file, std::string_view data) {
    if (!file)
        return false;
    while (!data.empty()) {
        const DWORD want = data.size() > INT_MAX ? INT_MAX : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(file.get(), data.data(), want, &written, nullptr) || written == 0)
            return false;
        data.remove_prefix(written);
    }
    return true;
}

namespace {

unique_file create_file(const std::string& path, DWORD disposition) {
    return unique_file(CreateFileW(wide_path(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                   disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The attributes a file that replaces another takes from it. Read-only is not among them: such
// a file is not replaced at all.
constexpr DWORD CarriedAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

} // namespace

// Opened for appending and closed at once: never written to.
bool create_if_missing(const std::string& path) {
    const unique_file file(CreateFileW(wide_path(path).c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

unique_file create_for_writing(const std::string& path) {
    return create_file(path, CREATE_ALWAYS);
}

bool write_file(const std::string& path, std::string_view data) {
    return write_all(create_for_writing(path), data);
}

bool write_new_file(const std::string& path, std::string_view data) {
    return write_all(create_file(path, CREATE_NEW), data);
}

namespace {

// A file's security descriptor with its access list; empty when it cannot be read.
std::vector<char> access_of(const std::string& path) {
    DWORD size = 0;
    GetFileSecurityW(wide_path(path).c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
    std::vector<char> descriptor(size);
    if (size == 0 || !GetFileSecurityW(wide_path(path).c_str(), DACL_SECURITY_INFORMATION,
                                       descriptor.data(), size, &size))
        descriptor.clear();
    return descriptor;
}

// The access list of a descriptor; null when it has none (open to all) or is empty.
ACL* access_list(std::vector<char>& descriptor) {
    BOOL present = FALSE, defaulted = FALSE;
    ACL* list = nullptr;
    if (descriptor.empty() ||
        !GetSecurityDescriptorDacl(descriptor.data(), &present, &list, &defaulted) || !present)
        return nullptr;
    return list;
}

// The list's entries that allow, one by one.
template <typename Visit> void for_each_allowing_entry(ACL* list, Visit visit) {
    void* entry = nullptr;
    for (DWORD i = 0; list && i < list->AceCount; ++i)
        if (GetAce(list, i, &entry) &&
            static_cast<ACE_HEADER*>(entry)->AceType == ACCESS_ALLOWED_ACE_TYPE)
            visit(*static_cast<ACCESS_ALLOWED_ACE*>(entry));
}

// Takes from the new file's access list whatever the replaced file's list does not allow, so a
// result is open to no one the file it replaces was closed to; a list that allows no more is
// left as the folder gave it. Under Wine the list stands for the Unix permission bits, which no
// Win32 call carries exactly: Wine grants execute with every read (left out here, a picture is
// no program) and knows no group, whose bits follow the owner's once a list is set, so 600
// comes out 660 and 644 stays 644. Copying the replaced file's list whole would turn 644 into
// 775; ReplaceFile keeps no bits there and deletes the original before the result moves in.
void narrow_access(const std::string& replaced, const std::string& file) {
    std::vector<char> theirs = access_of(replaced), ours = access_of(file);
    ACL* their_list = access_list(theirs);
    ACL* our_list = access_list(ours);
    if (!their_list)
        return; // the replaced file is open to all, or its list cannot be read
    bool narrowed = false;
    for_each_allowing_entry(our_list, [&](ACCESS_ALLOWED_ACE& our_entry) {
        ACCESS_MASK allowed = 0;
        for_each_allowing_entry(their_list, [&](ACCESS_ALLOWED_ACE& their_entry) {
            if (EqualSid(&their_entry.SidStart, &our_entry.SidStart))
                allowed |= their_entry.Mask;
        });
        narrowed |= (our_entry.Mask & ~allowed) != 0;
        our_entry.Mask &= allowed;
    });
    if (!narrowed)
        return;
    for_each_allowing_entry(our_list,
                            [](ACCESS_ALLOWED_ACE& entry) { entry.Mask &= ~FILE_EXECUTE; });
    SetFileSecurityW(wide_path(file).c_str(), DACL_SECURITY_INFORMATION, ours.data());
}

} // namespace

// Windows refuses to move a file over a read-only one; under Wine the rename would go through,
// so the rule is checked here for both. Neither the attributes nor the access list may stop the
// move: a file system that keeps none (FAT) refuses to set them, and gives every file the same.
bool replace_file(const std::string& file, const std::string& target) {
    const DWORD attributes = GetFileAttributesW(wide_path(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            return false;
        if (attributes & CarriedAttributes)
            SetFileAttributesW(wide_path(file).c_str(), attributes & CarriedAttributes);
        narrow_access(target, file);
    }
    return MoveFileExW(wide_path(file).c_str(), wide_path(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING);
}

std::optional<std::string> read_text_file(const std::string& path) {
    auto disk = read_file(path);
    if (!disk)
        return std::nullopt;
    return from_text_mode(*disk);
}

bool write_text_file(const std::string& path, std::string_view text) {
    return write_file(path, to_text_mode(text));
}
