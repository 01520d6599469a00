// The real Sorabako.exe: the About box, and a Send To link that starts it.
#include "e2e/ProcessRunner.h"
#include "platform/ShellFolders.h"
#include "platform/ShellLink.h"
#include "support/Screenshot.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = 20000;

TEST(ShellIntegration, AboutBoxShowsTheVersionAndClosesOnEsc) {
    Installation install;
    ChildProcess program = install.Start(L"");
    HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ClickButton(form, L"バージョン情報");
    HWND about = program.WaitForWindow(L"TAboutBox", kTimeoutMs);
    ASSERT_TRUE(about);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowEnabled(form); }, kTimeoutMs)) << "the owner stays enabled";

    std::wstring text;
    for (HWND child = ::GetWindow(about, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t buffer[2048]{};
        ::GetWindowTextW(child, buffer, 2048);
        if (wcslen(buffer) > text.size()) text = buffer;
    }
    EXPECT_EQ(text.rfind(L"ソラバコ V2.1 (2.1.0.1) Release Build\r\n" + install.Executable() + L"\r\n", 0), 0u)
        << Utf8(text);
    PaintNow(about);
    const std::wstring folder = BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(about, folder + L"\\about.bmp"));

    HWND ok = ::GetDlgItem(about, IDOK);
    ::PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(form) != FALSE; }, kTimeoutMs)) << "the owner stays disabled";
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kTimeoutMs));
}

// Sets an environment variable of this process for one scope.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        wchar_t old[32768]{};
        if (::GetEnvironmentVariableW(name, old, 32768)) old_ = old;
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }

private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

TEST(ShellIntegration, SendToLinkIsCreatedAndStartsTheProgram) {
    const std::wstring link = GetSpecialFolderPath(nullptr, CSIDL_SENDTO) + L"ソラバコ.Lnk";
    ::DeleteFileW(link.c_str());
    Installation install;
    {
        ChildProcess program = install.Start(L"");
        HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
        ASSERT_TRUE(form);
        ClickButton(form, L"「送る」に 登録・削除");
        HWND outcome = NextDialog(program, nullptr);
        ASSERT_TRUE(outcome);
        EXPECT_EQ(MessageText(outcome), link + L"\r\n新規作成しました。");
        AnswerBox(outcome, IDOK);
        HWND question = NextDialog(program, outcome);
        ASSERT_TRUE(question);
        EXPECT_EQ(MessageText(question), L"フォルダ 送る を開きますか？");
        AnswerBox(question, IDNO);
        ::PostMessageW(form, WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    }
    ASSERT_EQ(ReadShortcutTarget(link), install.Executable());

    // The shell starts the link's target with the sent file, as Send To does.
    ScratchFolder sources;
    const std::wstring source = sources / L"送った.sbtest";
    WriteTextFile(source, "sent");
    {
        ScopedVariable tmp(L"TMP", install.TempFolder());
        ScopedVariable temp(L"TEMP", install.TempFolder());
        const std::wstring parameters = L"\"" + source + L"\"";
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"open";
        info.lpFile = link.c_str();
        info.lpParameters = parameters.c_str();
        info.nShow = SW_SHOWNORMAL;
        ASSERT_TRUE(::ShellExecuteExW(&info));
    }
    // The shell gives no process handle for a link: wait for what the program
    // leaves when its one-shot road ends, the history in its settings file.
    const std::wstring settings = install / L"Sorabako.ini";
    WaitUntil([&] {
        try {
            return ReadTextFile(settings).find("File1=") != std::string::npos;
        } catch (const std::runtime_error&) {
            return false;  // not written yet, or just being replaced: look again
        }
    }, kTimeoutMs);
    ::DeleteFileW(link.c_str());
    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].substr(20), L"送った.sbtest");
    EXPECT_EQ(ReadTextFile(install.TempFolder() + L"\\" + names[0]), "sent");
    EXPECT_NE(ReadTextFile(settings).find("File1="), std::string::npos);
}

}  // namespace
}  // namespace sorabako::test
