#pragma once
// Integers as the settings file holds them.
#include <cstdint>
#include <optional>
#include <string_view>

namespace sorabako {

// Leading spaces, an optional sign, then decimal digits or hexadecimal ones
// after "0x", "$" or a bare "x" (any case). Hexadecimal is a 32-bit pattern
// (FFFFFFFF is -1). nullopt for anything else, an empty text, a decimal value
// outside 32 bits or a hexadecimal one wider than 32 bits.
std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text);

}  // namespace sorabako
