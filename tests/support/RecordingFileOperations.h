#pragma once
// The real file-system calls of a copy, with every path they are handed
// noted on the way, and the few answers Wine cannot give played at the seam:
// junctions (Wine makes none), identities, failures to look, and a Cancel
// pressed in the real progress dialog while a file is copied.
#include "platform/FileOperations.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sorabako::test {

class RecordingFileOperations final : public FileOperations {
public:
    std::vector<std::wstring> paths;            // every path the system got, in order
    std::vector<std::wstring> identityLookups;  // the folders whose identity was asked for

    // Folders listed under these names are shown as junctions.
    std::set<std::wstring> junctionNames;
    // When set, answers IdentityOf instead of the system.
    std::function<std::optional<FolderIdentity>(const std::wstring& folder)> identityOf;
    // When set, Attributes fails with this error.
    std::optional<DWORD> attributesError;
    // Calls the tick at the start and at the end of the file as Windows'
    // CopyFileExW does (Wine never does) and, when it says stop, does what
    // the system then does: removes the target.
    bool playProgressRoutine = false;
    using CopyHook = std::function<void(const std::wstring& from, ExistingTarget existing)>;
    CopyHook whileCopying;     // between the two calls of the tick
    CopyHook beforeReturning;  // once the system has copied the file
    // When it answers an error, a removal fails with it as if another program held the entry.
    std::function<std::optional<DWORD>(const std::wstring& path)> removalFails;

    DWORD ListFolder(const std::wstring& folder,
                     const std::function<void(const WIN32_FIND_DATAW&)>& visit) override;
    DWORD CreateFolder(const std::wstring& path) override;
    DWORD Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
               const CopyTick& tick) override;
    PathAttributes Attributes(const std::wstring& path) override;
    DWORD RemoveFile(const std::wstring& path) override;
    DWORD RemoveFolder(const std::wstring& path) override;
    std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) override;

    // Paths that went to the system in plain form.
    std::vector<std::wstring> PlainPaths() const;
    std::size_t LongestPath() const;

private:
    DWORD Aborted(const std::wstring& to);
    Win32FileOperations real_;
};

// Presses Cancel in this process's progress dialog and waits until the
// dialog has taken it; false when no dialog is up.
bool PressCancelInProgressDialog();
// Waits until the bar of this process's progress dialog stands at its end.
bool WaitForFullProgressBar();

}  // namespace sorabako::test
