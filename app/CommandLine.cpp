#include "app/CommandLine.h"

namespace sorabako {

std::vector<std::wstring> SplitArguments(std::wstring_view commandLine) {
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    for (;;) {
        while (i < commandLine.size() && commandLine[i] <= L' ') ++i;
        if (i >= commandLine.size()) return arguments;
        std::wstring argument;
        bool quoted = false;
        for (; i < commandLine.size() && (quoted || commandLine[i] > L' '); ++i) {
            if (commandLine[i] == L'"') quoted = !quoted;
            else argument += commandLine[i];
        }
        arguments.push_back(std::move(argument));
    }
}

std::optional<std::wstring> FirstArgument(std::wstring_view commandLine) {
    std::vector<std::wstring> arguments = SplitArguments(commandLine);
    if (arguments.empty()) return std::nullopt;
    return std::move(arguments.front());
}

}  // namespace sorabako
