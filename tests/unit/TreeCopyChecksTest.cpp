#include "platform/AppError.h"
#include "workcopy/TreeCopyChecks.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

std::wstring CheckError(const std::wstring& path) {
    try {
        CheckTreeCopyPath(path);
    } catch (const AppError& error) {
        return error.Message();
    }
    return L"(no error)";
}

TEST(TreeCopyPathChecks, LengthLimitIs248UnlessExtended) {
    const std::wstring at247 = L"C:\\" + std::wstring(244, L'a');
    ASSERT_EQ(at247.size(), 247u);
    EXPECT_EQ(CheckError(at247), L"(no error)");
    EXPECT_EQ(CheckError(at247 + L"b"), L"The specified path is too long");
    EXPECT_EQ(CheckError(L"\\\\?\\" + at247 + L"b"), L"(no error)");
}

TEST(TreeCopyPathChecks, OnlyALeadingDriveColonIsAllowed) {
    EXPECT_EQ(CheckError(L"C:\\docs\\a"), L"(no error)");
    EXPECT_EQ(CheckError(L"C:\\docs\\a:stream"), L"The path format is not supported");
    EXPECT_EQ(CheckError(L"\\\\server\\share:x"), L"The path format is not supported");
    EXPECT_EQ(CheckError(L"\\\\?\\C:\\docs"), L"(no error)");
    EXPECT_EQ(CheckError(L"\\\\?\\:docs"), L"The path format is not supported");
}

TEST(TreeCopyPathChecks, BlankAndInvalidCharactersComeLast) {
    EXPECT_EQ(CheckError(L"   "), L"Invalid characters in path");
    EXPECT_EQ(CheckError(L"C:\\a|b"), L"Invalid characters in path");
    EXPECT_EQ(CheckError(L"C:\\a\x1f"), L"Invalid characters in path");
    // The colon check is made before the character check.
    EXPECT_EQ(CheckError(L"C:\\a:b|c"), L"The path format is not supported");
}

TEST(TreeCopyFolderComparison, IgnoresCaseAndTrailingDelimiters) {
    EXPECT_TRUE(NameSameFolder(L"C:\\Docs", L"c:\\docs\\"));
    EXPECT_FALSE(NameSameFolder(L"D:\\", L"d:"));  // a drive root keeps its delimiter
    EXPECT_FALSE(NameSameFolder(L"C:\\Docs", L"C:\\Docs2"));
    EXPECT_TRUE(IsSameOrInside(L"C:\\Docs\\sub\\x", L"c:\\docs"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\$2026-", L"D:\\"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\Docs2\\x", L"C:\\Docs"));
    EXPECT_TRUE(IsUncPath(L"\\\\server\\share"));
    EXPECT_FALSE(IsUncPath(L"C:\\"));
}

}  // namespace
}  // namespace sorabako
