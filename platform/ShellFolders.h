#pragma once
// Special folders and dropped files.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace sorabako {

// The file-system path of a special folder (CSIDL_*) with a trailing "\";
// empty for a folder that has no file-system path.
std::wstring GetSpecialFolderPath(HWND owner, int csidl);

// The first path of a drop, read whole whatever its length.
std::wstring FirstDroppedPath(HDROP drop);

}  // namespace sorabako
