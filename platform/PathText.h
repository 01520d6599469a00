#pragma once
// Path text rules shared by the rooms: pure functions, no file system.
#include <string>

namespace sorabako {

// The path with the extension of its file name replaced (appended when the
// file name has none); a "." in a folder name is not an extension:
// C:\Tools.d\Sorabako gives C:\Tools.d\Sorabako.ini for ".ini".
inline std::wstring ReplaceExtension(const std::wstring& path, const std::wstring& extension) {
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return path + extension;
    return path.substr(0, dot) + extension;
}

}  // namespace sorabako
