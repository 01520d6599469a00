#include "settings/SettingsPath.h"

#include "platform/PathText.h"

namespace sorabako {

std::wstring SettingsFilePath(const std::wstring& executablePath) {
    return ReplaceExtension(executablePath, L".ini");
}

std::wstring FolderWithoutDelimiter(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    if (slash == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, slash);
}

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace sorabako
