// The real Sorabako.exe copying a tree whose names Windows' plain paths would
// change: a trailing dot or blank, a device name, and names that differ only
// in case, made on the host, whose file system tells them apart as WSL or a
// Linux share does. Every file ends up in the copy with its own content, or
// in the report.
#include "e2e/ProcessRunner.h"
#include "e2e/ShellAssociations.h"
#include "platform/AppError.h"
#include "support/TreeBuilder.h"

#include <gtest/gtest.h>

namespace sorabako::test {
namespace {

const auto* const kAssociations = testing::AddGlobalTestEnvironment(new ShellAssociations);

constexpr DWORD kTimeoutMs = 20000;

class ExactCopy : public testing::Test {
protected:
    // Windows' own calls cannot remove such names; the scratch folders'
    // clean-up would leave them behind.
    void TearDown() override {
        RemoveAnyTree(source);
        for (const std::wstring& name : NamesIn(install.TempFolder())) RemoveAnyTree(install.TempFolder() + L"\\" + name);
    }

    Installation install;
    ScratchFolder sources;
    std::wstring source = sources / L"exact";
};

TEST_F(ExactCopy, EveryFileIsCopiedWithItsOwnContentOrReported) {
    ::CreateDirectoryW(source.c_str(), nullptr);
    WriteAnyFile(source + L"\\v1", "plain v1");
    WriteAnyFile(source + L"\\v1.", "v1 with a dot");
    WriteAnyFile(source + L"\\notes", "plain notes");
    WriteAnyFile(source + L"\\notes ", "notes with a blank");
    WriteAnyFile(source + L"\\nul.txt", "a file, not the device");
    WriteHostFile(source + L"\\Makefile", "upper make");
    WriteHostFile(source + L"\\makefile", "lower make");
    MakeHostFolder(source + L"\\sub");
    MakeHostFolder(source + L"\\Sub");
    WriteHostFile(source + L"\\sub\\x", "lower x");
    WriteHostFile(source + L"\\Sub\\x", "upper x");
    const std::wstring secondFile = FirstListed(source, L"Makefile", L"makefile") == L"Makefile" ? L"makefile" : L"Makefile";
    const std::wstring secondFolder = FirstListed(source, L"sub", L"Sub") == L"sub" ? L"Sub" : L"sub";
    auto expected = TreeContents(source);
    ASSERT_EQ(expected.size(), 11u) << "the tree as the host holds it";
    expected.erase(secondFile);
    expected.erase(L"\\" + secondFolder);
    expected.erase(secondFolder + L"\\x");

    ChildProcess program = install.Start(L"\"" + source + L"\"");
    HWND box = program.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(box) << "no report";
    const std::wstring report = MessageText(box);
    AnswerBox(box, IDOK);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));

    EXPECT_TRUE(report.starts_with(L"ファイル 1 個とフォルダ 1 個をコピーできませんでした。\r\n")) << Utf8(report);
    EXPECT_NE(report.find(L"\r\n" + secondFile + L"：" + SystemErrorText(ERROR_FILE_EXISTS)), std::wstring::npos)
        << Utf8(report);
    EXPECT_NE(report.find(L"\r\n" + secondFolder + L"：" + SystemErrorText(ERROR_ALREADY_EXISTS)), std::wstring::npos)
        << Utf8(report);
    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(TreeContents(install.TempFolder() + L"\\" + names[0]), expected);
    const auto launches = install.WaitForLaunches(1, kTimeoutMs);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find(install.TempFolder() + L"\\" + names[0]), std::wstring::npos)
        << "the plain form is launched: " << Utf8(launches[0]);
}

}  // namespace
}  // namespace sorabako::test
