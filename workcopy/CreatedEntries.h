#pragma once
// What one copy of the open operation created, in order: a cancelled copy
// removes exactly that, and nothing that was there before it started.
#include "platform/FileOperations.h"

#include <string>
#include <vector>

namespace sorabako {

class CreatedEntries {
public:
    // systemPath as the system was given it (extended form).
    void Add(std::wstring systemPath, bool folder) { created_.push_back({std::move(systemPath), folder}); }
    // Newest first, so every folder is empty by the time its turn comes.
    void RemoveAll(FileOperations& files) const;

private:
    struct Created {
        std::wstring path;
        bool folder;
    };
    std::vector<Created> created_;
};

}  // namespace sorabako
