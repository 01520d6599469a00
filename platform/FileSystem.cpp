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

DWORD ForEachFolderEntry(const std::wstring& folder,
                         const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    std::wstring pattern = folder;
    if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(::FindFirstFileW(pattern.c_str(), &entry));
    if (!find) return ::GetLastError();
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") visit(entry);
    } while (::FindNextFileW(find.Get(), &entry));
    const DWORD end = ::GetLastError();
    return end == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : end;
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

FileWriteFaults& Faults() {
    static FileWriteFaults faults;
    return faults;
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

std::wstring NameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

constexpr std::wstring_view kTemporaryInfix = L".~";
constexpr std::wstring_view kTemporarySuffix = L".tmp";
constexpr std::size_t kTemporaryDigits = 8;

FileWriteResult WriteAll(HANDLE file, const std::string& bytes) {
    const FileWriteFaults& faults = Faults();
    std::size_t written = 0;
    while (written < bytes.size()) {
        if (faults.beforeEachWrite) faults.beforeEachWrite();
        std::size_t chunk = std::min<std::size_t>(bytes.size() - written, 1u << 20);
        if (written + chunk > faults.bytesUntilFull) chunk = faults.bytesUntilFull - written;
        DWORD done = 0;
        if (chunk == 0) return {FileWriteFailure::Write, ERROR_DISK_FULL};
        if (!::WriteFile(file, bytes.data() + written, static_cast<DWORD>(chunk), &done, nullptr) || done == 0)
            return {FileWriteFailure::Write, ::GetLastError()};
        written += done;
    }
    if (!::FlushFileBuffers(file)) return {FileWriteFailure::Write, ::GetLastError()};
    return {};
}

struct TemporaryFile {
    UniqueFileHandle file;
    std::wstring path;
    DWORD error = ERROR_SUCCESS;
};

// A new file that no one else can open until it is closed.
TemporaryFile CreateTemporaryBeside(const std::wstring& target) {
    TemporaryFile temporary;
    if (Faults().temporaryFileError != ERROR_SUCCESS) {
        temporary.error = Faults().temporaryFileError;
        return temporary;
    }
    const std::wstring stem = FolderOf(target) + L"\\";
    DWORD unique = ::GetCurrentProcessId() * 2654435761u ^ ::GetTickCount();
    for (int attempt = 0; attempt < 64; ++attempt, ++unique) {
        temporary.path = stem + TemporaryNameFor(NameOf(target), unique);
        temporary.file.Reset(::CreateFileW(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (temporary.file) return temporary;
        temporary.error = ::GetLastError();
        if (temporary.error != ERROR_FILE_EXISTS && temporary.error != ERROR_ALREADY_EXISTS) break;
    }
    return temporary;
}

// Leftovers of a replacement that was killed before it could clean up. A file
// still being written by another process is held without delete sharing, so
// it is refused here and stays.
void RemoveStaleTemporaries(const std::wstring& target) {
    const std::wstring name = NameOf(target);
    ForEachFolderEntry(FolderOf(target), [&](const WIN32_FIND_DATAW& entry) {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
        if (IsTemporaryNameFor(name, entry.cFileName))
            ::DeleteFileW((FolderOf(target) + L"\\" + entry.cFileName).c_str());
    });
}

// Empties path and writes it, as a program without the temporary file would:
// a failure part way leaves only what was written.
FileWriteResult WriteInPlace(const std::wstring& path, const std::string& bytes) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    if (!file) return {FileWriteFailure::Create, ::GetLastError()};
    if (!::SetEndOfFile(file.Get())) return {FileWriteFailure::Create, ::GetLastError()};
    return WriteAll(file.Get(), bytes);
}

bool PutInPlace(const std::wstring& temporary, const std::wstring& path, bool exists) {
    // ReplaceFileW keeps the old file's attributes and security.
    return (exists && ::ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                     nullptr, nullptr)) ||
           ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

}  // namespace

std::wstring TemporaryNameFor(const std::wstring& targetName, DWORD unique) {
    std::wstring digits(kTemporaryDigits, L'0');
    for (std::size_t i = kTemporaryDigits; i-- > 0; unique >>= 4) digits[i] = L"0123456789abcdef"[unique & 0xF];
    return targetName + std::wstring(kTemporaryInfix) + digits + std::wstring(kTemporarySuffix);
}

bool IsTemporaryNameFor(const std::wstring& targetName, const std::wstring& candidate) {
    const std::size_t length = targetName.size() + kTemporaryInfix.size() + kTemporaryDigits + kTemporarySuffix.size();
    if (candidate.size() != length) return false;
    const std::wstring_view view = candidate;
    const auto same = [](std::wstring_view a, std::wstring_view b) {
        return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                      TRUE) == CSTR_EQUAL;
    };
    if (!same(view.substr(0, targetName.size()), targetName)) return false;
    if (!same(view.substr(targetName.size(), kTemporaryInfix.size()), kTemporaryInfix)) return false;
    const std::wstring_view digits = view.substr(targetName.size() + kTemporaryInfix.size(), kTemporaryDigits);
    if (!std::all_of(digits.begin(), digits.end(), IsHexDigit)) return false;
    return same(view.substr(length - kTemporarySuffix.size()), kTemporarySuffix);
}

void SetFileWriteFaults(FileWriteFaults faults) {
    Faults() = std::move(faults);
}

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

    RemoveStaleTemporaries(path);
    TemporaryFile temporary = CreateTemporaryBeside(path);
    if (!temporary.file) {
        // A folder that refuses new files may still hold a file the user may
        // write. Any other failure (a full drive) would fail in place as well,
        // after the old content was already gone.
        if (temporary.error == ERROR_ACCESS_DENIED) return WriteInPlace(path, bytes);
        return {FileWriteFailure::Create, temporary.error};
    }

    FileWriteResult result = WriteAll(temporary.file.Get(), bytes);
    temporary.file.Reset();
    if (result.failure == FileWriteFailure::None && !PutInPlace(temporary.path, path, exists))
        result = {FileWriteFailure::Create, ::GetLastError()};
    if (result.failure != FileWriteFailure::None) ::DeleteFileW(temporary.path.c_str());
    return result;
}

}  // namespace sorabako
