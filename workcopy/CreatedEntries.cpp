#include "workcopy/CreatedEntries.h"

namespace sorabako {

void CreatedEntries::RemoveAll(FileOperations& files) const {
    for (auto entry = created_.rbegin(); entry != created_.rend(); ++entry)
        entry->folder ? files.RemoveFolder(entry->path) : files.RemoveFile(entry->path);
}

}  // namespace sorabako
