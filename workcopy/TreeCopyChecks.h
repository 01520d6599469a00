#pragma once
// The checks a folder-tree copy makes on its absolute paths before it copies
// anything. Pure text rules; each failure raises the AppError the user sees.
#include <string>

namespace sorabako {

// Too long (248 characters or more unless "\\?\"), a ":" that is not a leading
// drive colon, or blank / invalid characters, in that order.
void CheckTreeCopyPath(const std::wstring& absolutePath);

// Same folder, compared as file names without regard to case; trailing "\"
// does not count.
bool NameSameFolder(const std::wstring& first, const std::wstring& second);

// Two names, compared as the file system compares them on a volume that
// ignores case.
bool SameNameIgnoringCase(const std::wstring& first, const std::wstring& second);

// first lies inside second (or is second).
bool IsSameOrInside(const std::wstring& path, const std::wstring& folder);

bool IsUncPath(const std::wstring& path);  // begins with two "\"

}  // namespace sorabako
