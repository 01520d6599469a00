// Who owns the program's boxes, with real windows shown and hidden.
#include "platform/Platform.h"
#include "platform/UniqueHandle.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

UniqueWindow Window(bool visible) {
    return UniqueWindow(::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 0, 0,
                                          100, 100, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
}

TEST(ModalBoxOwner, IsTheActiveWindowElseTheMainWindowElseNoneAndTaskModal) {
    const UniqueWindow main = Window(true);
    const UniqueWindow other = Window(true);
    const UniqueWindow hidden = Window(false);
    const auto owner = [](HWND active, HWND mainWindow) { return ModalBoxOwner(active, mainWindow); };

    EXPECT_EQ(owner(other.Get(), main.Get()).window, other.Get());
    EXPECT_EQ(owner(other.Get(), main.Get()).extraFlags, 0u);
    EXPECT_EQ(owner(nullptr, main.Get()).window, main.Get()) << "a drop on an inactive window reports an error";
    // The one-shot road: the main window is hidden, the box stands on its own.
    EXPECT_EQ(owner(nullptr, hidden.Get()).window, nullptr);
    EXPECT_EQ(owner(nullptr, hidden.Get()).extraFlags, static_cast<UINT>(MB_TASKMODAL | MB_SETFOREGROUND));
    EXPECT_EQ(owner(nullptr, nullptr).window, nullptr);
}

}  // namespace
}  // namespace sorabako
