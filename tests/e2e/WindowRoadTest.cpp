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
        EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(pageControl, TCM_GETCURSEL, 0, 0) == page; }, kTimeoutMs))
            << "page " << page;
        PaintNow(window);
        EXPECT_TRUE(SaveWindowScreenshot(window, folder + L"\\page-" + names[page] + L".bmp"));
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
}

// Answers the close question of program with the button id.
void AnswerCloseQuestion(ChildProcess& program, int button) {
    HWND box = NextDialog(program, nullptr);
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(MessageText(box), L"終了してよいですか？");
    EXPECT_EQ(TextOf(box), L"ソラバコ");
    AnswerBox(box, button);
}

TEST(WindowRoad, CloseWithConfirmationAnsweredNoThenYes) {
    Installation install;
    const std::string original = "[MODE]\r\nCloseQuery=1\r\n";
    WriteTextFile(install / L"Sorabako.ini", original);
    ChildProcess program = install.Start(L"");
    HWND window = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(window);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    AnswerCloseQuestion(program, IDNO);
    EXPECT_FALSE(program.WaitForExit(500));
    EXPECT_EQ(ReadTextFile(install / L"Sorabako.ini"), original);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    AnswerCloseQuestion(program, IDYES);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    EXPECT_EQ(program.ExitCode(), 0u);
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"PROGRAM", L"Name"), std::wstring(L"Sorabako.exe"));
    EXPECT_EQ(saved.Value(L"MODE", L"CloseQuery"), std::wstring(L"1"));
}

TEST(WindowRoad, TheRealBrowseDialogIsCentredPreselectsAndChooses) {
    Installation install;
    ScratchFolder chosen;
    // An existing stored folder is preselected, so OK chooses it.
    WriteTextFile(install / L"Sorabako.ini", "[MODE]\r\nAnotherFolderName=" + Utf8(chosen.Path()) + "\r\n");
    ChildProcess program = install.Start(L"");
    HWND window = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(window);
    ClickTab(::FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr), 1);
    HWND choose = ChildWithText(window, L"選択");
    ASSERT_TRUE(choose);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(choose) != FALSE; }, kTimeoutMs));
    // What a click on the button reports to the form.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(choose), BN_CLICKED), reinterpret_cast<LPARAM>(choose));

    HWND browse = NextDialog(program, nullptr);
    ASSERT_TRUE(browse) << "no folder dialog";
    EXPECT_TRUE(ChildWithText(browse, L"作業フォルダを選択"));
    RECT r{};
    ::GetWindowRect(browse, &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_NEAR((r.left + r.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 2);
    EXPECT_NEAR((r.top + r.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 2);
    ::PostMessageW(browse, WM_COMMAND, IDOK, 0);

    HWND message = NextDialog(program, browse);
    ASSERT_TRUE(message) << "no message after the choice";
    EXPECT_EQ(MessageText(message), L"任意フォルダを作業用に選択しました。\r\n" + chosen.Path());
    AnswerBox(message, IDOK);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolderName"), chosen.Path());
    EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolder"), std::wstring(L"1"));
    EXPECT_EQ(saved.Value(L"MODE", L"SystemTempFolder"), std::wstring(L"0"));
}

// The file-name box of the open dialog, found by its id wherever it sits.
HWND FileNameBox(HWND dialog) {
    struct Search {
        HWND found = nullptr;
    } search;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM context) noexcept -> BOOL {
            if (::GetDlgCtrlID(child) != 1152) return TRUE;
            reinterpret_cast<Search*>(context)->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(WindowRoad, TheRealFileOpenDialogChoosesAFileThatIsOpenedAsACopy) {
    Installation install;
    ScratchFolder sources;
    const std::wstring source = sources / L"選んだ文書.sbtest";
    WriteTextFile(source, "chosen");
    ChildProcess program = install.Start(L"");
    HWND window = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(window);
    ClickButton(window, L"開くファイルを選択");

    HWND dialog = NextDialog(program, nullptr);
    ASSERT_TRUE(dialog) << "no file-open dialog";
    HWND name = FileNameBox(dialog);
    ASSERT_TRUE(name) << "no file-name box";
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(source.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);

    const auto launches = install.WaitForLaunches(1, kTimeoutMs);
    ASSERT_EQ(launches.size(), 1u) << "the chosen file was not opened";
    const auto copies = NamesIn(install.TempFolder());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].substr(20), L"選んだ文書.sbtest");
    EXPECT_EQ(ReadTextFile(install.TempFolder() + L"\\" + copies[0]), "chosen");
    EXPECT_NE(launches[0].find(copies[0]), std::wstring::npos) << Utf8(launches[0]);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), source);
    EXPECT_EQ(saved.Value(L"MODE", L"LastFolderName"), sources.Path());
    EXPECT_EQ(ReadTextFile(source), "chosen");
}

}  // namespace
}  // namespace sorabako::test
