#include "workcopy/TreeListing.h"

#include "workcopy/PathForms.h"
#include "workcopy/TreeCopyChecks.h"

#include <optional>

namespace sorabako {
namespace {

struct Found {
    std::wstring name;
    bool folder;
    bool mayLoop;
    ULONGLONG size;
};

// Only a junction, a symbolic link or a mount point leads elsewhere; other
// reparse points (cloud placeholders, deduplicated files) are what they seem.
bool MayLoop(const WIN32_FIND_DATAW& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && IsReparseTagNameSurrogate(found.dwReserved0);
}

// A folder the walk is inside: what it holds and how far the walk has got.
struct OpenFolder {
    OpenFolder(std::size_t entryIndex, std::size_t relativeLength) : entry(entryIndex), pathLength(relativeLength) {}

    std::size_t entry;       // kTreeTop for the source
    std::size_t pathLength;  // of its relative path
    std::vector<Found> children;
    std::size_t next = 0;
    std::optional<FolderIdentity> identity;  // looked up only when a loop check needs it
    bool identityRead = false;
};

class TreeReader {
public:
    TreeReader(const std::wstring& source, const std::wstring& excluded, FileOperations& files,
               CopyProgress& progress)
        : source_(source), system_(ExtendedForm(source)), excluded_(excluded), files_(files), progress_(progress) {}

    TreeListing Read() {
        open_.emplace_back(kTreeTop, 0);
        listing_.topError = List(L"", open_.back());
        while (!open_.empty() && progress_.KeepGoing(0)) Step();
        return std::move(listing_);
    }

private:
    void Step() {
        OpenFolder& folder = open_.back();
        if (folder.next == folder.children.size()) {
            open_.pop_back();
            return;
        }
        Found found = std::move(folder.children[folder.next++]);
        listing_.bytes += found.size;
        listing_.entries.push_back({std::move(found.name), found.folder, found.size, folder.entry, ERROR_SUCCESS});
        const std::size_t index = listing_.entries.size() - 1;
        const std::wstring& relative = paths_.Of(index);
        if (found.folder) Enter(index, relative, found.mayLoop);  // last: it may move open_
    }

    void Enter(std::size_t index, const std::wstring& relative, bool mayLoop) {
        OpenFolder folder(index, relative.size());
        if (mayLoop) {
            folder.identity = files_.IdentityOf(SystemPath(relative));
            folder.identityRead = true;
            // A junction or link back to a folder above it would lead the walk
            // round and round: it is made but not walked into, and reported.
            if (folder.identity && LeadsBackUp(*folder.identity, relative)) {
                listing_.entries[index].listError = ERROR_CANT_RESOLVE_FILENAME;
                return;
            }
        }
        listing_.entries[index].listError = List(relative, folder);
        open_.push_back(std::move(folder));
    }

    // Ordinary folders cannot loop: their identities are read only here, once
    // each, when a link below them needs the comparison.
    bool LeadsBackUp(const FolderIdentity& identity, const std::wstring& relative) {
        if (!identity.Known()) return false;
        for (OpenFolder& above : open_) {
            if (!above.identityRead) {
                above.identity = files_.IdentityOf(SystemPath(relative.substr(0, above.pathLength)));
                above.identityRead = true;
            }
            if (above.identity == identity) return true;
        }
        return false;
    }

    DWORD List(const std::wstring& relative, OpenFolder& folder) {
        return files_.ListFolder(SystemPath(relative), [&](const WIN32_FIND_DATAW& found) {
            const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (isFolder && IsExcluded(relative, found.cFileName)) return;
            const ULONGLONG size = isFolder ? 0 : (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            folder.children.push_back({found.cFileName, isFolder, MayLoop(found), size});
        });
    }

    bool IsExcluded(const std::wstring& relative, const wchar_t* name) const {
        if (excluded_.empty()) return false;
        const std::wstring folder = relative.empty() ? source_ : ChildPath(source_, relative);
        return NameSameFolder(ChildPath(folder, name), excluded_);
    }

    std::wstring SystemPath(const std::wstring& relative) const {
        return relative.empty() ? system_ : ChildPath(system_, relative);
    }

    const std::wstring& source_;
    const std::wstring system_;
    const std::wstring& excluded_;
    FileOperations& files_;
    CopyProgress& progress_;
    TreeListing listing_;
    EntryPaths paths_{listing_};
    std::vector<OpenFolder> open_;  // the source and the folders below it down to the one being read
};

}  // namespace

TreeListing ReadTree(const std::wstring& source, const std::wstring& excluded, FileOperations& files,
                     CopyProgress& progress) {
    return TreeReader(source, excluded, files, progress).Read();
}

const std::wstring& EntryPaths::Of(std::size_t index) {
    const TreeEntry& entry = entries_[index];
    while (!open_.empty() && open_.back().folder != entry.parent) open_.pop_back();
    path_.resize(open_.empty() ? 0 : open_.back().length);
    if (!path_.empty()) path_ += L'\\';
    path_ += entry.name;
    if (entry.folder) open_.push_back({index, path_.size()});
    return path_;
}

}  // namespace sorabako
