#pragma once
// A fresh folder under the temporary folder for one test, removed with
// everything in it (read-only, hidden and system entries too) at the end.
#include <string>
#include <vector>

namespace sorabako::test {

class ScratchFolder {
public:
    ScratchFolder();
    explicit ScratchFolder(const std::wstring& parent);  // under parent instead of the temporary folder
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return path_; }  // no trailing "\"
    std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

private:
    std::wstring path_;
};

void WriteTextFile(const std::wstring& path, const std::string& bytes);
std::string ReadTextFile(const std::wstring& path);  // throws when it cannot be opened
bool Exists(const std::wstring& path);
void RemoveTree(const std::wstring& path);
// The names in folder, sorted, without "." and "..".
std::vector<std::wstring> NamesIn(const std::wstring& folder);

// Narrow text for gtest messages.
std::string Utf8(const std::wstring& text);

}  // namespace sorabako::test
