#include "settings/ProfileReader.h"

#include "settings/ProfileInteger.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace sorabako {
namespace {

// The profile reader's value buffer: its size is what cuts values at 2047.
constexpr DWORD kValueBufferSize = 2048;

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

std::wstring_view TrimmedBlanks(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

// Each character of the section text comes from at least one byte of the
// file, so the file's size (and the final NUL) is room enough for one read.
DWORD SectionBufferSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0) return 32768;
    return std::max<DWORD>(data.nFileSizeLow + 2, 1024);
}

// The reader's whole-section text: "key=value" lines, each ending with a NUL.
std::wstring SectionText(const std::wstring& section, const std::wstring& path) {
    std::wstring buffer(SectionBufferSize(path), L'\0');
    for (;;) {
        const DWORD length = ::GetPrivateProfileSectionW(section.c_str(), buffer.data(),
                                                         static_cast<DWORD>(buffer.size()), path.c_str());
        if (length < buffer.size() - 2) return buffer.substr(0, length);
        buffer.assign(buffer.size() * 4, L'\0');
    }
}

struct SectionLine {
    std::wstring_view name;
    std::wstring_view value;
};

// Blanks around "=" are left out as a read by name leaves them out; the
// system may or may not have removed them already. A line without "=" or
// with a ";" in front is no key, as the reader's own listing of the names has it.
std::optional<SectionLine> KeyLine(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return std::nullopt;
    const SectionLine key{TrimmedBlanks(line.substr(0, equals)), TrimmedBlanks(line.substr(equals + 1))};
    if (key.name.empty() || key.name.front() == L';') return std::nullopt;
    return key;
}

bool IsQuoted(std::wstring_view value) {
    return !value.empty() && (value.front() == L'"' || value.front() == L'\'');
}

}  // namespace

ProfileSection ProfileReader::ReadSection(const std::wstring& section) const {
    std::vector<SectionLine> lines;
    const std::wstring text = SectionText(section, path_);
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(L'\0', start);
        if (end == std::wstring::npos) end = text.size();
        if (const auto line = KeyLine(std::wstring_view(text).substr(start, end - start))) lines.push_back(*line);
        start = end + 1;
    }

    // A repeated name reads the value of its first line, as a read by name does.
    ProfileSection result;
    for (const SectionLine& line : lines) {
        const std::wstring name = Folded(std::wstring(line.name));
        if (result.byName_.count(name)) continue;
        // Quoted values are left to the reader itself, whose quote rules then apply unchanged.
        result.byName_.emplace(name, IsQuoted(line.value) ? ReadText(section, std::wstring(line.name))
                                                          : std::wstring(line.value.substr(0, kValueBufferSize - 1)));
    }
    result.values_.reserve(lines.size());
    for (const SectionLine& line : lines) result.values_.push_back(result.byName_[Folded(std::wstring(line.name))]);
    return result;
}

std::optional<std::wstring> ProfileSection::Value(const std::wstring& key) const {
    const auto found = byName_.find(Folded(key));
    if (found == byName_.end()) return std::nullopt;
    return found->second;
}

std::wstring ProfileSection::ReadText(const std::wstring& key, const std::wstring& defaultValue) const {
    return Value(key).value_or(defaultValue.substr(0, kValueBufferSize - 1));
}

std::int32_t ProfileSection::ReadInteger(const std::wstring& key, std::int32_t defaultValue) const {
    const std::optional<std::wstring> text = Value(key);
    return text ? ParseProfileInteger(*text).value_or(defaultValue) : defaultValue;
}

bool ProfileSection::ReadFlag(const std::wstring& key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

}  // namespace sorabako
