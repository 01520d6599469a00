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
// is left out of the walk, so a copy never copies itself. Every path reaches
// the system in extended form, so any length and any name the source lists
// ("v1." beside "v1", "nul.txt") is copied as it is. Where the target ignores
// case and the source does not, a name that differs from an earlier one only
// in case is skipped (the first stays), never copied over it.
//
// The progress sees bytes and entries; when the user cancels, the copy stops,
// the dialog closes and everything this copy created is removed again.
CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target, CopyProgress& progress,
                           FileOperations& files);
CopyOutcome CopyFolderTree(const std::wstring& source, const std::wstring& target);

}  // namespace sorabako
