#include "settings/ProfileInteger.h"

namespace sorabako {
namespace {

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

std::optional<std::uint32_t> ParseHex(std::wstring_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::int64_t> ParseDecimal(std::wstring_view digits, bool negative) {
    if (digits.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > 2147483648LL) return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL) return std::nullopt;
    return value;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    std::size_t prefix = 0;
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) prefix = 2;
    else if (!text.empty() && (text[0] == L'$' || text[0] == L'x' || text[0] == L'X')) prefix = 1;

    if (prefix > 0) {
        const std::optional<std::uint32_t> pattern = ParseHex(text.substr(prefix));
        if (!pattern) return std::nullopt;
        const auto value = static_cast<std::int32_t>(*pattern);
        // Negating the 32-bit pattern wraps, as unsigned arithmetic does.
        return negative ? static_cast<std::int32_t>(0u - *pattern) : value;
    }
    const std::optional<std::int64_t> value = ParseDecimal(text, negative);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

}  // namespace sorabako
