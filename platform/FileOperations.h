#pragma once
// The file-system calls a copy of the open operation makes, behind one
// interface: the copy hands every path to the system through it, so tests can
// watch which form of each path reaches the system while the real calls run.
// Every call answers with the system's error code (ERROR_SUCCESS on success).
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace sorabako {

// Told the bytes of the current file copied so far and its size; false stops the copy.
using CopyTick = std::function<bool(ULONGLONG bytesCopied, ULONGLONG fileSize)>;

// Which folder a path leads to, wherever it was reached from: a junction or
// a link to a folder has the identity of its target.
struct FolderIdentity {
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

class FileOperations {
public:
    virtual ~FileOperations() = default;

    // Every entry of folder, hidden and system ones included, in the file
    // system's order, without "." and "..".
    virtual DWORD ListFolder(const std::wstring& folder,
                             const std::function<void(const WIN32_FIND_DATAW&)>& visit) = 0;
    virtual DWORD CreateFolder(const std::wstring& path) = 0;
    // CopyFileExW overwriting an existing target; a tick that answers false
    // cancels, and the system then removes the part already written
    // (ERROR_REQUEST_ABORTED).
    virtual DWORD Copy(const std::wstring& from, const std::wstring& to, const CopyTick& tick) = 0;
    // INVALID_FILE_ATTRIBUTES when nothing is there.
    virtual DWORD Attributes(const std::wstring& path) = 0;
    // Clears a read-only attribute first, as a copy may carry it over.
    virtual DWORD RemoveFile(const std::wstring& path) = 0;
    virtual DWORD RemoveFolder(const std::wstring& path) = 0;
    // Nullopt when the folder cannot be opened.
    virtual std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) = 0;
};

class Win32FileOperations final : public FileOperations {
public:
    DWORD ListFolder(const std::wstring& folder,
                     const std::function<void(const WIN32_FIND_DATAW&)>& visit) override;
    DWORD CreateFolder(const std::wstring& path) override;
    DWORD Copy(const std::wstring& from, const std::wstring& to, const CopyTick& tick) override;
    DWORD Attributes(const std::wstring& path) override;
    DWORD RemoveFile(const std::wstring& path) override;
    DWORD RemoveFolder(const std::wstring& path) override;
    std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) override;
};

// The progress routine Copy hands to CopyFileExW, with a CopyTick as its
// data: PROGRESS_CANCEL as soon as the tick answers false.
DWORD CALLBACK CopyTickRoutine(LARGE_INTEGER totalSize, LARGE_INTEGER transferred, LARGE_INTEGER streamSize,
                               LARGE_INTEGER streamTransferred, DWORD stream, DWORD reason, HANDLE source,
                               HANDLE target, LPVOID tick) noexcept;

}  // namespace sorabako
