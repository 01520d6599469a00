#include "support/ScratchFolder.h"

#include "platform/FileSystem.h"
#include "platform/UniqueHandle.h"

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace sorabako::test {

ScratchFolder::ScratchFolder() : ScratchFolder(TempPath().value_or(L"C:\\")) {}

ScratchFolder::ScratchFolder(const std::wstring& parent) {
    static std::atomic<int> counter{0};
    std::wstring folder = parent;
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    path_ = folder + L"sorabako-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    CreateFolderTree(path_);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void WriteTextFile(const std::wstring& path, const std::string& bytes) {
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw std::runtime_error("cannot create " + Utf8(path));
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ReadTextFile(const std::wstring& path) {
    // Full sharing: a test that reads must never make the program's own writes fail.
    UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
    if (!file) throw std::runtime_error("cannot open " + Utf8(path));
    std::string bytes;
    char chunk[65536];
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    return bytes;
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::DeleteFileW(path.c_str());
        return;
    }
    ForEachFolderEntry(path, [&](const WIN32_FIND_DATAW& entry) { RemoveTree(path + L"\\" + entry.cFileName); });
    ::RemoveDirectoryW(path.c_str());
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    ForEachFolderEntry(folder, [&](const WIN32_FIND_DATAW& entry) { names.emplace_back(entry.cFileName); });
    std::sort(names.begin(), names.end());
    return names;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    return bytes;
}

}  // namespace sorabako::test
