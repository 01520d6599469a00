#include "workcopy/SourcePaths.h"

#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "workcopy/WorkPath.h"

namespace sorabako {
namespace {

bool IsFullyQualified(const std::wstring& path) {
    const bool unc = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
    const bool drive = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
    return unc || drive;
}

}  // namespace

std::wstring ToLongPathName(const std::wstring& path) {
    return LongPathName(path).value_or(path);
}

std::wstring ResolveShortcutTarget(const std::wstring& path) {
    return ReadShortcutTarget(path).value_or(path);
}

std::wstring NormalizeSource(const std::wstring& source) {
    if (!HasShortcutExtension(source)) return source;
    return ToLongPathName(ResolveShortcutTarget(source));
}

std::wstring SystemTempFolderPath() {
    const std::optional<std::wstring> temp = TempPath();
    if (!temp || temp->empty()) return {};
    std::wstring folder = ToLongPathName(*temp);
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring ResolveWorkFolder(WorkFolderMode mode, const std::wstring& anotherFolderName) {
    switch (mode) {
        case WorkFolderMode::SystemTempFolder: return SystemTempFolderPath();
        case WorkFolderMode::SameFolder: return {};
        case WorkFolderMode::AnotherFolder: return anotherFolderName;
    }
    return {};
}

std::wstring AbsoluteSourcePath(const std::wstring& source) {
    if (source.empty() || IsFullyQualified(source)) return source;
    FullPathResult full = FullPathName(source);
    return full.error == ERROR_SUCCESS ? full.path : source;
}

}  // namespace sorabako
