#pragma once
#include "platform/FileOperations.h"
#include "workcopy/CopyOutcome.h"
#include "workcopy/CopyProgress.h"

#include <string>

namespace sorabako {

// Copies the folder source with every file and subfolder (hidden and system
// ones included) to target, creating target and its parents. Checks both
// paths first and raises the AppError of the first failed check before
// anything is copied; after that, folders and files that cannot be created
// or copied are skipped and listed in the outcome. A target inside the source
// is left out of the walk, so a copy never copies itself. Paths of any length
// are copied: the system gets the extended form of the long ones.
//
// The progress sees bytes and entries; when the user cancels, the copy stops,
// the dialog closes and everything this copy created is removed again.
CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target, CopyProgress& progress,
                           FileOperations& files);
CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target);

}  // namespace sorabako
