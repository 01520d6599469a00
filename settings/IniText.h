#pragma once
// Bytes of a settings file to text and back, with the file's encoding.
#include <string>

namespace sorabako {

enum class IniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DecodedIni {
    std::wstring text;
    IniEncoding encoding = IniEncoding::Ansi;
};

// The mark decides: EF BB BF UTF-8, FF FE UTF-16 LE, FE FF UTF-16 BE;
// anything else is the ANSI code page without a mark.
DecodedIni DecodeIniBytes(const std::string& bytes);

// The encoding's mark followed by the text. ANSI text that the code page
// cannot hold is written as UTF-16 LE with its mark instead, so that no path
// is replaced by the code page's default character.
std::string EncodeIniText(const std::wstring& text, IniEncoding encoding);

// The encoding EncodeIniText will really use for text.
IniEncoding EffectiveEncoding(const std::wstring& text, IniEncoding encoding);

}  // namespace sorabako
