#pragma once
// How a source path becomes the path that is copied, and where copies go.
#include <string>

namespace sorabako {

enum class WorkFolderMode { SystemTempFolder, SameFolder, AnotherFolder };

// The long form of an existing path; any other path unchanged.
std::wstring ToLongPathName(const std::wstring& path);

// The target of a shortcut file; the input unchanged when it cannot be read
// as one; empty when the target is not a file-system object.
std::wstring ResolveShortcutTarget(const std::wstring& path);

// A ".lnk" source (any letter case) becomes its target in long form; any
// other source is returned unchanged.
std::wstring NormalizeSource(const std::wstring& source);

// The system's temporary folder in long form with a trailing "\"; empty when
// the system gives none.
std::wstring SystemTempFolderPath();

// The WorkFolder that a mode gives; empty for SameFolder, which leaves the
// choice to the next open.
std::wstring ResolveWorkFolder(WorkFolderMode mode, const std::wstring& anotherFolderName);

// A relative command-line source, made absolute against the current folder.
std::wstring AbsoluteSourcePath(const std::wstring& source);

}  // namespace sorabako
