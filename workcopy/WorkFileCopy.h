#pragma once
#include "platform/FileOperations.h"
#include "workcopy/CopyOutcome.h"
#include "workcopy/CopyProgress.h"

#include <string>

namespace sorabako {

// Copies a file source to its work path, overwriting a file already there.
// A failure is not examined (the launch that follows shows the shell's own
// word on a missing copy). Both paths reach the system in extended form, so
// any length and any name ("notes ", "nul.txt") is copied as it is. Cancelled
// when the user cancelled, up to the end of the copy: no file this copy made
// is left behind then, or the one that could not be removed is named.
CopyOutcome CopyWorkFile(const std::wstring& source, const std::wstring& workPath, CopyProgress& progress,
                         FileOperations& files);

}  // namespace sorabako
