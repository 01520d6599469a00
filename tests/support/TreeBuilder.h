#pragma once
// Source trees for the copy tests, built with real files: wide ones that take
// the copy well past a second, deep ones whose paths pass the system's
// limit, names only the extended form reaches, names that differ only in
// case (made on the host, whose file system tells case apart), and files held
// open by the test as another program would hold them. Paths are put
// together here by the tests' own rules, never by the product's.
#include "platform/UniqueHandle.h"

#include <map>
#include <string>

namespace sorabako::test {

// "\\?\" + path, for the drive paths the tests use.
std::wstring Extended(const std::wstring& drivePath);

// folders × files small files (root\dNN\fNNNN.txt, each holding its own name).
void MakeWideTree(const std::wstring& root, int folders, int filesPerFolder);

// Nested folders of 40-character names under root until the deepest file's
// path has about totalLength characters; a file at every level. Returns that
// deepest file's path (plain form).
std::wstring MakeDeepTree(const std::wstring& root, std::size_t totalLength);

// A file of any name and path length, through the extended form.
void WriteAnyFile(const std::wstring& path, const std::string& bytes);
// A file made by the host beside entries whose names differ from its own only
// in case; Windows itself would open the first of them instead.
// bytes: letters, digits and blanks.
void WriteHostFile(const std::wstring& path, const std::string& bytes);
void MakeHostFolder(const std::wstring& path);
// The one of two names the system lists first in folder.
std::wstring FirstListed(const std::wstring& folder, const std::wstring& one, const std::wstring& other);
// Removes root and all it holds, names only the extended form reaches included.
void RemoveAnyTree(const std::wstring& root);

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
