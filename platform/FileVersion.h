#pragma once
#include <string>

namespace sorabako {

// The file version of path as "a.b.c.d", or empty when it has no version block.
std::wstring GetFileVersionText(const std::wstring& path);

}  // namespace sorabako
