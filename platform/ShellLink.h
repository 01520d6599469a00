#pragma once
// Shell links (.lnk files) through IShellLinkW and IPersistFile.
// Needs COM initialised on the calling thread.
#include <windows.h>

#include <optional>
#include <string>

namespace sorabako {

// The link's file-system target after IShellLinkW::Resolve(SLR_ANY_MATCH);
// empty when it has none; nullopt when the file cannot be loaded as a link.
// Resolve runs without SLR_NO_UI: the shell may search for a moved target.
std::optional<std::wstring> ReadShortcutTarget(const std::wstring& linkPath);

// Writes (or replaces) a link at linkPath pointing to target: S_OK when written,
// else the failure, also when the shell link object cannot be created at all.
HRESULT SaveShortcut(const std::wstring& linkPath, const std::wstring& target);

}  // namespace sorabako
