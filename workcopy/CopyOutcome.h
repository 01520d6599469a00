#pragma once
// What a copy of the open operation reports back: whether the user cancelled
// it, and every entry it could not copy. The copy goes on past those; the
// list is what keeps a skip from passing in silence.
#include <windows.h>

#include <string>
#include <vector>

namespace sorabako {

struct SkippedEntry {
    std::wstring relativePath;  // plain form, relative to the source folder
    bool folder = false;
    DWORD error = ERROR_SUCCESS;  // the system's reason
};

struct CopyOutcome {
    bool cancelled = false;
    std::vector<SkippedEntry> skipped;  // in the order of the walk
};

}  // namespace sorabako
