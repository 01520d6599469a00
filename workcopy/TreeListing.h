#pragma once
// The source tree of a folder copy, read whole before anything is copied so
// that the bar can go by bytes. The walk holds its place in a list of its
// own, not on the call stack, so a tree may be as deep as the system's path
// length allows.
#include "platform/FileOperations.h"
#include "workcopy/CopyProgress.h"

#include <string>
#include <vector>

namespace sorabako {

inline constexpr std::size_t kTreeTop = static_cast<std::size_t>(-1);

struct TreeEntry {
    std::wstring name;
    bool folder = false;
    ULONGLONG size = 0;
    std::size_t parent = kTreeTop;  // the folder entry it lies in; kTreeTop for the source itself
    DWORD listError = ERROR_SUCCESS;  // why a folder's entries were not read: unreadable, or a way back up the tree
};

// Depth first, in the order the file system lists each folder: every folder
// comes before what it holds.
struct TreeListing {
    std::vector<TreeEntry> entries;
    ULONGLONG bytes = 0;
    DWORD topError = ERROR_SUCCESS;
};

// Reads the tree below source (absolute, plain form), leaving out the folder
// excluded (the copy being built, when it lies inside the source). Stops
// early when the progress says the user cancelled.
TreeListing ReadTree(const std::wstring& source, const std::wstring& excluded, FileOperations& files,
                     CopyProgress& progress);

// The relative paths (plain form) of a listing's entries, asked for in the
// listing's order; only the folders above the current entry are held.
class EntryPaths {
public:
    explicit EntryPaths(const TreeListing& listing) : entries_(listing.entries) {}
    const std::wstring& Of(std::size_t index);

private:
    struct Open {
        std::size_t folder;
        std::size_t length;  // of path_ with that folder's name
    };
    const std::vector<TreeEntry>& entries_;
    std::vector<Open> open_;
    std::wstring path_;
};

}  // namespace sorabako
