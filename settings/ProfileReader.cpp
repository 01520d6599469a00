#include "settings/ProfileReader.h"

#include "settings/ProfileInteger.h"

#include <windows.h>

#include <unordered_map>

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

namespace {

std::wstring Folded(std::wstring text) {
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The reader's whole-section text: "key=value" lines, each ending with a NUL.
std::wstring SectionText(const std::wstring& section, const std::wstring& path) {
    std::wstring buffer(32768, L'\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileSectionW(section.c_str(), buffer.data(),
                                                         static_cast<DWORD>(buffer.size()), path.c_str());
        if (length < buffer.size() - 2) return buffer.substr(0, length);
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

}  // namespace

std::vector<std::wstring> ProfileReader::ReadTexts(const std::wstring& section,
                                                   const std::vector<std::wstring>& keys) const {
    // The first line of a name gives its value, as a read by name does.
    std::unordered_map<std::wstring, std::wstring> firstValues;
    const std::wstring text = SectionText(section, path_);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(L'\0', start);
        const std::wstring_view line(text.data() + start, (end == std::wstring::npos ? text.size() : end) - start);
        const std::size_t equals = line.find(L'=');
        if (equals != std::wstring_view::npos)
            firstValues.try_emplace(Folded(std::wstring(line.substr(0, equals))), line.substr(equals + 1));
        start = (end == std::wstring::npos ? text.size() : end) + 1;
    }

    std::vector<std::wstring> values;
    values.reserve(keys.size());
    for (const std::wstring& key : keys) {
        const auto found = firstValues.find(Folded(key));
        // Quoted values and names the section text does not show plainly are
        // left to the reader itself, whose quote rules then apply unchanged.
        const bool plain = found != firstValues.end() &&
                           (found->second.empty() || (found->second.front() != L'"' && found->second.front() != L'\''));
        if (!plain) {
            values.push_back(ReadText(section, key));
            continue;
        }
        values.push_back(found->second.substr(0, kValueBufferSize - 1));
    }
    return values;
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
