#include "workcopy/WorkFileCopy.h"

#include "platform/FileSystem.h"
#include "workcopy/PathForms.h"

namespace sorabako {
namespace {

// The extended form skips the system's own clean-up of a path ("..", "/"),
// so a long path is made absolute and normal first.
std::wstring ForTheSystem(const std::wstring& path) {
    if (path.size() < kExtendedFormFrom) return path;
    const FullPathResult full = FullPathName(path);
    return SystemForm(full.error == ERROR_SUCCESS ? full.path : path);
}

}  // namespace

bool CopyWorkFile(const std::wstring& source, const std::wstring& workPath, CopyProgress& progress,
                  FileOperations& files) {
    const std::wstring to = ForTheSystem(workPath);
    const bool existed = files.Attributes(to) != INVALID_FILE_ATTRIBUTES;
    const CopyTick tick = [&](ULONGLONG bytes, ULONGLONG size) {
        progress.SetTotal(size);
        return progress.KeepGoing(bytes);
    };
    files.Copy(ForTheSystem(source), to, tick);
    if (!progress.Cancelled()) return false;
    progress.Close();
    // Normally the system has removed the part written; a copy that had
    // just finished when Cancel came is removed here.
    if (!existed && files.Attributes(to) != INVALID_FILE_ATTRIBUTES) files.RemoveFile(to);
    return true;
}

}  // namespace sorabako
