#include "settings/IniDocument.h"

#include "platform/AppError.h"
#include "platform/FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <utility>

namespace sorabako {
namespace {

bool IsBlank(wchar_t c) { return c <= L' '; }

std::wstring_view TrimmedView(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\r' && text[i] != L'\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

IniLine ParseLine(std::wstring_view line) {
    const std::size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return IniLine{{}, std::wstring(line), false};
    std::wstring_view key = line.substr(0, equals);
    std::wstring_view value = line.substr(equals + 1);
    while (!key.empty() && IsBlank(key.back())) key.remove_suffix(1);
    while (!value.empty() && IsBlank(value.front())) value.remove_prefix(1);
    return IniLine{std::wstring(key), std::wstring(value), true};
}

std::wstring Description(DWORD error) {
    return SystemErrorText(error);
}

[[noreturn]] void ThrowFileError(const wchar_t* what, const std::wstring& path, DWORD error) {
    throw AppError(std::wstring(what) + L" \"" + path + L"\". " + Description(error));
}

}  // namespace

IniDocument IniDocument::Parse(const std::wstring& text, IniEncoding encoding) {
    IniDocument document;
    document.encoding_ = encoding;
    IniSection* current = nullptr;
    for (std::wstring_view raw : SplitLines(text)) {
        const std::wstring_view line = TrimmedView(raw);
        if (line.empty() || line.front() == L';') continue;
        if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
            const std::wstring name(TrimmedView(line.substr(1, line.size() - 2)));
            current = document.FindSection(name);
            if (!current) current = &document.sections_.emplace_back(IniSection{name, {}});
            continue;
        }
        if (current) current->lines.push_back(ParseLine(line));
    }
    return document;
}

IniDocument IniDocument::Open(const std::wstring& path) {
    if (!IsExistingFile(path)) return IniDocument{};
    const FileReadResult read = ReadWholeFile(path);
    if (read.error != ERROR_SUCCESS) ThrowFileError(L"Cannot open file", path, read.error);
    const DecodedIni decoded = DecodeIniBytes(read.bytes);
    return Parse(decoded.text, decoded.encoding);
}

void IniDocument::EraseSection(const std::wstring& name) {
    std::erase_if(sections_, [&](const IniSection& section) { return SameName(section.name, name); });
}

void IniDocument::SetText(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    IniSection& target = SectionForWriting(section);
    for (IniLine& line : target.lines) {
        if (line.isEntry && SameName(line.key, key)) {
            line.value = value;
            return;
        }
    }
    target.lines.push_back(IniLine{key, value, true});
}

void IniDocument::SetInteger(const std::wstring& section, const std::wstring& key, std::int32_t value) {
    SetText(section, key, std::to_wstring(value));
}

void IniDocument::SetFlag(const std::wstring& section, const std::wstring& key, bool value) {
    SetText(section, key, value ? L"1" : L"0");
}

std::wstring IniDocument::Text() const {
    std::wstring text;
    for (const IniSection& section : sections_) {
        text += L"[" + section.name + L"]\r\n";
        for (const IniLine& line : section.lines) {
            text += line.isEntry ? line.key + L"=" + line.value : line.value;
            text += L"\r\n";
        }
        text += L"\r\n";
    }
    return text;
}

void IniDocument::Write(const std::wstring& path) const {
    const FileWriteResult result = ReplaceFileContents(path, Bytes());
    switch (result.failure) {
        case FileWriteFailure::None: return;
        case FileWriteFailure::Create: ThrowFileError(L"Cannot create file", path, result.error);
        case FileWriteFailure::Write: throw AppError(L"Stream write error");
    }
}

const IniSection* IniDocument::Find(const std::wstring& name) const {
    for (const IniSection& section : sections_) {
        if (SameName(section.name, name)) return &section;
    }
    return nullptr;
}

std::optional<std::wstring> IniDocument::Value(const std::wstring& section, const std::wstring& key) const {
    const IniSection* found = Find(section);
    if (!found) return std::nullopt;
    for (const IniLine& line : found->lines) {
        if (line.isEntry && SameName(line.key, key)) return line.value;
    }
    return std::nullopt;
}

IniSection* IniDocument::FindSection(const std::wstring& name) {
    return const_cast<IniSection*>(std::as_const(*this).Find(name));
}

IniSection& IniDocument::SectionForWriting(const std::wstring& name) {
    if (IniSection* found = FindSection(name)) return *found;
    return sections_.emplace_back(IniSection{name, {}});
}

}  // namespace sorabako
