#include "e2e/ShellAssociations.h"

#include "e2e/ProcessRunner.h"

#include <windows.h>

#include <string>

namespace sorabako::test {
namespace {

constexpr wchar_t kClasses[] = L"Software\\Classes\\";

void SetDefaultValue(const std::wstring& key, const std::wstring& value, const wchar_t* name = nullptr) {
    const std::wstring path = kClasses + key;
    ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_SZ, value.c_str(),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void DeleteTree(const std::wstring& key) {
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kClasses + key).c_str());
}

}  // namespace

void ShellAssociations::SetUp() {
    const std::wstring command = L"\"" + BuildFolder() + L"\\LaunchRecorder.exe\" \"%1\"";
    SetDefaultValue(L".sbtest", L"SorabakoTest.Document");
    SetDefaultValue(L"SorabakoTest.Document\\shell\\open\\command", command);
    // Folders open through DDE with Explorer unless ddeexec is gone.
    DeleteTree(L"Folder\\shell\\open\\ddeexec");
    SetDefaultValue(L"Folder\\shell\\open\\command", command);
}

void ShellAssociations::TearDown() {
    // Give the prefix back its Explorer association.
    DeleteTree(L"Folder\\shell\\open\\command");
    SetDefaultValue(L"Folder\\shell\\open\\ddeexec", L"[ViewFolder(%l, %I, %S)]");
    SetDefaultValue(L"Folder\\shell\\open\\ddeexec", L"", L"NoActivateHandler");
    SetDefaultValue(L"Folder\\shell\\open\\ddeexec\\application", L"Folders");
    DeleteTree(L".sbtest");
    DeleteTree(L"SorabakoTest.Document");
}

}  // namespace sorabako::test
