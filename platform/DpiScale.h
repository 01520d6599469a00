#pragma once
// Sizes are written at 96 DPI and scaled to a window's DPI in this one helper.
#include <windows.h>

namespace sorabako {

constexpr int kDesignDpi = 96;

inline int ScaleForDpi(int valueAt96Dpi, UINT dpi) {
    return ::MulDiv(valueAt96Dpi, static_cast<int>(dpi), kDesignDpi);
}

}  // namespace sorabako
