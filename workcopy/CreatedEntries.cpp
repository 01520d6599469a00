#include "workcopy/CreatedEntries.h"

#include "workcopy/PathForms.h"

#include <algorithm>

namespace sorabako {
namespace {

bool IsGone(DWORD error) {
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Held for a moment by another program; a folder that is not empty is not.
bool MayFreeSoon(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

}  // namespace

void CreatedEntries::RemoveAll(FileOperations& files, CopyProgress& progress) {
    std::vector<Created> left;
    for (auto entry = created_.rbegin(); entry != created_.rend(); ++entry) {
        progress.KeepQueueMoving();
        const auto remove = [&] { return entry->folder ? files.RemoveFolder(entry->path) : files.RemoveFile(entry->path); };
        DWORD error = remove();
        for (int tries = 1; MayFreeSoon(error) && tries < kTriesPerEntry && pausesLeft_ > 0; ++tries, --pausesLeft_) {
            progress.PauseBeforeRetry();
            error = remove();
        }
        if (!IsGone(error)) left.push_back({entry->path, entry->folder, error});
    }
    std::reverse(left.begin(), left.end());
    created_ = std::move(left);
}

std::vector<SkippedEntry> CreatedEntries::Left() const {
    std::vector<SkippedEntry> left;
    for (const Created& entry : created_) left.push_back({PlainForm(entry.path), entry.folder, entry.error});
    return left;
}

}  // namespace sorabako
