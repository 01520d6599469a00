#include "platform/ShellLink.h"
#include "support/ScratchFolder.h"
#include "workcopy/SourcePaths.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::ScratchFolder;
using test::WriteTextFile;

std::wstring ShortForm(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 4);
    return length ? std::wstring(buffer, length) : path;
}

class SourcePaths : public testing::Test {
protected:
    ScratchFolder scratch;
};

TEST_F(SourcePaths, LongPathNameExpandsExistingPathsOnly) {
    const std::wstring file = scratch / L"a rather long file name.txt";
    WriteTextFile(file, "x");
    const std::wstring shortForm = ShortForm(file);
    ASSERT_NE(shortForm, file) << "the file system gave no short name";
    EXPECT_EQ(ToLongPathName(shortForm), ToLongPathName(file));
    EXPECT_EQ(ToLongPathName(file), file);

    const std::wstring missing = scratch / L"MISSI~1.TXT";
    EXPECT_EQ(ToLongPathName(missing), missing);
}

TEST_F(SourcePaths, UpperCaseShortcutResolvesToTheLongTargetAndOtherSourcesStayAsTheyAre) {
    const std::wstring target = scratch / L"the report document.xlsx";
    WriteTextFile(target, "data");
    const std::wstring link = scratch / L"Plan.LNK";
    ASSERT_EQ(SaveShortcut(link, ShortForm(target)), S_OK);

    EXPECT_EQ(NormalizeSource(link), target);
    // Not a shortcut by its name: no resolution and no long-path conversion.
    EXPECT_EQ(NormalizeSource(ShortForm(target)), ShortForm(target));
    const std::wstring disguised = scratch / L"plan.lnk.bak";
    ::CopyFileW(link.c_str(), disguised.c_str(), FALSE);
    EXPECT_EQ(NormalizeSource(disguised), disguised);
}

TEST_F(SourcePaths, ShortcutToAFolderWithANameOfTheCodePage) {
    // Wine stores link targets in the ANSI code page: a name that page holds.
    const bool japanese = ::GetACP() == 932;
    const std::wstring folder = scratch / (japanese ? L"写真 2026" : L"Fotos \x00e9t\x00e9 2026");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring link = scratch / (japanese ? L"写真.lnk" : L"Fotos.lnk");
    ASSERT_EQ(SaveShortcut(link, folder), S_OK);
    EXPECT_EQ(NormalizeSource(link), folder);
}

TEST_F(SourcePaths, UnreadableShortcutStaysTheSourceInLongForm) {
    const std::wstring fake = scratch / L"not really a shortcut.lnk";
    WriteTextFile(fake, "plain text, not a link");
    EXPECT_EQ(ResolveShortcutTarget(fake), fake);
    EXPECT_EQ(NormalizeSource(ShortForm(fake)), fake);

    const std::wstring missing = scratch / L"gone.lnk";
    EXPECT_EQ(NormalizeSource(missing), missing);
}

TEST_F(SourcePaths, TemporaryFolderIsLongAndEndsWithADelimiter) {
    // The system hands out TMP as it was set, which is often the 8.3 form.
    const std::wstring folder = scratch / L"a long temporary folder";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring shortForm = ShortForm(folder);
    ASSERT_NE(shortForm, folder) << "the file system gave no short name";
    wchar_t saved[32768]{};
    const bool hadTmp = ::GetEnvironmentVariableW(L"TMP", saved, 32768) != 0;
    ::SetEnvironmentVariableW(L"TMP", shortForm.c_str());
    const std::wstring temp = SystemTempFolderPath();
    ::SetEnvironmentVariableW(L"TMP", hadTmp ? saved : nullptr);
    EXPECT_EQ(temp, folder + L"\\");
}

TEST_F(SourcePaths, ModesGiveTheirWorkFolders) {
    EXPECT_EQ(ResolveWorkFolder(WorkFolderMode::SystemTempFolder, L"D:\\x"), SystemTempFolderPath());
    EXPECT_EQ(ResolveWorkFolder(WorkFolderMode::SameFolder, L"D:\\x"), L"");
    EXPECT_EQ(ResolveWorkFolder(WorkFolderMode::AnotherFolder, L"D:\\x"), L"D:\\x");
    EXPECT_EQ(ResolveWorkFolder(WorkFolderMode::AnotherFolder, L""), L"");
}

TEST_F(SourcePaths, RelativeSourceIsMadeAbsoluteAgainstTheCurrentFolder) {
    wchar_t previous[MAX_PATH * 4];
    ::GetCurrentDirectoryW(MAX_PATH * 4, previous);
    ::SetCurrentDirectoryW(scratch.Path().c_str());
    EXPECT_EQ(AbsoluteSourcePath(L"notes.txt"), scratch / L"notes.txt");
    EXPECT_EQ(AbsoluteSourcePath(L"sub\\..\\notes.txt"), scratch / L"notes.txt");
    EXPECT_EQ(AbsoluteSourcePath(L"a\\notes.txt"), scratch / L"a\\notes.txt");
    ::SetCurrentDirectoryW(previous);
    EXPECT_EQ(AbsoluteSourcePath(L"C:\\x\\notes.txt"), L"C:\\x\\notes.txt");
    EXPECT_EQ(AbsoluteSourcePath(L"\\\\server\\share\\a"), L"\\\\server\\share\\a");
    EXPECT_EQ(AbsoluteSourcePath(L""), L"");
}

}  // namespace
}  // namespace sorabako
