#include "settings/IniText.h"

#include <windows.h>

namespace sorabako {
namespace {

std::wstring FromCodePage(UINT codePage, const char* bytes, std::size_t size) {
    if (size == 0) return {};
    const int length = ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes, static_cast<int>(size), text.data(), length);
    return text;
}

std::string ToCodePage(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                          nullptr);
    return bytes;
}

bool AnsiCodePageHolds(const std::wstring& text) {
    if (text.empty()) return true;
    BOOL usedDefault = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0,
                          nullptr, &usedDefault);
    return !usedDefault;
}

std::wstring FromUtf16(const std::string& bytes, std::size_t start, bool bigEndian) {
    std::wstring text;
    text.reserve((bytes.size() - start) / 2);
    for (std::size_t i = start; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::string ToUtf16(const std::wstring& text, bool bigEndian) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (wchar_t c : text) {
        const auto high = static_cast<char>((c >> 8) & 0xFF);
        const auto low = static_cast<char>(c & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

bool StartsWith(const std::string& bytes, std::string_view mark) {
    return bytes.compare(0, mark.size(), mark) == 0;
}

}  // namespace

DecodedIni DecodeIniBytes(const std::string& bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return {FromCodePage(CP_UTF8, bytes.data() + 3, bytes.size() - 3), IniEncoding::Utf8};
    if (StartsWith(bytes, "\xFF\xFE")) return {FromUtf16(bytes, 2, false), IniEncoding::Utf16LE};
    if (StartsWith(bytes, "\xFE\xFF")) return {FromUtf16(bytes, 2, true), IniEncoding::Utf16BE};
    return {FromCodePage(CP_ACP, bytes.data(), bytes.size()), IniEncoding::Ansi};
}

IniEncoding EffectiveEncoding(const std::wstring& text, IniEncoding encoding) {
    if (encoding == IniEncoding::Ansi && !AnsiCodePageHolds(text)) return IniEncoding::Utf16LE;
    return encoding;
}

std::string EncodeIniText(const std::wstring& text, IniEncoding encoding) {
    switch (EffectiveEncoding(text, encoding)) {
        case IniEncoding::Utf8: return "\xEF\xBB\xBF" + ToCodePage(CP_UTF8, text);
        case IniEncoding::Utf16LE: return "\xFF\xFE" + ToUtf16(text, false);
        case IniEncoding::Utf16BE: return "\xFE\xFF" + ToUtf16(text, true);
        case IniEncoding::Ansi: break;
    }
    return ToCodePage(CP_ACP, text);
}

}  // namespace sorabako
