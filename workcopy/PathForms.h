#pragma once
// The two forms of one path inside a copy. The user sees the plain form
// (history, launch, messages); the file system gets the extended-length form
// ("\\?\", "\\?\UNC\") wherever the plain one may pass the system's limit.
// Pure text rules: no file-system access.
#include <string>
#include <vector>

namespace sorabako {

// From this length on a plain path may be refused: 248 is the limit for a
// folder (MAX_PATH less room for an 8.3 name), 260 for a file.
inline constexpr std::size_t kExtendedFormFrom = 248;

// C:\a → \\?\C:\a, \\server\share\a → \\?\UNC\server\share\a. Paths already
// extended, device paths and relative paths are returned unchanged: only an
// absolute, normalised path may be extended, since the system no longer
// resolves "..", "." or "/" in that form.
std::wstring ExtendedForm(const std::wstring& absolutePath);

// The form to hand to the system: extended when the plain form is long.
std::wstring SystemForm(const std::wstring& absolutePath);

// The folders above path, nearest first, down to (not including) its drive
// root or UNC share: C:\a\b\c → C:\a\b, C:\a.
std::vector<std::wstring> AncestorFolders(const std::wstring& absolutePath);

// Appends name to folder with exactly one "\" between them.
std::wstring ChildPath(const std::wstring& folder, const std::wstring& name);

}  // namespace sorabako
