#pragma once
#include "platform/FileOperations.h"
#include "workcopy/CopyProgress.h"

#include <string>

namespace sorabako {

// Copies a file source to its work path, overwriting a file already there.
// A failure is not examined (the launch that follows shows the shell's own
// word on a missing copy). Paths of any length: the system gets the extended
// form of a long one. True when the user cancelled; the dialog is then
// closed and no part of the copy is left behind.
bool CopyWorkFile(const std::wstring& source, const std::wstring& workPath, CopyProgress& progress,
                  FileOperations& files);

}  // namespace sorabako
