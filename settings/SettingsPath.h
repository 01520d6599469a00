#pragma once
#include <string>

namespace sorabako {

// The executable's path with its extension replaced by ".ini" (appended when
// the file name has none): C:\Tools\Sorabako.exe → C:\Tools\Sorabako.ini.
std::wstring SettingsFilePath(const std::wstring& executablePath);

// The folder of a path without trailing delimiter; a drive root keeps it (C:\).
std::wstring FolderWithoutDelimiter(const std::wstring& path);

// The text after the last "\".
std::wstring FileNameOf(const std::wstring& path);

}  // namespace sorabako
