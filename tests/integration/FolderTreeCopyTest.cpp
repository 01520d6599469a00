#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "support/ScratchFolder.h"
#include "workcopy/FolderTreeCopy.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::Exists;
using test::NamesIn;
using test::ReadTextFile;
using test::ScratchFolder;
using test::Utf8;
using test::WriteTextFile;

std::wstring CopyError(const std::wstring& source, const std::wstring& target) {
    try {
        CopyFolderTree(source, target);
    } catch (const AppError& error) {
        return error.Message();
    }
    return L"(no error)";
}

wchar_t MissingDriveLetter() {
    for (wchar_t letter = L'Q'; letter <= L'Y'; ++letter) {
        if (!LogicalDriveExists(letter)) return letter;
    }
    return 0;
}

class FolderTreeCopy : public testing::Test {
protected:
    void SetUp() override {
        source = scratch / L"原稿 source";
        CreateFolderTree(source + L"\\章1\\deep\\deeper");
        CreateFolderTree(source + L"\\empty");
        WriteTextFile(source + L"\\top.txt", "top");
        WriteTextFile(source + L"\\章1\\本文.txt", "日本語の本文");
        WriteTextFile(source + L"\\章1\\deep\\deeper\\leaf.bin", std::string("\0\1\2\3", 4));
        WriteTextFile(source + L"\\hidden.txt", "hidden");
        WriteTextFile(source + L"\\章1\\system.dat", "system");
        ::SetFileAttributesW((source + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ::SetFileAttributesW((source + L"\\章1\\system.dat").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    }

    ScratchFolder scratch;
    std::wstring source;
};

TEST_F(FolderTreeCopy, CopiesNestedFoldersWithHiddenAndSystemFiles) {
    const std::wstring target = scratch / L"work\\$20261209-101010123-原稿 source";
    CopyFolderTree(source, target);

    EXPECT_EQ(NamesIn(target), NamesIn(source));
    EXPECT_TRUE(Exists(target + L"\\empty"));
    for (const wchar_t* file : {L"\\top.txt", L"\\章1\\本文.txt", L"\\章1\\deep\\deeper\\leaf.bin",
                                L"\\hidden.txt", L"\\章1\\system.dat"}) {
        EXPECT_EQ(ReadTextFile(target + file), ReadTextFile(source + file)) << Utf8(file);
    }
    EXPECT_TRUE(::GetFileAttributesW((target + L"\\hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FolderTreeCopy, OverwritesFilesAlreadyInTheTarget) {
    const std::wstring target = scratch / L"again";
    CreateFolderTree(target);
    WriteTextFile(target + L"\\top.txt", "old content");
    CopyFolderTree(source, target);
    EXPECT_EQ(ReadTextFile(target + L"\\top.txt"), "top");
}

TEST_F(FolderTreeCopy, ChecksEachPathBeforeCopyingAnything) {
    const std::wstring target = scratch / L"target";
    const std::wstring longName(250, L'x');
    EXPECT_EQ(CopyError(scratch / longName, target), L"The specified path is too long");
    EXPECT_EQ(CopyError(source, scratch / longName), L"The specified path is too long");
    EXPECT_EQ(CopyError(source + L":stream", target), L"The path format is not supported");
    EXPECT_EQ(CopyError(source, target + L":stream"), L"The path format is not supported");
    EXPECT_EQ(CopyError(scratch / L"a|b", target), L"Invalid characters in path");
    EXPECT_EQ(CopyError(source, scratch / L"a<b"), L"Invalid characters in path");
    EXPECT_EQ(CopyError(scratch / L"no such folder", target), L"The specified path was not found");
    EXPECT_EQ(CopyError(source + L"\\top.txt", target), L"The specified path was not found");
    // The source is checked first, the target after it.
    EXPECT_EQ(CopyError(scratch / L"no such folder", scratch / longName), L"The specified path was not found");
    EXPECT_FALSE(Exists(target));
}

TEST_F(FolderTreeCopy, RefusesTheSameFolderInAnyCase) {
    std::wstring sameInOtherCase = source;
    for (wchar_t& c : sameInOtherCase) c = static_cast<wchar_t>(::towupper(c));
    EXPECT_EQ(CopyError(source, sameInOtherCase + L"\\"),
              L"The source directory is the same as the destination directory");
}

TEST_F(FolderTreeCopy, RefusesAMissingDrive) {
    const wchar_t drive = MissingDriveLetter();
    ASSERT_NE(drive, 0);
    const std::wstring target = std::wstring(1, drive) + L":\\work\\copy";
    EXPECT_EQ(CopyError(source, target), L"The drive cannot be found");
}

TEST_F(FolderTreeCopy, LeavesAWorkFolderInsideTheSourceOutOfTheWalk) {
    const std::wstring target = source + L"\\章1\\$20261209-101010123-原稿 source";
    CopyFolderTree(source, target);

    EXPECT_EQ(ReadTextFile(target + L"\\章1\\本文.txt"), "日本語の本文");
    EXPECT_FALSE(Exists(target + L"\\章1\\$20261209-101010123-原稿 source"));
    EXPECT_EQ(NamesIn(target + L"\\章1"), (std::vector<std::wstring>{L"deep", L"system.dat", L"本文.txt"}));
}

TEST_F(FolderTreeCopy, DriveRootStyleTargetDirectlyInsideTheSource) {
    const std::wstring target = source + L"\\$20261209-101010123-";
    CopyFolderTree(source, target);
    EXPECT_TRUE(Exists(target + L"\\top.txt"));
    EXPECT_FALSE(Exists(target + L"\\$20261209-101010123-"));
}

}  // namespace
}  // namespace sorabako
