// Two real Sorabako.exe processes: the second one tells the user, brings the
// first forward and ends; the first keeps running.
#include "e2e/ProcessRunner.h"

#include <gtest/gtest.h>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = 20000;

// Answers the message box of the second instance and checks what it says.
void AnswerAlreadyRunning(ChildProcess& second) {
    HWND box = second.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(TextOf(box), L"Sorabako");  // the default title of Sorabako.exe
    EXPECT_EQ(MessageText(box), L"既に起動されています。");
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(second.WaitForExit(kTimeoutMs)) << "the second instance did not end";
    EXPECT_EQ(second.ExitCode(), 0u);
}

class SingleInstance : public testing::Test {
protected:
    void TearDown() override {
        if (!first) return;
        if (firstWindow) ::PostMessageW(firstWindow, WM_CLOSE, 0, 0);
        if (!first->WaitForExit(kTimeoutMs)) first->Terminate();
    }

    HWND StartFirst() {
        first.emplace(install.Start(L""));
        firstWindow = first->WaitForWindow(L"TForm1", kTimeoutMs);
        return firstWindow;
    }

    Installation install;
    ScratchFolder sources;
    std::optional<ChildProcess> first;
    HWND firstWindow = nullptr;
};

// Polls until window is the foreground window.
bool BecomesForeground(HWND window) {
    return WaitUntil([window] { return ::GetForegroundWindow() == window; }, kTimeoutMs);
}

TEST_F(SingleInstance, SecondStartWithAPathShowsTheMessageBringsTheFirstForwardAndOpensNothing) {
    HWND window = StartFirst();
    ASSERT_TRUE(window && ::IsWindowVisible(window)) << "the first instance shows no window";
    const std::wstring source = sources / L"sent.sbtest";
    WriteTextFile(source, "sent");
    // Another program's window is in front when the second start comes.
    UniqueWindow other(::CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50,
                                         300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ::SetForegroundWindow(other.Get());
    ASSERT_TRUE(BecomesForeground(other.Get()));

    ChildProcess second = install.Start(L"\"" + source + L"\"");
    AnswerAlreadyRunning(second);

    EXPECT_TRUE(BecomesForeground(window));
    EXPECT_TRUE(first->IsRunning());
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_TRUE(NamesIn(install.TempFolder()).empty());
}

TEST_F(SingleInstance, SecondStartRestoresAMinimisedFirstInstance) {
    HWND window = StartFirst();
    ASSERT_TRUE(window);
    ::ShowWindow(window, SW_MINIMIZE);
    WaitUntil([window] { return ::IsIconic(window) != FALSE; }, kTimeoutMs);
    ASSERT_TRUE(::IsIconic(window));

    ChildProcess second = install.Start(L"");
    AnswerAlreadyRunning(second);

    WaitUntil([window] { return !::IsIconic(window); }, kTimeoutMs);
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_TRUE(first->IsRunning());
}

TEST_F(SingleInstance, ClosingTheFirstInstanceEndsIt) {
    HWND window = StartFirst();
    ASSERT_TRUE(window);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(first->WaitForExit(kTimeoutMs));
    EXPECT_EQ(first->ExitCode(), 0u);
    first.reset();
}

}  // namespace
}  // namespace sorabako::test
