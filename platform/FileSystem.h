#pragma once
// Thin wrappers over the kernel32 file and path calls. Every path result is
// read whole: where Windows reports a needed length the buffer grows to it.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace sorabako {

// GetLongPathNameW; nullopt when the path does not exist or the call fails.
std::optional<std::wstring> LongPathName(const std::wstring& path);

// GetTempPathW; nullopt when the system gives none.
std::optional<std::wstring> TempPath();

struct FullPathResult {
    std::wstring path;  // empty on failure
    DWORD error = ERROR_SUCCESS;
};
// GetFullPathNameW, with the system's error code on failure.
FullPathResult FullPathName(const std::wstring& path);

// A folder, or a link to a folder whose target can be opened.
bool IsExistingFolder(const std::wstring& path);
bool IsExistingFile(const std::wstring& path);

// CopyFileW(from, to, FALSE): an existing target is overwritten.
bool CopyFileOverwriting(const std::wstring& from, const std::wstring& to);
bool CreateFolder(const std::wstring& path);
// Creates the folder and every missing parent (SHCreateDirectoryExW).
bool CreateFolderTree(const std::wstring& path);

// Drive letter present in GetLogicalDrives.
bool LogicalDriveExists(wchar_t driveLetter);

// Calls visit for every entry of folder, hidden and system ones included,
// in the file system's order, without "." and ".."; the error that stopped
// the listing, or ERROR_SUCCESS.
DWORD ForEachFolderEntry(const std::wstring& folder,
                         const std::function<void(const WIN32_FIND_DATAW&)>& visit);

std::wstring ModuleFileName(HMODULE module);

}  // namespace sorabako

namespace sorabako {

struct FileReadResult {
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
};
// Reads a whole file, sharing it for reading only: the open fails while
// another program holds the file open for writing.
FileReadResult ReadWholeFile(const std::wstring& path);

enum class FileWriteFailure { None, Create, Write };
struct FileWriteResult {
    FileWriteFailure failure = FileWriteFailure::None;
    DWORD error = ERROR_SUCCESS;
};
// Writes bytes to a new temporary file beside path and then puts it in place
// of path in one step, so that path holds either its old or its new content,
// never a part. Where the folder refuses new files (access denied) but path
// itself may be written, path is rewritten in place instead. Temporary files that an
// interrupted earlier replacement of path left behind are removed first. A
// read-only file is refused as Windows refuses to open it for writing.
FileWriteResult ReplaceFileContents(const std::wstring& path, const std::string& bytes);

// The temporary files of ReplaceFileContents are named after their target:
// "Sorabako.ini.~0123abcd.tmp" belongs to "Sorabako.ini" and to nothing else.
std::wstring TemporaryNameFor(const std::wstring& targetName, DWORD unique);
bool IsTemporaryNameFor(const std::wstring& targetName, const std::wstring& candidate);

// What a real disk can make go wrong in ReplaceFileContents, for tests that
// cannot provoke it under Wine (root may create files anywhere; no drive is
// full). The program itself never sets them.
struct FileWriteFaults {
    DWORD temporaryFileError = ERROR_SUCCESS;  // creating the temporary file fails with this code
    std::size_t bytesUntilFull = SIZE_MAX;      // writes stop short after so many bytes of one file
    std::function<void()> beforeEachWrite;     // runs before every write call, e.g. to read the target
};
void SetFileWriteFaults(FileWriteFaults faults);

}  // namespace sorabako
