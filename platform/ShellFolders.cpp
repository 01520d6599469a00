#include "platform/ShellFolders.h"

#include "platform/UniqueHandle.h"

#include <shlobj.h>

namespace sorabako {

std::wstring GetSpecialFolderPath(HWND owner, int csidl) {
    PIDLIST_ABSOLUTE rawList = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, &rawList))) return {};
    UniqueItemIdList list(rawList);
    std::wstring path(32768, L'\0');
    if (!::SHGetPathFromIDListEx(list.Get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        return {};
    path.resize(wcslen(path.c_str()));
    if (path.empty()) return {};
    if (path.back() != L'\\') path += L'\\';
    return path;
}

std::wstring FirstDroppedPath(HDROP drop) {
    const UINT length = ::DragQueryFileW(drop, 0, nullptr, 0);
    if (length == 0) return {};
    std::wstring path(length + 1, L'\0');
    ::DragQueryFileW(drop, 0, path.data(), length + 1);
    path.resize(length);
    return path;
}

}  // namespace sorabako
