#pragma once
#include <string>

namespace sorabako {

// Copies the folder source with every file and subfolder (hidden and system
// ones included) to target, creating target and its parents. Checks both
// paths first and raises the AppError of the first failed check before
// anything is copied; after that, folders and files that cannot be created
// or copied are skipped. A target inside the source is left out of the walk,
// so a copy never copies itself.
void CopyFolderTree(const std::wstring& source, const std::wstring& target);

}  // namespace sorabako
