#pragma once
// The file-system calls a copy of the open operation makes, behind one
// interface: the copy hands every path to the system through it, so tests can
// watch which form of each path reaches the system while the real calls run.
// Every call answers with the system's error code (ERROR_SUCCESS on success).
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace sorabako {

// Told the bytes of the current file copied so far and its size; false stops the copy.
using CopyTick = std::function<bool(ULONGLONG bytesCopied, ULONGLONG fileSize)>;

// The same tick, but it never stops the copy: the system removes the target
// of a copy cancelled halfway, and a file being overwritten was there before.
inline CopyTick RunToTheEnd(CopyTick tick) {
    return [tick = std::move(tick)](ULONGLONG bytesCopied, ULONGLONG fileSize) {
        tick(bytesCopied, fileSize);
        return true;
    };
}

enum class ExistingTarget { Fail, Overwrite };

// What the system answered when asked for a path's attributes. Only "file
// not found" and "path not found" say that nothing is there: after any other
// failure (access denied, a sharing violation, a network error) something
// may well be.
struct PathAttributes {
    DWORD error = ERROR_SUCCESS;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;

    bool Absent() const { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }
    bool Folder() const { return error == ERROR_SUCCESS && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Which folder a path leads to, wherever it was reached from: a junction or
// a link to a folder has the identity of its target. The 128-bit file id
// where the volume gives one (ReFS reuses 64-bit indexes), else the 64-bit
// index in its low bytes.
struct FolderIdentity {
    ULONGLONG volume = 0;
    std::array<BYTE, 16> file{};

    // Some network file systems answer 0 for every folder: no identity at all.
    bool Known() const {
        for (BYTE b : file)
            if (b != 0) return true;
        return false;
    }
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
    // CopyFileExW; with ExistingTarget::Fail a target already there is left
    // as it is (ERROR_FILE_EXISTS). A tick that answers false cancels, and
    // the system then removes the part already written (ERROR_REQUEST_ABORTED).
    virtual DWORD Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
                       const CopyTick& tick) = 0;
    virtual PathAttributes Attributes(const std::wstring& path) = 0;
    // Clears a read-only attribute first, as a copy may carry it over.
    virtual DWORD RemoveFile(const std::wstring& path) = 0;
    virtual DWORD RemoveFolder(const std::wstring& path) = 0;
    // Opens the folder (following a link); nullopt when it cannot be opened.
    virtual std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) = 0;
};

class Win32FileOperations final : public FileOperations {
public:
    DWORD ListFolder(const std::wstring& folder,
                     const std::function<void(const WIN32_FIND_DATAW&)>& visit) override;
    DWORD CreateFolder(const std::wstring& path) override;
    DWORD Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
               const CopyTick& tick) override;
    PathAttributes Attributes(const std::wstring& path) override;
    DWORD RemoveFile(const std::wstring& path) override;
    DWORD RemoveFolder(const std::wstring& path) override;
    std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) override;
};

// The progress routine Copy hands to CopyFileExW, with a CopyTick as its
// data: PROGRESS_CANCEL as soon as the tick answers false.
DWORD CALLBACK CopyTickRoutine(LARGE_INTEGER totalSize, LARGE_INTEGER transferred, LARGE_INTEGER streamSize,
                               LARGE_INTEGER streamTransferred, DWORD stream, DWORD reason, HANDLE source,
                               HANDLE target, LPVOID tick) noexcept;

// A target that Copy with ExistingTarget::Fail found already there.
inline bool IsAlreadyThere(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

}  // namespace sorabako
