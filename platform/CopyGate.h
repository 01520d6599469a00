#pragma once
// A copy held at its first file until another process lets it go. It gives
// the tests a copy that is under way for exactly as long as they need, on a
// fast machine or a loaded one. The gate is an event named after the
// program's process, which a test creates before the program runs; the
// program holds a copy only while that event exists. Looking for it is one
// failed open per copy, where a switch in the settings file would cost a
// pass over the whole file on every Send To. While held the copy keeps
// looking at its progress as it does inside a long file: the dialog shows,
// Cancel works and the message queue moves.
#include "platform/FileOperations.h"
#include "platform/UniqueHandle.h"

#include <memory>
#include <string>

namespace sorabako {

// The name of the gate of the process processId.
std::wstring CopyGateName(DWORD processId);

class GatedFileOperations final : public FileOperations {
public:
    // This process's gate, open while it is set. Null when there is no such
    // event: nothing holds the copy then.
    static std::unique_ptr<GatedFileOperations> Open(FileOperations& inner);

    DWORD ListFolder(const std::wstring& folder,
                     const std::function<void(const WIN32_FIND_DATAW&)>& visit) override {
        return inner_.ListFolder(folder, visit);
    }
    DWORD CreateFolder(const std::wstring& path) override { return inner_.CreateFolder(path); }
    DWORD Copy(const std::wstring& from, const std::wstring& to, ExistingTarget existing,
               const CopyTick& tick) override;
    PathAttributes Attributes(const std::wstring& path) override { return inner_.Attributes(path); }
    DWORD RemoveFile(const std::wstring& path) override { return inner_.RemoveFile(path); }
    DWORD RemoveFolder(const std::wstring& path) override { return inner_.RemoveFolder(path); }
    std::optional<FolderIdentity> IdentityOf(const std::wstring& folder) override {
        return inner_.IdentityOf(folder);
    }

private:
    GatedFileOperations(FileOperations& inner, UniqueKernelHandle gate) : inner_(inner), gate_(std::move(gate)) {}

    FileOperations& inner_;
    UniqueKernelHandle gate_;
    bool passed_ = false;
};

}  // namespace sorabako
