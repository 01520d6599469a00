#include "workcopy/FolderTreeCopy.h"

#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "workcopy/TreeCopyChecks.h"

namespace sorabako {
namespace {

std::wstring AbsolutePath(const std::wstring& path) {
    FullPathResult full = FullPathName(path);
    if (full.error == ERROR_SUCCESS) return full.path;
    if (full.error != ERROR_FILE_NOT_FOUND) ThrowSystemError(full.error);
    return path;
}

std::wstring Child(const std::wstring& folder, const wchar_t* name) {
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + name;
}

void CheckTarget(const std::wstring& source, const std::wstring& target) {
    CheckTreeCopyPath(target);
    if (NameSameFolder(source, target))
        throw AppError(L"The source directory is the same as the destination directory");
    if (!IsUncPath(target) && target.size() >= 2 && target[1] == L':' &&
        !LogicalDriveExists(target[0]))
        throw AppError(L"The drive cannot be found");
}

class TreeWalk {
public:
    explicit TreeWalk(std::wstring excluded) : excluded_(std::move(excluded)) {}

    void Copy(const std::wstring& from, const std::wstring& to) const {
        ForEachFolderEntry(from, [&](const WIN32_FIND_DATAW& entry) {
            const std::wstring source = Child(from, entry.cFileName);
            const std::wstring target = Child(to, entry.cFileName);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (NameSameFolder(source, excluded_)) return;
                CreateFolder(target);
                Copy(source, target);
            } else {
                CopyFileOverwriting(source, target);
            }
        });
    }

private:
    std::wstring excluded_;  // the copy being built, when it lies inside the source
};

}  // namespace

void CopyFolderTree(const std::wstring& sourcePath, const std::wstring& targetPath) {
    const std::wstring source = AbsolutePath(sourcePath);
    const std::wstring target = AbsolutePath(targetPath);

    CheckTreeCopyPath(source);
    if (!IsExistingFolder(source)) throw AppError(L"The specified path was not found");
    CheckTarget(source, target);

    CreateFolderTree(target);
    TreeWalk(IsSameOrInside(target, source) ? target : std::wstring()).Copy(source, target);
}

}  // namespace sorabako
