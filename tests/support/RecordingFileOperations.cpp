#include "support/RecordingFileOperations.h"

#include "support/OwnWindows.h"
#include "support/Polling.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace sorabako::test {
namespace {

constexpr UINT kAnswerWithinMs = 20000;

}  // namespace

DWORD RecordingFileOperations::ListFolder(const std::wstring& folder,
                                          const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    paths.push_back(folder + L"\\*");  // the pattern the system gets
    return real_.ListFolder(folder, [&](const WIN32_FIND_DATAW& entry) {
        if (!junctionNames.contains(entry.cFileName)) return visit(entry);
        WIN32_FIND_DATAW junction = entry;
        junction.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
        junction.dwReserved0 = IO_REPARSE_TAG_MOUNT_POINT;
        visit(junction);
    });
}

DWORD RecordingFileOperations::CreateFolder(const std::wstring& path) {
    paths.push_back(path);
    return real_.CreateFolder(path);
}

DWORD RecordingFileOperations::Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
                                    const CopyTick& tick) {
    paths.push_back(from);
    paths.push_back(to);
    const bool opensTarget = existing == ExistingTarget::Overwrite || real_.Attributes(to).Absent();
    const auto routineStops = [&](ULONGLONG bytes) { return playProgressRoutine && opensTarget && !tick(bytes, 1); };
    if (routineStops(0)) return Aborted(to);
    if (whileCopying) whileCopying(from, existing);
    if (routineStops(1)) return Aborted(to);
    const DWORD result = real_.Copy(from, to, existing, tick);
    if (beforeReturning) beforeReturning(from, existing);
    return result;
}

DWORD RecordingFileOperations::Aborted(const std::wstring& to) {
    real_.RemoveFile(to);
    return ERROR_REQUEST_ABORTED;
}

PathAttributes RecordingFileOperations::Attributes(const std::wstring& path) {
    paths.push_back(path);
    if (attributesError) return {*attributesError, INVALID_FILE_ATTRIBUTES};
    return real_.Attributes(path);
}

DWORD RecordingFileOperations::RemoveFile(const std::wstring& path) {
    paths.push_back(path);
    if (const auto held = removalFails ? removalFails(path) : std::nullopt) return *held;
    return real_.RemoveFile(path);
}

DWORD RecordingFileOperations::RemoveFolder(const std::wstring& path) {
    paths.push_back(path);
    if (const auto held = removalFails ? removalFails(path) : std::nullopt) return *held;
    return real_.RemoveFolder(path);
}

std::optional<FolderIdentity> RecordingFileOperations::IdentityOf(const std::wstring& folder) {
    paths.push_back(folder);
    identityLookups.push_back(folder);
    return identityOf ? identityOf(folder) : real_.IdentityOf(folder);
}

std::vector<std::wstring> RecordingFileOperations::PlainPaths() const {
    std::vector<std::wstring> plain;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(plain),
                 [](const std::wstring& path) { return path.rfind(L"\\\\?\\", 0) != 0; });
    return plain;
}

std::size_t RecordingFileOperations::LongestPath() const {
    std::size_t longest = 0;
    for (const std::wstring& path : paths) longest = std::max(longest, path.size());
    return longest;
}

bool PressCancelInProgressDialog() {
    const HWND dialog = OwnProgressDialog();
    if (!dialog) return false;
    // The dialog runs on a thread of its own; a sent click returns once it is handled.
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerWithinMs,
                                 &result) != 0;
}

}  // namespace sorabako::test

namespace sorabako::test {

bool WaitForFullProgressBar() {
    const HWND bar = ::FindWindowExW(OwnProgressDialog(), nullptr, PROGRESS_CLASSW, nullptr);
    return bar && WaitUntil([bar] {
               const auto high = ::SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
               return high > 0 && ::SendMessageW(bar, PBM_GETPOS, 0, 0) == high;
           });
}

}  // namespace sorabako::test
