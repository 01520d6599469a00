#include "support/TreeBuilder.h"

#include "support/Polling.h"
#include "support/ScratchFolder.h"

#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <stdexcept>
#include <utility>

namespace sorabako::test {
namespace {

constexpr DWORD kHostTimeoutMs = kWaitLimitMs;

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder + L"\\" + name;
}

std::wstring Numbered(const wchar_t* prefix, int number, int digits) {
    std::wstring text = std::to_wstring(number);
    return prefix + std::wstring(digits - std::min<int>(digits, static_cast<int>(text.size())), L'0') + text;
}

// Every entry of folder but "." and "..", straight from the system.
void ForEachEntry(const std::wstring& folder, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(::FindFirstFileW(Join(Extended(folder), L"*").c_str(), &entry));
    if (!find) return;
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..") visit(entry);
    } while (::FindNextFileW(find.Get(), &entry));
}

void ReadInto(const std::wstring& root, const std::wstring& relative, std::map<std::wstring, std::string>& contents) {
    ForEachEntry(relative.empty() ? root : Join(root, relative), [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring child = relative.empty() ? std::wstring(entry.cFileName) : Join(relative, entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            contents[L"\\" + child] = "";
            ReadInto(root, child, contents);
        } else {
            contents[child] = ReadTextFile(Extended(Join(root, child)));
        }
    });
}

// Starts a shell command on the host in folder: Wine runs Unix programs,
// but hands back no process to wait for.
void StartOnHost(const std::wstring& folder, const std::string& command) {
    std::wstring commandLine = L"Z:\\bin\\sh -c \"" + std::wstring(command.begin(), command.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &started))
        throw std::runtime_error("cannot start the host's shell");
    UniqueKernelHandle process(started.hProcess), thread(started.hThread);
}

// Waits until folder lists name exactly, letter case included.
void WaitUntilListed(const std::wstring& folder, const std::wstring& name) {
    const bool listed = WaitUntil([&] {
        bool seen = false;
        ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) { seen = seen || entry.cFileName == name; });
        return seen;
    }, kHostTimeoutMs);
    if (!listed) throw std::runtime_error("the host did not make " + Utf8(name));
}

// The folder and the name of path.
std::pair<std::wstring, std::wstring> Split(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L'\\');
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

std::wstring Extended(const std::wstring& drivePath) {
    if (drivePath.rfind(L"\\\\?\\", 0) == 0) return drivePath;
    if (drivePath.size() < 3 || drivePath[1] != L':' || drivePath[2] != L'\\')
        throw std::runtime_error("not a drive path: " + Utf8(drivePath));
    return L"\\\\?\\" + drivePath;
}

void MakeWideTree(const std::wstring& root, int folders, int filesPerFolder) {
    for (int folder = 0; folder < folders; ++folder) {
        const std::wstring path = Join(root, Numbered(L"d", folder, 2));
        ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
        for (int file = 0; file < filesPerFolder; ++file) {
            const std::wstring name = Numbered(L"f", file, 4) + L".txt";
            WriteTextFile(Join(path, name), Utf8(name));
        }
    }
}

std::wstring MakeDeepTree(const std::wstring& root, std::size_t totalLength) {
    ::SHCreateDirectoryExW(nullptr, root.c_str(), nullptr);
    std::wstring folder = root;
    for (int level = 0;; ++level) {
        const std::wstring file = Join(folder, Numbered(L"level", level, 2) + L".txt");
        WriteAnyFile(file, "level " + std::to_string(level));
        if (file.size() >= totalLength) return file;
        folder = Join(folder, Numbered(L"深い階層のフォルダ-", level, 2) + std::wstring(27, L'x'));
        if (!::CreateDirectoryW(Extended(folder).c_str(), nullptr)) throw std::runtime_error("cannot make a deep folder");
    }
}

void WriteAnyFile(const std::wstring& path, const std::string& bytes) {
    WriteTextFile(Extended(path), bytes);
}

void WriteHostFile(const std::wstring& path, const std::string& bytes) {
    for (char c : bytes)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != ' ') throw std::runtime_error("plain text only");
    const auto [folder, name] = Split(path);
    // Written aside and then renamed, so the name shows only with the whole content.
    const std::string exact = Utf8(name);
    StartOnHost(folder, "printf '%s' '" + bytes + "' > '" + exact + ".part' && mv '" + exact + ".part' '" + exact + "'");
    WaitUntilListed(folder, name);
}

void MakeHostFolder(const std::wstring& path) {
    const auto [folder, name] = Split(path);
    StartOnHost(folder, "mkdir '" + Utf8(name) + "'");
    WaitUntilListed(folder, name);
}

std::wstring FirstListed(const std::wstring& folder, const std::wstring& one, const std::wstring& other) {
    std::wstring first;
    ForEachEntry(folder, [&](const WIN32_FIND_DATAW& entry) {
        if (first.empty() && (entry.cFileName == one || entry.cFileName == other)) first = entry.cFileName;
    });
    return first;
}

void RemoveAnyTree(const std::wstring& root) {
    ForEachEntry(root, [&](const WIN32_FIND_DATAW& entry) {
        const std::wstring path = Join(root, entry.cFileName);
        ::SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveAnyTree(path);
        else ::DeleteFileW(Extended(path).c_str());
    });
    ::RemoveDirectoryW(Extended(root).c_str());
}

std::map<std::wstring, std::string> TreeContents(const std::wstring& root) {
    std::map<std::wstring, std::string> contents;
    ReadInto(root, L"", contents);
    return contents;
}

HeldFile::HeldFile(const std::wstring& path)
    : file_(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (!file_) throw std::runtime_error("cannot hold " + Utf8(path));
}

}  // namespace sorabako::test
