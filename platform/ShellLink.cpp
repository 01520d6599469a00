#include "platform/ShellLink.h"

#include <shlobj.h>
#include <wrl/client.h>

#include <vector>

namespace sorabako {
namespace {

using Microsoft::WRL::ComPtr;

// Long enough for any path a link can hold; GetPath truncates silently otherwise.
constexpr int kLinkPathCapacity = 32768;

ComPtr<IShellLinkW> CreateShellLink() {
    ComPtr<IShellLinkW> link;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    return link;
}

}  // namespace

std::optional<std::wstring> ReadShortcutTarget(const std::wstring& linkPath) {
    ComPtr<IShellLinkW> link = CreateShellLink();
    ComPtr<IPersistFile> file;
    if (!link || FAILED(link.As(&file))) return std::nullopt;
    if (FAILED(file->Load(linkPath.c_str(), STGM_READ))) return std::nullopt;
    link->Resolve(nullptr, SLR_ANY_MATCH);
    std::vector<wchar_t> buffer(kLinkPathCapacity, L'\0');
    WIN32_FIND_DATAW findData{};
    link->GetPath(buffer.data(), kLinkPathCapacity, &findData, SLGP_UNCPRIORITY);
    return std::wstring(buffer.data());
}

HRESULT SaveShortcut(const std::wstring& linkPath, const std::wstring& target) {
    // A link object that cannot be created is one more failure to write the link.
    ComPtr<IShellLinkW> link;
    HRESULT hr = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    if (FAILED(hr)) return hr;
    ComPtr<IPersistFile> file;
    hr = link.As(&file);
    if (SUCCEEDED(hr)) hr = link->SetPath(target.c_str());
    if (SUCCEEDED(hr)) hr = file->Save(linkPath.c_str(), FALSE);
    return hr;
}

}  // namespace sorabako
