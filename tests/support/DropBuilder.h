#pragma once
// A real HDROP as the shell hands one to a window, built from paths.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace sorabako::test {

inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list.append(path).push_back(L'\0');
    list.push_back(L'\0');
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// DragFinish frees the drop's memory.
inline bool IsReleased(HDROP drop) {
    return ::GlobalSize(drop) == 0;
}

}  // namespace sorabako::test
