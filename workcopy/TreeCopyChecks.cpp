#include "workcopy/TreeCopyChecks.h"

#include "platform/AppError.h"
#include "workcopy/WorkPath.h"

#include <windows.h>

namespace sorabako {
namespace {

constexpr std::size_t kTreePathLengthLimit = 248;

std::wstring WithoutTrailingDelimiters(std::wstring path) {
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/') &&
           !(path.size() == 3 && path[1] == L':'))
        path.pop_back();
    return path;
}

bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool IsBlank(const std::wstring& path) {
    for (wchar_t c : path) {
        if (c > L' ') return false;
    }
    return true;
}

}  // namespace

void CheckTreeCopyPath(const std::wstring& absolutePath) {
    const bool extended = IsExtendedLengthPath(absolutePath);
    if (absolutePath.size() >= kTreePathLengthLimit && !extended)
        throw AppError(L"The specified path is too long");

    const std::wstring body = extended ? absolutePath.substr(4) : absolutePath;
    const std::size_t driveColon =
        (body.size() >= 2 && body[1] == L':' && iswalpha(body[0])) ? 1 : std::wstring::npos;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == L':' && i != driveColon) throw AppError(L"The path format is not supported");
    }
    if (IsBlank(absolutePath) || HasInvalidPathCharacter(absolutePath))
        throw AppError(L"Invalid characters in path");
}

bool NameSameFolder(const std::wstring& first, const std::wstring& second) {
    return EqualIgnoringCase(WithoutTrailingDelimiters(first), WithoutTrailingDelimiters(second));
}

bool SameNameIgnoringCase(const std::wstring& first, const std::wstring& second) {
    return EqualIgnoringCase(first, second);
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    const std::wstring inner = WithoutTrailingDelimiters(path);
    std::wstring outer = WithoutTrailingDelimiters(folder);
    if (inner.size() < outer.size()) return false;
    if (!EqualIgnoringCase(std::wstring_view(inner).substr(0, outer.size()), outer)) return false;
    return inner.size() == outer.size() || outer.back() == L'\\' || inner[outer.size()] == L'\\';
}

bool IsUncPath(const std::wstring& path) {
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

}  // namespace sorabako
