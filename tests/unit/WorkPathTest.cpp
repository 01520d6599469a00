#include "platform/AppError.h"
#include "workcopy/WorkPath.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

SYSTEMTIME At(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms) {
    SYSTEMTIME t{};
    t.wYear = year; t.wMonth = month; t.wDay = day;
    t.wHour = hour; t.wMinute = minute; t.wSecond = second; t.wMilliseconds = ms;
    return t;
}

std::wstring ErrorOf(const std::wstring& source) {
    try {
        ParentFolderOfSource(source);
    } catch (const AppError& error) {
        return error.Message();
    }
    return L"(no error)";
}

TEST(WorkPathPrefix, IsZeroPaddedTwentyCharactersOnA24HourClock) {
    EXPECT_EQ(WorkPathPrefix(At(2022, 3, 27, 14, 5, 9, 42)), L"$20220327-140509042-");
    EXPECT_EQ(WorkPathPrefix(At(2026, 12, 31, 23, 59, 59, 999)), L"$20261231-235959999-");
    EXPECT_EQ(WorkPathPrefix(At(2001, 1, 2, 0, 0, 0, 0)).size(), 20u);
}

TEST(WorkPathNaming, FolderPartKeepsDriveRootsAndUncShares) {
    EXPECT_EQ(FolderPartOf(L"C:\\docs\\plan.xlsx"), L"C:\\docs");
    EXPECT_EQ(FolderPartOf(L"C:\\plan.xlsx"), L"C:\\");
    EXPECT_EQ(FolderPartOf(L"D:\\"), L"D:\\");
    EXPECT_EQ(FolderPartOf(L"\\\\server\\share\\a.txt"), L"\\\\server\\share");
    EXPECT_EQ(FolderPartOf(L"C:plan.txt"), L"C:");
    EXPECT_EQ(FolderPartOf(L"plan.txt"), L"");
}

TEST(WorkPathNaming, FileNamePartIsTextAfterLastDelimiter) {
    EXPECT_EQ(FileNamePartOf(L"D:\\docs\\plan.xlsx"), L"plan.xlsx");
    EXPECT_EQ(FileNamePartOf(L"D:\\photos"), L"photos");
    EXPECT_EQ(FileNamePartOf(L"D:\\"), L"");
    EXPECT_EQ(FileNamePartOf(L"C:plan.txt"), L"plan.txt");
    EXPECT_EQ(FileNamePartOf(L"plan.txt"), L"plan.txt");
}

TEST(WorkPathNaming, ComposeAddsOneDelimiterOnly) {
    const std::wstring prefix = L"$20220327-140509042-";
    EXPECT_EQ(ComposeWorkPath(L"C:\\Temp\\", prefix, L"plan.xlsx"), L"C:\\Temp\\" + prefix + L"plan.xlsx");
    EXPECT_EQ(ComposeWorkPath(L"C:\\docs", prefix, L"plan.xlsx"), L"C:\\docs\\" + prefix + L"plan.xlsx");
    EXPECT_EQ(ComposeWorkPath(L"", prefix, L"a.txt"), L"\\" + prefix + L"a.txt");
    // A drive root source: the name is empty and the path ends with the prefix's "-".
    EXPECT_EQ(ComposeWorkPath(L"D:\\", prefix, FileNamePartOf(L"D:\\")), L"D:\\" + prefix);
}

TEST(ParentFolderOfSource, FollowsDriveAndUncRules) {
    EXPECT_EQ(ParentFolderOfSource(L"C:\\docs\\plan.xlsx"), L"C:\\docs");
    EXPECT_EQ(ParentFolderOfSource(L"C:\\plan.xlsx"), L"C:\\");
    EXPECT_EQ(ParentFolderOfSource(L"C:\\"), L"");
    EXPECT_EQ(ParentFolderOfSource(L"C:\\docs\\photos"), L"C:\\docs");
    EXPECT_EQ(ParentFolderOfSource(L"\\\\server\\share\\a.txt"), L"\\\\server\\share");
    EXPECT_EQ(ParentFolderOfSource(L"\\\\server\\share"), L"");
    EXPECT_EQ(ParentFolderOfSource(L"C:/docs/plan.xlsx"), L"C:/docs");
    EXPECT_EQ(ParentFolderOfSource(L"plan.xlsx"), L"");
    EXPECT_EQ(ParentFolderOfSource(L"  C:\\docs\\plan.xlsx  "), L"C:\\docs");
    EXPECT_EQ(ParentFolderOfSource(L"  C:\\  "), L"");
}

TEST(ParentFolderOfSource, RaisesItsTwoErrors) {
    const std::wstring tooLong = L"C:\\" + std::wstring(256, L'a') + L".t";  // 261 characters
    EXPECT_EQ(ErrorOf(tooLong), L"The specified path is too long");
    EXPECT_EQ(ErrorOf(tooLong.substr(0, 260)), L"The specified path is too long");
    EXPECT_EQ(ErrorOf(tooLong.substr(0, 259)), L"(no error)");
    EXPECT_EQ(ErrorOf(L"\\\\?\\" + tooLong), L"(no error)");
    for (const wchar_t* bad : {L"", L"   ", L"C:\\a\tb.txt", L"C:\\\"a\".txt", L"C:\\a<b", L"C:\\a>b", L"C:\\a|b"})
        EXPECT_EQ(ErrorOf(bad), L"Invalid characters in file name") << testing::PrintToString(std::wstring(bad));
}

TEST(ShortcutExtension, IsCaseInsensitiveAndBelongsToTheFileName) {
    EXPECT_TRUE(HasShortcutExtension(L"D:\\docs\\Plan.LNK"));
    EXPECT_TRUE(HasShortcutExtension(L"D:\\docs\\plan.lnk"));
    EXPECT_TRUE(HasShortcutExtension(L"C:.lnk"));
    EXPECT_FALSE(HasShortcutExtension(L"D:\\docs.lnk\\plan"));
    EXPECT_FALSE(HasShortcutExtension(L"D:\\docs\\plan.lnk.txt"));
    EXPECT_FALSE(HasShortcutExtension(L"D:\\docs\\plan.lnkx"));
    EXPECT_FALSE(HasShortcutExtension(L"D:\\docs\\plan"));
}

}  // namespace
}  // namespace sorabako
