#pragma once
// One move-only owner for every kind of Windows handle. The traits name the
// empty value and how to free, so INVALID_HANDLE_VALUE-empty and null-empty
// handles are different types and cannot be mixed up.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <utility>

namespace sorabako {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

    Handle Release() noexcept { return std::exchange(handle_, Traits::Empty()); }
    void Reset(Handle handle = Traits::Empty()) noexcept {
        if (handle_ != Traits::Empty()) Traits::Free(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::CloseHandle(h); }
};
// CreateFileW reports failure with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Free(Handle h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Free(Handle h) noexcept { ::FindClose(h); }
};
template <typename GdiObject>
struct GdiObjectTraits {
    using Handle = GdiObject;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::DeleteObject(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::DestroyWindow(h); }
};
struct DropTraits {
    using Handle = HDROP;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::DragFinish(h); }
};
struct ItemIdListTraits {
    using Handle = PIDLIST_ABSOLUTE;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::CoTaskMemFree(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::DestroyMenu(h); }
};
struct CoTaskStringTraits {
    using Handle = wchar_t*;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::CoTaskMemFree(h); }
};
struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::UnhookWindowsHookEx(h); }
};
struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle Empty() noexcept { return nullptr; }
    static void Free(Handle h) noexcept { ::GlobalFree(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueDrop = UniqueHandle<DropTraits>;
using UniqueItemIdList = UniqueHandle<ItemIdListTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueCoTaskString = UniqueHandle<CoTaskStringTraits>;
using UniqueHook = UniqueHandle<HookTraits>;

// A window's device context, released to the window it came from.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { if (dc_) ::ReleaseDC(window_, dc_); }
    HDC Get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a DC for one scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace sorabako
