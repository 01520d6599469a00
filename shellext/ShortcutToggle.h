#pragma once
// Creating, updating and deleting the program's shortcut in a special folder.
#include "platform/Platform.h"

#include <functional>
#include <string>

namespace sorabako {

// The link path: folder (with one trailing "\"), then the title, then ".Lnk".
std::wstring ShortcutLinkPath(const std::wstring& folder, const std::wstring& title);
std::wstring ShortcutExistsQuestion(const std::wstring& title);
std::wstring FolderOpenQuestion(const std::wstring& folderDisplayName);

struct ShortcutContext {
    Platform& platform;
    HWND mainWindow;
    std::wstring title;
    std::wstring executable;
    // The file-system path of a special folder (CSIDL), with or without a trailing "\".
    std::function<std::wstring(int csidl)> specialFolder;
};

// One click on a registration button: creates the link when it is missing,
// otherwise asks whether to update, delete or leave it; then offers to open
// the folder. Every outcome is shown as a plain message after the link path.
void ToggleShortcut(const ShortcutContext& context, int csidl, const std::wstring& folderDisplayName);

}  // namespace sorabako
