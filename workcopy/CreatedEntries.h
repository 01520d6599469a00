#pragma once
// What one copy of the open operation created, in order: a cancelled copy
// removes exactly that, and nothing that was there before it started.
#include "platform/FileOperations.h"
#include "workcopy/CopyOutcome.h"
#include "workcopy/CopyProgress.h"

#include <string>
#include <vector>

namespace sorabako {

class CreatedEntries {
public:
    // systemPath as the system was given it (extended form).
    void Add(std::wstring systemPath, bool folder) { created_.push_back({std::move(systemPath), folder}); }

    // Newest first, so every folder is empty by the time its turn comes. The
    // queue keeps moving meanwhile; an entry another program holds (a virus
    // scanner, an indexer) is tried again after a short pause, a few times at
    // most. What still cannot go stays listed: a later call tries it again
    // (the end of the session removes what it can while the copy still runs).
    void RemoveAll(FileOperations& files, CopyProgress& progress);
    // What was left, in plain form with the system's reason, in the order made.
    std::vector<SkippedEntry> Left() const;

    static constexpr int kTriesPerEntry = 5;
    static constexpr int kPausesAtMost = 20;  // for the whole removal, however much is held

private:
    struct Created {
        std::wstring path;
        bool folder;
        DWORD error = ERROR_SUCCESS;  // why it is still there
    };
    std::vector<Created> created_;
    int pausesLeft_ = kPausesAtMost;
};

}  // namespace sorabako
