#include "settings/ProfileReader.h"

#include "settings/ProfileInteger.h"

#include <windows.h>

namespace sorabako {
namespace {

// The profile reader's value buffer: its size is what cuts values at 2047.
constexpr DWORD kValueBufferSize = 2048;
constexpr DWORD kFirstKeyListSize = 1024;

}  // namespace

ProfileReader::~ProfileReader() {
    ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path_.c_str());
}

std::wstring ProfileReader::ReadText(const std::wstring& section, const std::wstring& key,
                                     const std::wstring& defaultValue) const {
    std::wstring buffer(kValueBufferSize, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                    buffer.data(), kValueBufferSize, path_.c_str());
    buffer.resize(length);
    return buffer;
}

std::int32_t ProfileReader::ReadInteger(const std::wstring& section, const std::wstring& key,
                                        std::int32_t defaultValue) const {
    // A unique default text tells an absent key from a present one.
    static const std::wstring kAbsent = L"\x01";
    const std::wstring text = ReadText(section, key, kAbsent);
    if (text == kAbsent) return defaultValue;
    return ParseProfileInteger(text).value_or(defaultValue);
}

bool ProfileReader::ReadFlag(const std::wstring& section, const std::wstring& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::wstring> ProfileReader::KeyNames(const std::wstring& section) const {
    std::wstring buffer(kFirstKeyListSize, L'\0');
    DWORD length = 0;
    for (;;) {
        // "" as default: for a missing section the reader returns the default.
        length = ::GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), path_.c_str());
        if (length < buffer.size() - 2) break;
        buffer.assign(buffer.size() * 4, L'\0');
    }
    std::vector<std::wstring> names;
    for (const wchar_t* name = buffer.c_str(); *name && name < buffer.c_str() + length; name += wcslen(name) + 1)
        names.emplace_back(name);
    return names;
}

}  // namespace sorabako
