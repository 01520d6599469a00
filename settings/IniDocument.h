#pragma once
// The whole settings file in memory, for rewriting it: sections in file
// order, each with its lines; names and keys compare without regard to case.
#include "settings/IniText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sorabako {

struct IniLine {
    std::wstring key;    // empty for a line without "="
    std::wstring value;  // the whole line when it holds no "="
    bool isEntry = false;
};

struct IniSection {
    std::wstring name;
    std::vector<IniLine> lines;
};

class IniDocument {
public:
    IniDocument() = default;

    // Parses the text of a file: comments, blank lines and lines before the
    // first section go; repeated sections merge into the first.
    static IniDocument Parse(const std::wstring& text, IniEncoding encoding);

    // Reads the file whole with read sharing only; a missing file gives an
    // empty ANSI document. Raises "Cannot open file ..." when it cannot be read.
    static IniDocument Open(const std::wstring& path);

    void EraseSection(const std::wstring& name);
    void SetText(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void SetInteger(const std::wstring& section, const std::wstring& key, std::int32_t value);
    void SetFlag(const std::wstring& section, const std::wstring& key, bool value);

    // Every section as "[name]", its lines and an empty line, all ending CR LF.
    std::wstring Text() const;
    std::string Bytes() const { return EncodeIniText(Text(), encoding_); }

    // Replaces the file with this document in one step: the old file stays
    // whole unless the new one is complete. Raises "Cannot create file ..." or
    // "Stream write error".
    void Write(const std::wstring& path) const;

    const std::vector<IniSection>& Sections() const { return sections_; }
    const IniSection* Find(const std::wstring& name) const;
    std::optional<std::wstring> Value(const std::wstring& section, const std::wstring& key) const;
    IniEncoding Encoding() const { return encoding_; }

private:
    IniSection* FindSection(const std::wstring& name);
    IniSection& SectionForWriting(const std::wstring& name);

    std::vector<IniSection> sections_;
    IniEncoding encoding_ = IniEncoding::Ansi;
};

}  // namespace sorabako
