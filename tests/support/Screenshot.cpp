#include "support/Screenshot.h"

#include "platform/UniqueHandle.h"
#include "support/ScratchFolder.h"

#include <vector>

namespace sorabako::test {

bool SaveWindowScreenshot(HWND window, const std::wstring& bmpPath) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    WindowDC screen(nullptr);
    UniqueHandle<GdiObjectTraits<HBITMAP>> bitmap(::CreateCompatibleBitmap(screen.Get(), width, height));
    struct MemoryDCTraits {
        using Handle = HDC;
        static Handle Empty() noexcept { return nullptr; }
        static void Free(Handle h) noexcept { ::DeleteDC(h); }
    };
    UniqueHandle<MemoryDCTraits> memory(::CreateCompatibleDC(screen.Get()));
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<std::size_t>(stride) * height);
    if (!::GetDIBits(memory.Get(), bitmap.Get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                     DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    bytes.append(pixels.data(), pixels.size());
    WriteTextFile(bmpPath, bytes);
    return true;
}

}  // namespace sorabako::test
