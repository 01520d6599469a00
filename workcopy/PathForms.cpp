#include "workcopy/PathForms.h"

#include <algorithm>

namespace sorabako {
namespace {

bool IsDriveAbsolute(const std::wstring& path) {
    return path.size() >= 3 && path[1] == L':' && path[2] == L'\\' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

// \\server\share... but neither \\?\ nor \\.\ (device and extended paths).
bool IsPlainUnc(const std::wstring& path) {
    return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
}

// Length of the part no folder can be removed from: "C:\" or "\\server\share".
std::size_t RootLength(const std::wstring& path) {
    if (IsDriveAbsolute(path)) return 3;
    if (!IsPlainUnc(path)) return std::wstring::npos;
    const std::size_t server = path.find(L'\\', 2);
    if (server == std::wstring::npos) return path.size();
    const std::size_t share = path.find(L'\\', server + 1);
    return share == std::wstring::npos ? path.size() : share;
}

}  // namespace

std::wstring ExtendedForm(const std::wstring& absolutePath) {
    if (IsDriveAbsolute(absolutePath)) return L"\\\\?\\" + absolutePath;
    if (IsPlainUnc(absolutePath)) return L"\\\\?\\UNC\\" + absolutePath.substr(2);
    return absolutePath;
}

std::wstring PlainForm(const std::wstring& path) {
    constexpr std::wstring_view kUnc = L"\\\\?\\UNC\\", kExtended = L"\\\\?\\";
    if (path.starts_with(kUnc)) return L"\\\\" + path.substr(kUnc.size());
    if (path.starts_with(kExtended)) return path.substr(kExtended.size());
    return path;
}

bool IsNormalAbsolute(const std::wstring& path) {
    const bool drive = IsDriveAbsolute(path);
    if ((!drive && !IsPlainUnc(path)) || path.find(L'/') != std::wstring::npos) return false;
    // Every name, the server and share of a UNC path included; only the last
    // may be empty (a final "\").
    for (std::size_t start = drive ? 3 : 2; start < path.size();) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        const std::wstring_view name = std::wstring_view(path).substr(start, end - start);
        if ((name.empty() && end < path.size()) || name == L"." || name == L"..") return false;
        start = end + 1;
    }
    return true;
}

FullPathResult AbsoluteKeepingNames(const std::wstring& path) {
    if (IsNormalAbsolute(path)) return {path, ERROR_SUCCESS};
    return FullPathName(path);
}

std::vector<std::wstring> AncestorFolders(const std::wstring& absolutePath) {
    std::vector<std::wstring> ancestors;
    const std::size_t root = RootLength(absolutePath);
    if (root == std::wstring::npos) return ancestors;
    std::wstring path = absolutePath;
    while (path.size() > root && path.back() == L'\\') path.pop_back();
    for (;;) {
        const std::size_t slash = path.find_last_of(L'\\');
        if (slash == std::wstring::npos || slash < root) break;
        path.resize(slash);
        if (path.size() <= root) break;
        ancestors.push_back(path);
    }
    return ancestors;
}

std::wstring ChildPath(const std::wstring& folder, const std::wstring& name) {
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + name;
}

}  // namespace sorabako
