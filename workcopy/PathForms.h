#pragma once
// The two forms of one path inside a copy. The user sees the plain form
// (history, launch, messages); the file system gets the extended-length form
// ("\\?\", "\\?\UNC\"), whatever the length: only that form names a file
// exactly as it is listed. The plain form drops a trailing "." or " " and
// reads "nul", "con", "com1" and the like as devices.
#include "platform/FileSystem.h"

#include <string>
#include <vector>

namespace sorabako {

// C:\a → \\?\C:\a, \\server\share\a → \\?\UNC\server\share\a. Paths already
// extended, device paths and relative paths are returned unchanged: only an
// absolute, normalised path may be extended, since the system no longer
// resolves "..", "." or "/" in that form.
std::wstring ExtendedForm(const std::wstring& absolutePath);

// The plain form of an extended path, as the user knows it: \\?\C:\a → C:\a,
// \\?\UNC\server\share\a → \\server\share\a; any other path unchanged.
std::wstring PlainForm(const std::wstring& path);

// A drive or UNC path with nothing for the system to resolve: no "/", no
// empty, "." or ".." name. It names exactly the entries it spells.
bool IsNormalAbsolute(const std::wstring& path);

// The path made absolute (GetFullPathNameW) unless it already is normal and
// absolute: the system's rule would also cut trailing dots and blanks from
// its names and turn a name like "nul.txt" into the device.
FullPathResult AbsoluteKeepingNames(const std::wstring& path);

// The folders above path, nearest first, down to (not including) its drive
// root or UNC share: C:\a\b\c → C:\a\b, C:\a.
std::vector<std::wstring> AncestorFolders(const std::wstring& absolutePath);

// Appends name to folder with exactly one "\" between them.
std::wstring ChildPath(const std::wstring& folder, const std::wstring& name);

}  // namespace sorabako
