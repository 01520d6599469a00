// The real Sorabako.exe when messages overlap as they do on Windows: taskkill
// and installers post a close to every window, whatever is up; a second
// start comes while a box is open.
#include "e2e/Keyboard.h"
#include "e2e/ProcessRunner.h"
#include "settings/IniDocument.h"

#include <gtest/gtest.h>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = 20000;

TEST(OverlappingMessagesE2E, ClosesPostedUnderTheCloseQuestionAskOnceAndKeepEverySetting) {
    Installation install;
    WriteTextFile(install / L"Sorabako.ini",
                  "[MODE]\r\nSystemTempFolder=0\r\nSameFolder=1\r\nAnotherFolder=0\r\nAnotherFolderName=C:\\chosen\r\n"
                  "LastFolderName=C:\\last\r\nCloseQuery=1\r\nSaveStatus=1\r\n[LOG]\r\nFile1=C:\\a.txt\r\nFile2=C:\\b.txt\r\n");
    ChildProcess program = install.Start(L"");
    const HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);

    ::PostMessageW(form, WM_CLOSE, 0, 0);
    const HWND question = program.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageText(question), L"終了してよいですか？");
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    AnswerBox(question, IDYES);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs)) << "another question is up";

    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"MODE", L"SameFolder"), std::wstring(L"1"));
    EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolderName"), std::wstring(L"C:\\chosen"));
    EXPECT_EQ(saved.Value(L"MODE", L"LastFolderName"), std::wstring(L"C:\\last"));
    EXPECT_EQ(saved.Value(L"MODE", L"CloseQuery"), std::wstring(L"1"));
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), std::wstring(L"C:\\a.txt"));
    EXPECT_EQ(saved.Value(L"LOG", L"File2"), std::wstring(L"C:\\b.txt"));
    EXPECT_TRUE(saved.Value(L"POSITION", L"Left").has_value());
}

TEST(OverlappingMessagesE2E, ASecondStartBringsTheOpenBoxForwardWithTheKeyboard) {
    Installation install;
    ChildProcess first = install.Start(L"");
    const HWND form = first.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ClickButton(form, L"バージョン情報");
    const HWND about = first.WaitForWindow(L"TAboutBox", kTimeoutMs);
    ASSERT_TRUE(about);
    UniqueWindow other(::CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                         300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other.Get(); }, kTimeoutMs));

    ChildProcess second = install.Start(L"");
    const HWND message = second.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(message);
    AnswerBox(message, IDOK);
    ASSERT_TRUE(second.WaitForExit(kTimeoutMs));

    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == about; }, kTimeoutMs))
        << "the box, not the window it disables, comes forward";
    EXPECT_EQ(WaitForFocus(about, ::GetDlgItem(about, IDOK), kTimeoutMs), ::GetDlgItem(about, IDOK));
    AnswerBox(about, IDOK);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(first.WaitForExit(kTimeoutMs));
}

}  // namespace
}  // namespace sorabako::test
