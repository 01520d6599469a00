#include "workcopy/FolderTreeCopy.h"

#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "workcopy/CreatedEntries.h"
#include "workcopy/PathForms.h"
#include "workcopy/TreeCopyChecks.h"
#include "workcopy/TreeListing.h"

#include <algorithm>
#include <map>

namespace sorabako {
namespace {

std::wstring AbsolutePath(const std::wstring& path) {
    FullPathResult full = AbsoluteKeepingNames(path);
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

// Whose a target folder is: made by this copy, there before it (its entries
// may be overwritten), or not made at all (nothing goes into it).
enum class Made { Ours, Earlier, Skipped };

class TreeCopier {
public:
    TreeCopier(const std::wstring& source, const std::wstring& target, FileOperations& files,
               CopyProgress& progress)
        : target_(target), sourceSystem_(ExtendedForm(source)), targetSystem_(ExtendedForm(target)),
          files_(files), progress_(progress) {}

    CopyOutcome Copy(const TreeListing& listing) {
        const CopyProgress::UndoScope undo(progress_, [this] { created_.RemoveAll(files_, progress_); });
        progress_.SetTotal(listing.bytes + listing.entries.size());
        made_.assign(listing.entries.size(), Made::Skipped);
        top_ = CreateTarget() ? Made::Ours : Made::Earlier;
        if (listing.topError != ERROR_SUCCESS) outcome_.skipped.push_back({L"", true, listing.topError});
        EntryPaths paths(listing);
        for (std::size_t i = 0; i < listing.entries.size(); ++i) {
            const TreeEntry& entry = listing.entries[i];
            if (!progress_.KeepGoing(done_)) break;
            const std::wstring& relative = paths.Of(i);
            // A folder that was not made is reported once, for all it holds.
            if (ParentOf(entry) != Made::Skipped)
                entry.folder ? CopyFolder(entry, i, relative) : CopyOneFile(entry, relative);
            done_ += entry.size + 1;
        }
        // A Cancel pressed while the last file was copied counts as well.
        outcome_.cancelled = progress_.CancelPressed();
        if (outcome_.cancelled) {
            // The dialog stays up while the copy goes, and says so.
            progress_.ShowRemoving();
            created_.RemoveAll(files_, progress_);
            progress_.Close();
            outcome_.skipped.clear();
            outcome_.notRemoved = created_.Left();
        }
        return std::move(outcome_);
    }

private:
    // The target and every missing folder above it; true when the target is new.
    bool CreateTarget() {
        std::vector<std::wstring> missing{target_};
        for (const std::wstring& ancestor : AncestorFolders(target_)) {
            if (files_.Attributes(ExtendedForm(ancestor)).Folder()) break;
            missing.push_back(ancestor);
        }
        bool targetIsNew = false;
        for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
            // A failure shows later, as every entry then fails to copy.
            const std::wstring path = ExtendedForm(*folder);
            if (files_.CreateFolder(path) != ERROR_SUCCESS) continue;
            created_.Add(path, true);
            targetIsNew = *folder == target_;
        }
        return targetIsNew;
    }

    Made ParentOf(const TreeEntry& entry) const { return entry.parent == kTreeTop ? top_ : made_[entry.parent]; }

    void CopyFolder(const TreeEntry& entry, std::size_t index, const std::wstring& relative) {
        const std::wstring path = ChildPath(targetSystem_, relative);
        const DWORD error = files_.CreateFolder(path);
        if (error == ERROR_SUCCESS) {
            created_.Add(path, true);
            made_[index] = Made::Ours;
            NoteMade(entry);
        } else if (MayReuse(entry, error) && files_.Attributes(path).Folder()) {
            made_[index] = Made::Earlier;
        } else {
            outcome_.skipped.push_back({relative, true, error});
            return;
        }
        if (entry.listError != ERROR_SUCCESS) outcome_.skipped.push_back({relative, true, entry.listError});
    }

    void CopyOneFile(const TreeEntry& entry, const std::wstring& relative) {
        const std::wstring from = ChildPath(sourceSystem_, relative);
        const std::wstring to = ChildPath(targetSystem_, relative);
        const ULONGLONG before = done_;
        const CopyTick tick = [&](ULONGLONG bytes, ULONGLONG) { return progress_.KeepGoing(before + bytes); };
        // Only a file this copy creates is its own and goes again on Cancel.
        DWORD error = files_.Copy(from, to, ExistingTarget::Fail, tick);
        if (error == ERROR_SUCCESS) {
            created_.Add(to, false);
            NoteMade(entry);
            return;
        }
        if (progress_.Cancelled()) {
            // The system removes a new file cancelled halfway; one it had
            // finished goes with the rest.
            if (!files_.Attributes(to).Absent()) created_.Add(to, false);
            return;
        }
        if (MayReuse(entry, error)) error = files_.Copy(from, to, ExistingTarget::Overwrite, RunToTheEnd(tick));
        if (error != ERROR_SUCCESS) outcome_.skipped.push_back({relative, false, error});
    }

    // A name already taken in a folder that was there before is overwritten
    // (a file) or copied into (a folder), unless this copy took it itself: a
    // case-only twin from a case-sensitive source never replaces the first.
    // In a folder this copy made, every taken name is such a twin.
    bool MayReuse(const TreeEntry& entry, DWORD error) const {
        if (ParentOf(entry) != Made::Earlier || !IsAlreadyThere(error)) return false;
        const auto made = madeInEarlier_.find(entry.parent);
        return made == madeInEarlier_.end() ||
               std::none_of(made->second.begin(), made->second.end(),
                            [&](const std::wstring& name) { return SameNameIgnoringCase(name, entry.name); });
    }

    void NoteMade(const TreeEntry& entry) {
        if (ParentOf(entry) == Made::Earlier) madeInEarlier_[entry.parent].push_back(entry.name);
    }

    const std::wstring& target_;
    const std::wstring sourceSystem_;
    const std::wstring targetSystem_;
    FileOperations& files_;
    CopyProgress& progress_;
    CopyOutcome outcome_;
    CreatedEntries created_;
    Made top_ = Made::Earlier;
    std::vector<Made> made_;  // for each folder entry
    std::map<std::size_t, std::vector<std::wstring>> madeInEarlier_;  // names this copy made in earlier folders
    ULONGLONG done_ = 0;
};

}  // namespace

CopyOutcome CopyFolderTree(const std::wstring& sourcePath, const std::wstring& targetPath, CopyProgress& progress,
                           FileOperations& files) {
    const std::wstring source = AbsolutePath(sourcePath);
    const std::wstring target = AbsolutePath(targetPath);

    CheckTreeCopyPath(source);
    if (!IsExistingFolder(ExtendedForm(source))) throw AppError(L"The specified path was not found");
    CheckTarget(source, target);

    const std::wstring excluded = IsSameOrInside(target, source) ? target : std::wstring();
    const TreeListing listing = ReadTree(source, excluded, files, progress);
    if (progress.Cancelled()) {
        progress.Close();
        return CopyOutcome{true, {}, {}};
    }
    return TreeCopier(source, target, files, progress).Copy(listing);
}

CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target) {
    CopyProgress quiet;
    Win32FileOperations files;
    return CopyFolderTree(source, target, quiet, files);
}

}  // namespace sorabako
