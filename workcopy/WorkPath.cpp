#include "workcopy/WorkPath.h"

#include "platform/AppError.h"

#include <cwchar>

namespace sorabako {
namespace {

constexpr std::size_t kSourceLengthLimit = 260;

bool IsDelimiter(wchar_t c) { return c == L'\\' || c == L'/'; }
bool IsBlank(wchar_t c) { return c <= L' '; }

std::size_t LastNameDelimiter(const std::wstring& path) {
    return path.find_last_of(L"\\:");
}

std::wstring Trimmed(const std::wstring& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool IsDriveRoot(const std::wstring& path) {
    return path.size() == 3 && path[1] == L':' && IsDelimiter(path[2]);
}

// For \\server\share\..., the index just past the share name.
std::size_t UncRootEnd(const std::wstring& path) {
    std::size_t delimitersSeen = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsDelimiter(path[i]) && ++delimitersSeen == 4) return i;
    }
    return path.size();
}

}  // namespace

std::wstring WorkPathPrefix(const SYSTEMTIME& t) {
    wchar_t text[32];
    std::swprintf(text, 32, L"$%04u%02u%02u-%02u%02u%02u%03u-", t.wYear % 10000u, t.wMonth % 100u,
                  t.wDay % 100u, t.wHour % 100u, t.wMinute % 100u, t.wSecond % 100u,
                  t.wMilliseconds % 1000u);
    return text;
}

std::wstring FolderPartOf(const std::wstring& source) {
    const std::size_t i = LastNameDelimiter(source);
    if (i == std::wstring::npos) return {};
    const bool delimiterEndsAName = source[i] == L'\\' && i > 0 && source[i - 1] != L':' &&
                                    source[i - 1] != L'\\';
    return delimiterEndsAName ? source.substr(0, i) : source.substr(0, i + 1);
}

std::wstring FileNamePartOf(const std::wstring& source) {
    const std::size_t i = LastNameDelimiter(source);
    return i == std::wstring::npos ? source : source.substr(i + 1);
}

std::wstring ComposeWorkPath(const std::wstring& workFolder, const std::wstring& prefix,
                             const std::wstring& name) {
    std::wstring path = workFolder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + prefix + name;
}

std::wstring ParentFolderOfSource(const std::wstring& source) {
    if (source.size() >= kSourceLengthLimit && !IsExtendedLengthPath(source))
        throw AppError(L"The specified path is too long");
    const std::wstring path = Trimmed(source);
    if (path.empty() || HasInvalidPathCharacter(path))
        throw AppError(L"Invalid characters in file name");

    const std::size_t i = path.find_last_of(L"\\/");
    if (i == std::wstring::npos || IsDriveRoot(path)) return {};
    if (path.size() >= 2 && IsDelimiter(path[0]) && IsDelimiter(path[1])) {
        // A UNC path keeps at least its server and share.
        return i < UncRootEnd(path) ? std::wstring() : path.substr(0, i);
    }
    if (i == 2 && path[1] == L':') return path.substr(0, i + 1);
    return path.substr(0, i);
}

bool HasShortcutExtension(const std::wstring& source) {
    const std::size_t nameStart = LastNameDelimiter(source);
    const std::size_t dot = source.rfind(L'.');
    if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
        return false;
    std::wstring extension = source.substr(dot);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return extension == L".lnk";
}

bool HasInvalidPathCharacter(const std::wstring& path) {
    for (wchar_t c : path) {
        if (c < 32 || c == L'"' || c == L'<' || c == L'>' || c == L'|') return true;
    }
    return false;
}

bool IsExtendedLengthPath(const std::wstring& path) {
    return path.rfind(L"\\\\?\\", 0) == 0;
}

}  // namespace sorabako
