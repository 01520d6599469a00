#pragma once
// A copy held at its first file until another process lets it go. It gives
// the tests a copy that is under way for exactly as long as they need, on a
// fast machine or a loaded one; the program holds a copy only when its
// settings file names a gate. While held the copy keeps looking at its
// progress as it does inside a long file: the dialog shows, Cancel works and
// the message queue moves.
#include "platform/FileOperations.h"
#include "platform/UniqueHandle.h"

#include <memory>
#include <string>

namespace sorabako {

class GatedFileOperations final : public FileOperations {
public:
    // The gate is the named event eventName, open while it is set. Null when
    // there is no such event: nothing holds the copy then.
    static std::unique_ptr<GatedFileOperations> Open(FileOperations& inner, const std::wstring& eventName);

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
