#include "workcopy/FolderTreeCopy.h"

#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "workcopy/PathForms.h"
#include "workcopy/TreeCopyChecks.h"

#include <algorithm>

namespace sorabako {
namespace {

std::wstring AbsolutePath(const std::wstring& path) {
    FullPathResult full = FullPathName(path);
    if (full.error == ERROR_SUCCESS) return full.path;
    if (full.error != ERROR_FILE_NOT_FOUND) ThrowSystemError(full.error);
    return path;
}

void CheckTarget(const std::wstring& source, const std::wstring& target) {
    CheckTreeCopyPath(target);
    if (NameSameFolder(source, target))
        throw AppError(L"The source directory is the same as the destination directory");
    if (!IsUncPath(target) && target.size() >= 2 && target[1] == L':' &&
        !LogicalDriveExists(target[0]))
        throw AppError(L"The drive cannot be found");
}

bool IsFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

constexpr std::size_t kTop = static_cast<std::size_t>(-1);

// One entry of the source tree. The tree is read whole before anything is
// copied, so that the bar can go by bytes; the walk itself costs nothing
// extra, it only runs ahead of the copies.
struct TreeEntry {
    std::wstring relative;  // plain form, relative to the source
    bool folder;
    ULONGLONG size;
    std::size_t parent;  // index of the folder entry it lies in, kTop for the source itself
    DWORD listError;     // why a folder's entries were not read: unreadable, or a way back up the tree
};

struct TreeListing {
    std::vector<TreeEntry> entries;
    ULONGLONG bytes = 0;
    DWORD topError = ERROR_SUCCESS;
};

class TreeReader {
public:
    TreeReader(const std::wstring& source, const std::wstring& excluded, FileOperations& files,
               CopyProgress& progress)
        : source_(source), excluded_(excluded), files_(files), progress_(progress) {}

    // Depth first, in the order the file system lists each folder.
    TreeListing Read() {
        if (const auto top = files_.IdentityOf(SystemForm(source_))) walked_.push_back(*top);
        listing_.topError = List(L"", kTop);
        return std::move(listing_);
    }

private:
    DWORD List(const std::wstring& relative, std::size_t parent) {
        const std::wstring folder = relative.empty() ? source_ : ChildPath(source_, relative);
        return files_.ListFolder(SystemForm(folder), [&](const WIN32_FIND_DATAW& found) {
            if (!progress_.KeepGoing(0)) return;
            const std::wstring child = relative.empty() ? std::wstring(found.cFileName)
                                                        : ChildPath(relative, found.cFileName);
            const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (folderEntry && NameSameFolder(ChildPath(source_, child), excluded_)) return;
            const ULONGLONG size =
                folderEntry ? 0 : (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            listing_.bytes += size;
            listing_.entries.push_back({child, folderEntry, size, parent, ERROR_SUCCESS});
            if (!folderEntry) return;
            const std::size_t index = listing_.entries.size() - 1;
            const DWORD error = Descend(child, index);  // adds entries: index, not a reference
            listing_.entries[index].listError = error;
        });
    }

    // A junction or link back to a folder above it would lead the walk round
    // and round; paths of any length no longer stop it, so such a folder is
    // made but not walked into, and reported.
    DWORD Descend(const std::wstring& relative, std::size_t index) {
        const auto identity = files_.IdentityOf(SystemForm(ChildPath(source_, relative)));
        if (identity && std::find(walked_.begin(), walked_.end(), *identity) != walked_.end())
            return ERROR_CANT_RESOLVE_FILENAME;
        if (identity) walked_.push_back(*identity);
        const DWORD error = List(relative, index);
        if (identity) walked_.pop_back();
        return error;
    }

    const std::wstring& source_;
    const std::wstring& excluded_;  // the copy being built, when it lies inside the source
    FileOperations& files_;
    CopyProgress& progress_;
    TreeListing listing_;
    std::vector<FolderIdentity> walked_;  // the folders from the source down to the one being read
};

// What this copy created, in order, so that a cancelled copy removes exactly
// that and nothing that was there before.
class CreatedEntries {
public:
    void Add(std::wstring systemPath, bool folder) { created_.push_back({std::move(systemPath), folder}); }
    // Newest first; what cannot go yet (a folder that still holds the file
    // being copied) stays listed for the next call.
    void RemoveAll(FileOperations& files) {
        std::vector<Created> left;
        for (auto entry = created_.rbegin(); entry != created_.rend(); ++entry) {
            const DWORD error = entry->folder ? files.RemoveFolder(entry->path) : files.RemoveFile(entry->path);
            if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
                left.insert(left.begin(), *entry);
        }
        created_ = std::move(left);
    }

private:
    struct Created {
        std::wstring path;
        bool folder;
    };
    std::vector<Created> created_;
};

class TreeCopier {
public:
    TreeCopier(const std::wstring& source, const std::wstring& target, FileOperations& files,
               CopyProgress& progress)
        : source_(source), target_(target), files_(files), progress_(progress) {}

