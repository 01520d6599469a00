#include "support/TreeBuilder.h"

#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "support/ScratchFolder.h"
#include "workcopy/PathForms.h"

#include <algorithm>
#include <stdexcept>

namespace sorabako::test {
namespace {

void WriteFileAnyLength(const std::wstring& path, const std::string& bytes) {
    WriteTextFile(ExtendedForm(path), bytes);
}

std::wstring Numbered(const wchar_t* prefix, int number, int digits) {
    std::wstring text = std::to_wstring(number);
    return prefix + std::wstring(digits - std::min<int>(digits, static_cast<int>(text.size())), L'0') + text;
}

void ReadInto(Win32FileOperations& files, const std::wstring& root, const std::wstring& relative,
              std::map<std::wstring, std::string>& contents) {
    const std::wstring folder = relative.empty() ? root : ChildPath(root, relative);
    files.ListFolder(ExtendedForm(folder), [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring child = relative.empty() ? std::wstring(entry.cFileName) : ChildPath(relative, entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            contents[L"\\" + child] = "";
            ReadInto(files, root, child, contents);
        } else {
            contents[child] = ReadTextFile(ExtendedForm(ChildPath(root, child)));
        }
    });
}

}  // namespace

void MakeWideTree(const std::wstring& root, int folders, int filesPerFolder) {
    for (int folder = 0; folder < folders; ++folder) {
        const std::wstring path = ChildPath(root, Numbered(L"d", folder, 2));
        CreateFolderTree(path);
        for (int file = 0; file < filesPerFolder; ++file) {
            const std::wstring name = Numbered(L"f", file, 4) + L".txt";
            WriteTextFile(ChildPath(path, name), Utf8(name));
        }
    }
}

std::wstring MakeDeepTree(const std::wstring& root, std::size_t totalLength) {
    Win32FileOperations files;
    CreateFolderTree(root);
    std::wstring folder = root;
    for (int level = 0;; ++level) {
        const std::wstring file = ChildPath(folder, Numbered(L"level", level, 2) + L".txt");
        WriteFileAnyLength(file, "level " + std::to_string(level));
        if (file.size() >= totalLength) return file;
        folder = ChildPath(folder, Numbered(L"深い階層のフォルダ-", level, 2) + std::wstring(27, L'x'));
        if (files.CreateFolder(ExtendedForm(folder)) != ERROR_SUCCESS) throw std::runtime_error("cannot make a deep folder");
    }
}

std::map<std::wstring, std::string> TreeContents(const std::wstring& root) {
    Win32FileOperations files;
    std::map<std::wstring, std::string> contents;
    ReadInto(files, root, L"", contents);
    return contents;
}

HeldFile::HeldFile(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!file_) throw std::runtime_error("cannot hold " + Utf8(path));
}

}  // namespace sorabako::test
