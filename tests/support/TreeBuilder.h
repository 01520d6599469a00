#pragma once
// Source trees for the copy tests, built with real files: wide ones that take
// the copy well past a second, deep ones whose paths pass the system's
// limit, and files held open by the test as another program would hold them.
#include "platform/UniqueHandle.h"

#include <map>
#include <string>

namespace sorabako::test {

// folders × files small files (root\dNN\fNNNN.txt, each holding its own name).
void MakeWideTree(const std::wstring& root, int folders, int filesPerFolder);

// Nested folders of 40-character names under root until the deepest file's
// path has about totalLength characters; a file at every level. Returns that
// deepest file's path (plain form).
std::wstring MakeDeepTree(const std::wstring& root, std::size_t totalLength);

// Relative path → content of every file under root, and "\" + relative path
// → "" for every folder; read through extended-length paths.
std::map<std::wstring, std::string> TreeContents(const std::wstring& root);

// A file opened without sharing for the life of the object.
class HeldFile {
public:
    explicit HeldFile(const std::wstring& path);

private:
    UniqueFileHandle file_;
};

}  // namespace sorabako::test
