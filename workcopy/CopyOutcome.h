#pragma once
// What a copy of the open operation reports back: whether the user cancelled
// it, every entry it could not copy, and after a Cancel every entry it made
// but could not remove again. The copy goes on past those; the lists are
// what keeps a skip or a leftover from passing in silence.
#include <windows.h>

#include <string>
#include <vector>

namespace sorabako {

struct SkippedEntry {
    std::wstring path;  // plain form: relative to the source folder, or whole for what was left

    bool folder = false;
    DWORD error = ERROR_SUCCESS;  // the system's reason
};

struct CopyOutcome {
    bool cancelled = false;
    std::vector<SkippedEntry> skipped;     // in the order of the walk
    std::vector<SkippedEntry> notRemoved;  // after a Cancel, in the order made
};

}  // namespace sorabako
