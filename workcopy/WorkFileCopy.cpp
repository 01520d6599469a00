#include "workcopy/WorkFileCopy.h"

#include "workcopy/CreatedEntries.h"
#include "workcopy/PathForms.h"

namespace sorabako {
namespace {

// The extended form skips the system's own clean-up of a path ("..", "/"),
// so a path is made absolute and normal first, keeping its names as they are.
std::wstring ForTheSystem(const std::wstring& path) {
    const FullPathResult full = AbsoluteKeepingNames(path);
    return ExtendedForm(full.error == ERROR_SUCCESS ? full.path : path);
}

}  // namespace

CopyOutcome CopyWorkFile(const std::wstring& source, const std::wstring& workPath, CopyProgress& progress,
                         FileOperations& files) {
    const std::wstring from = ForTheSystem(source);
    const std::wstring to = ForTheSystem(workPath);
    const CopyTick tick = [&](ULONGLONG bytes, ULONGLONG size) {
        progress.SetTotal(size);
        return progress.KeepGoing(bytes);
    };
    // A file already at the work path is overwritten, but never taken for this copy's own.
    const DWORD error = files.Copy(from, to, ExistingTarget::Fail, tick);
    const bool created = error == ERROR_SUCCESS || (error == ERROR_REQUEST_ABORTED && !files.Attributes(to).Absent());
    if (IsAlreadyThere(error)) files.Copy(from, to, ExistingTarget::Overwrite, RunToTheEnd(tick));
    // A Cancel pressed as the copy ended counts as well.
    if (!progress.CancelPressed()) return {};
    // Normally the system has removed the part written; a copy that had
    // just finished when Cancel came is removed here.
    CreatedEntries made;
    if (created) made.Add(to, false);
    progress.ShowRemoving();
    made.RemoveAll(files, progress);
    progress.Close();
    return CopyOutcome{true, {}, made.Left()};
}

}  // namespace sorabako