    CopyOutcome Copy(const TreeListing& listing) {
        const CopyProgress::UndoScope undo(progress_, [this] { created_.RemoveAll(files_); });
        progress_.SetTotal(listing.bytes + listing.entries.size());
        const bool topIsOurs = CreateTarget();
        if (listing.topError != ERROR_SUCCESS) outcome_.skipped.push_back({L"", true, listing.topError});
        ours_.assign(listing.entries.size(), false);
        for (std::size_t i = 0; i < listing.entries.size(); ++i) {
            const TreeEntry& entry = listing.entries[i];
            const bool parentIsOurs = entry.parent == kTop ? topIsOurs : ours_[entry.parent];
            if (!progress_.KeepGoing(done_)) break;
            entry.folder ? CopyFolder(entry, i) : CopyOneFile(entry, parentIsOurs);
            done_ += entry.size + 1;
        }
        outcome_.cancelled = progress_.Cancelled();
        if (outcome_.cancelled) {
            progress_.Close();
            created_.RemoveAll(files_);
            outcome_.skipped.clear();
        }
        return std::move(outcome_);
    }

private:
    // The target and every missing folder above it; true when the target is new.
    bool CreateTarget() {
        std::vector<std::wstring> missing{target_};
        for (const std::wstring& ancestor : AncestorFolders(target_)) {
            if (IsFolder(files_.Attributes(SystemForm(ancestor)))) break;
            missing.push_back(ancestor);
        }
        bool targetIsNew = false;
        for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
            // A failure shows later, as every entry then fails to copy.
            if (files_.CreateFolder(SystemForm(*folder)) != ERROR_SUCCESS) continue;
            created_.Add(SystemForm(*folder), true);
            targetIsNew = *folder == target_;
        }
        return targetIsNew;
    }

    void CopyFolder(const TreeEntry& entry, std::size_t index) {
        const std::wstring path = SystemForm(ChildPath(target_, entry.relative));
        const DWORD error = files_.CreateFolder(path);
        if (error == ERROR_SUCCESS) {
            created_.Add(path, true);
            ours_[index] = true;
        } else if (!(error == ERROR_ALREADY_EXISTS && IsFolder(files_.Attributes(path)))) {
            outcome_.skipped.push_back({entry.relative, true, error});
            return;
        }
        if (entry.listError != ERROR_SUCCESS) outcome_.skipped.push_back({entry.relative, true, entry.listError});
    }

    void CopyOneFile(const TreeEntry& entry, bool parentIsOurs) {
        const std::wstring to = SystemForm(ChildPath(target_, entry.relative));
        // In a folder this copy made, nothing can be in the way; elsewhere a
        // file already there is overwritten, not made, and stays on Cancel.
        const bool ours = parentIsOurs || files_.Attributes(to) == INVALID_FILE_ATTRIBUTES;
        const ULONGLONG before = done_;
        const CopyTick tick = [&](ULONGLONG bytes, ULONGLONG) { return progress_.KeepGoing(before + bytes); };
        const DWORD error = files_.Copy(SystemForm(ChildPath(source_, entry.relative)), to, tick);
        if (error == ERROR_SUCCESS) {
            if (ours) created_.Add(to, false);
        } else if (progress_.Cancelled()) {
            // The system removes a file cancelled halfway; one it finished stays ours.
            if (ours && files_.Attributes(to) != INVALID_FILE_ATTRIBUTES) created_.Add(to, false);
        } else {
            outcome_.skipped.push_back({entry.relative, false, error});
        }
    }

    const std::wstring& source_;
    const std::wstring& target_;
    FileOperations& files_;
    CopyProgress& progress_;
    CopyOutcome outcome_;
    CreatedEntries created_;
    std::vector<bool> ours_;  // folder entries this copy created
    ULONGLONG done_ = 0;
};

}  // namespace

CopyOutcome CopyFolderTree(const std::wstring& sourcePath, const std::wstring& targetPath, CopyProgress& progress,
                           FileOperations& files) {
    const std::wstring source = AbsolutePath(sourcePath);
    const std::wstring target = AbsolutePath(targetPath);

    CheckTreeCopyPath(source);
    if (!IsExistingFolder(source)) throw AppError(L"The specified path was not found");
    CheckTarget(source, target);

    const std::wstring excluded = IsSameOrInside(target, source) ? target : std::wstring();
    const TreeListing listing = TreeReader(source, excluded, files, progress).Read();
    if (progress.Cancelled()) {
        progress.Close();
        return CopyOutcome{true, {}};
    }
    return TreeCopier(source, target, files, progress).Copy(listing);
}

CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target) {
    CopyProgress quiet;
    Win32FileOperations files;
    return CopyFolderTree(source, target, quiet, files);
}

}  // namespace sorabako
