#include "platform/FileSystem.h"

#include "platform/UniqueHandle.h"

#include <shlobj.h>

namespace sorabako {
namespace {

// Runs a Win32 call of the "returns the needed length when the buffer is too
// small" family until the whole result fits.
template <typename Call>
std::optional<std::wstring> ReadGrowing(Call call, DWORD initialSize = MAX_PATH + 1) {
    std::wstring buffer(initialSize, L'\0');
    for (;;) {
        const DWORD length = call(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::nullopt;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.assign(length + 1, L'\0');
    }
}

}  // namespace

std::optional<std::wstring> LongPathName(const std::wstring& path) {
    return ReadGrowing([&](wchar_t* buffer, DWORD size) {
        return ::GetLongPathNameW(path.c_str(), buffer, size);
    });
}

std::optional<std::wstring> TempPath() {
    return ReadGrowing([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); });
}

FullPathResult FullPathName(const std::wstring& path) {
    FullPathResult result;
    const auto full = ReadGrowing([&](wchar_t* buffer, DWORD size) {
        return ::GetFullPathNameW(path.c_str(), size, buffer, nullptr);
    });
    if (full) result.path = *full;
    else result.error = ::GetLastError();
    return result;
}

bool IsExistingFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
    // A link to a folder counts only when its target can be opened.
    UniqueFileHandle folder(::CreateFileW(path.c_str(), 0,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(folder);
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CopyFileOverwriting(const std::wstring& from, const std::wstring& to) {
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

bool CreateFolder(const std::wstring& path) {
    return ::CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool CreateFolderTree(const std::wstring& path) {
    return ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr) == ERROR_SUCCESS;
}

bool LogicalDriveExists(wchar_t driveLetter) {
    const wchar_t upper = (driveLetter >= L'a' && driveLetter <= L'z')
                              ? static_cast<wchar_t>(driveLetter - L'a' + L'A')
                              : driveLetter;
    if (upper < L'A' || upper > L'Z') return false;
    return (::GetLogicalDrives() >> (upper - L'A')) & 1u;
}

void ForEachFolderEntry(const std::wstring& folder,
                        const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    std::wstring pattern = folder;
    if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(::FindFirstFileW(pattern.c_str(), &entry));
    if (!find) return;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") visit(entry);
    } while (::FindNextFileW(find.Get(), &entry));
}

std::wstring ModuleFileName(HMODULE module) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace sorabako

namespace sorabako {
namespace {

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

FileWriteResult WriteNewFile(const std::wstring& path, const std::string& bytes) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {FileWriteFailure::Create, ::GetLastError()};
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 20));
        DWORD done = 0;
        if (!::WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr) || done == 0)
            return {FileWriteFailure::Write, ::GetLastError()};
        written += done;
    }
    if (!::FlushFileBuffers(file.Get())) return {FileWriteFailure::Write, ::GetLastError()};
    return {};
}

}  // namespace

FileReadResult ReadWholeFile(const std::wstring& path) {
    FileReadResult result;
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        result.error = ::GetLastError();
        return result;
    }
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) result.bytes.append(chunk, read);
    return result;
}

FileWriteResult ReplaceFileContents(const std::wstring& path, const std::string& bytes) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return {FileWriteFailure::Create, ERROR_ACCESS_DENIED};

    std::wstring temporary(MAX_PATH + 1, L'\0');
    if (!::GetTempFileNameW(FolderOf(path).c_str(), L"sbk", 0, temporary.data()))
        return {FileWriteFailure::Create, ::GetLastError()};
    temporary.resize(wcslen(temporary.c_str()));

    FileWriteResult result = WriteNewFile(temporary, bytes);
    if (result.failure == FileWriteFailure::None) {
        // ReplaceFileW keeps the old file's attributes and security.
        const bool replaced =
            (exists && ::ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                      nullptr, nullptr)) ||
            ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!replaced) result = {FileWriteFailure::Create, ::GetLastError()};
    }
    if (result.failure != FileWriteFailure::None) ::DeleteFileW(temporary.c_str());
    return result;
}

}  // namespace sorabako
