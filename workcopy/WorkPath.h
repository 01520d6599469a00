#pragma once
// The naming rules of work copies and the parent-folder rule of sources.
// Pure text functions: no file-system access.
#include <windows.h>

#include <string>

namespace sorabako {

// "$yyyymmdd-hhnnsszzz-": always 20 characters, no locale involved.
std::wstring WorkPathPrefix(const SYSTEMTIME& localTime);

// The folder a source lies in, as the work folder of the SameFolder mode:
// C:\docs\plan.xlsx → C:\docs, C:\plan.xlsx → C:\, D:\ → D:\,
// \\server\share\a.txt → \\server\share; empty without "\" or ":".
std::wstring FolderPartOf(const std::wstring& source);

// Text after the last "\" or ":"; the whole source without either.
std::wstring FileNamePartOf(const std::wstring& source);

// workFolder + "\" (unless it ends with one) + prefix + name.
std::wstring ComposeWorkPath(const std::wstring& workFolder, const std::wstring& prefix,
                             const std::wstring& name);

// The folder containing source, remembered as the last folder. Raises
// "The specified path is too long" or "Invalid characters in file name".
// Unlike FolderPartOf, a drive root gives the empty string.
std::wstring ParentFolderOfSource(const std::wstring& source);

// The extension (from the last "." after the last "\" or ":") is ".lnk",
// compared with ASCII letters lowered.
bool HasShortcutExtension(const std::wstring& source);

// Characters that no path may hold: control codes, '"', '<', '>', '|'.
bool HasInvalidPathCharacter(const std::wstring& path);

bool IsExtendedLengthPath(const std::wstring& path);  // begins with "\\?\"

}  // namespace sorabako
