#pragma once
#include <optional>
#include <string>
#include <vector>

namespace sorabako {

// Splits the arguments of a command line that starts after the program name
// (wWinMain's lpCmdLine): blanks (code 32 or below) separate, a double quote
// starts or ends a stretch in which they do not, the quotes are dropped.
std::vector<std::wstring> SplitArguments(std::wstring_view commandLine);

// The only argument with a meaning: the first one.
std::optional<std::wstring> FirstArgument(std::wstring_view commandLine);

}  // namespace sorabako
