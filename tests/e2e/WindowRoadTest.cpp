// The real Sorabako.exe on the window road: its pages as a user sees them,
// and what it leaves in its settings file.
#include "e2e/ProcessRunner.h"
#include "settings/IniDocument.h"
#include "support/Screenshot.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = 20000;

void PumpFor(DWORD milliseconds) {
    ::Sleep(milliseconds);
}

// Clicks the tab at index as the mouse would.
void ClickTab(HWND pageControl, int index) {
    RECT client{};
    ::GetClientRect(pageControl, &client);
    const int tabWidth = client.right / 5;
    const LPARAM point = MAKELPARAM(tabWidth * index + tabWidth / 2, 8);
    ::PostMessageW(pageControl, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::PostMessageW(pageControl, WM_LBUTTONUP, 0, point);
}

TEST(WindowRoad, ScreenshotsOfTheFourPages) {
    Installation install;
    WriteTextFile(install / L"Sorabako.ini", "[POSITION]\r\nLeft=100\r\nTop=100\r\nRight=380\r\nBottom=380\r\n");
    ChildProcess program = install.Start(L"");
    HWND window = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(window);
    HWND pageControl = ::FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    ASSERT_TRUE(pageControl);

    const std::wstring folder = BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const wchar_t* names[] = {L"file", L"settings", L"history", L"help"};
    for (int page = 0; page < 4; ++page) {
        ClickTab(pageControl, page);
        PumpFor(400);
        EXPECT_EQ(::SendMessageW(pageControl, TCM_GETCURSEL, 0, 0), page);
        EXPECT_TRUE(SaveWindowScreenshot(window, folder + L"\\page-" + names[page] + L".bmp"));
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
}

}  // namespace
}  // namespace sorabako::test
