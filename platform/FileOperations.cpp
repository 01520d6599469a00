#include "platform/FileOperations.h"

#include "platform/FileSystem.h"
#include "platform/UniqueHandle.h"

#include <cstring>

namespace sorabako {
namespace {

DWORD ResultOf(BOOL succeeded) {
    return succeeded ? ERROR_SUCCESS : ::GetLastError();
}

}  // namespace

DWORD CALLBACK CopyTickRoutine(LARGE_INTEGER totalSize, LARGE_INTEGER transferred, LARGE_INTEGER, LARGE_INTEGER, DWORD,
                               DWORD, HANDLE, HANDLE, LPVOID tick) noexcept {
    // The tick only reads a clock and a flag; it raises nothing.
    const auto& keepGoing = *static_cast<const CopyTick*>(tick);
    return keepGoing(static_cast<ULONGLONG>(transferred.QuadPart), static_cast<ULONGLONG>(totalSize.QuadPart)) ? PROGRESS_CONTINUE : PROGRESS_CANCEL;
}

DWORD Win32FileOperations::ListFolder(const std::wstring& folder,
                                      const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    return ForEachFolderEntry(folder, visit);
}

DWORD Win32FileOperations::CreateFolder(const std::wstring& path) {
    return ResultOf(::CreateDirectoryW(path.c_str(), nullptr));
}

DWORD Win32FileOperations::Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
                                const CopyTick& tick) {
    const DWORD flags = existing == ExistingTarget::Fail ? COPY_FILE_FAIL_IF_EXISTS : 0;
    return ResultOf(
        ::CopyFileExW(from.c_str(), to.c_str(), CopyTickRoutine, const_cast<CopyTick*>(&tick), nullptr, flags));
}

PathAttributes Win32FileOperations::Attributes(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return {attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : ERROR_SUCCESS, attributes};
}

DWORD Win32FileOperations::RemoveFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    return ResultOf(::DeleteFileW(path.c_str()));
}

DWORD Win32FileOperations::RemoveFolder(const std::wstring& path) {
    return ResultOf(::RemoveDirectoryW(path.c_str()));
}

std::optional<FolderIdentity> Win32FileOperations::IdentityOf(const std::wstring& folder) {
    UniqueFileHandle handle(::CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return std::nullopt;
    FolderIdentity identity;
    FILE_ID_INFO id{};
    if (::GetFileInformationByHandleEx(handle.Get(), FileIdInfo, &id, sizeof(id))) {
        identity.volume = id.VolumeSerialNumber;
        std::memcpy(identity.file.data(), id.FileId.Identifier, identity.file.size());
        return identity;
    }
    // Volumes without 128-bit ids (FAT, some network file systems).
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle.Get(), &information)) return std::nullopt;
    const ULONGLONG index = (static_cast<ULONGLONG>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    identity.volume = information.dwVolumeSerialNumber;
    std::memcpy(identity.file.data(), &index, sizeof(index));
    return identity;
}

}  // namespace sorabako
