#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "support/OwnWindows.h"
#include "support/RecordingFileOperations.h"
#include "support/ScratchFolder.h"
#include "support/TreeBuilder.h"
#include "workcopy/FolderTreeCopy.h"
#include "workcopy/WorkFileCopy.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::Exists;
using test::NamesIn;
using test::ReadTextFile;
using test::RecordingFileOperations;
using test::ScratchFolder;
using test::TreeContents;
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

// The host's file system tells case apart, as a case-sensitive folder on
// Windows (WSL) or a Linux share does; the target, like most of Windows, does
// not. In a folder that was there before, earlier files are overwritten, but
// never by a twin of one this copy has just made.
TEST(FolderTreeCopyTwins, InAFolderThatWasThereATwinIsSkippedAndTheFirstStays) {
    ScratchFolder scratch;
    const std::wstring source = scratch / L"wsl";
    CreateFolderTree(source);
    test::WriteHostFile(source + L"\\Makefile", "upper");
    test::WriteHostFile(source + L"\\makefile", "lower");
    test::MakeHostFolder(source + L"\\Src");
    test::MakeHostFolder(source + L"\\src");
    test::WriteHostFile(source + L"\\Src\\main", "upper main");
    test::WriteHostFile(source + L"\\src\\main", "lower main");
    const std::wstring file = test::FirstListed(source, L"Makefile", L"makefile");
    const std::wstring folder = test::FirstListed(source, L"Src", L"src");
    const std::wstring target = scratch / L"earlier";
    CreateFolderTree(target);

    const CopyOutcome outcome = CopyFolderTree(source, target);

    ASSERT_EQ(outcome.skipped.size(), 2u);
    std::map<std::wstring, DWORD> skipped;
    for (const SkippedEntry& entry : outcome.skipped) skipped[entry.path] = entry.error;
    EXPECT_EQ(skipped, (std::map<std::wstring, DWORD>{{file == L"Makefile" ? L"makefile" : L"Makefile", ERROR_FILE_EXISTS},
                                                       {folder == L"Src" ? L"src" : L"Src", ERROR_ALREADY_EXISTS}}));
    EXPECT_EQ(ReadTextFile(target + L"\\" + file), ReadTextFile(source + L"\\" + file));
    EXPECT_EQ(ReadTextFile(target + L"\\" + folder + L"\\main"), ReadTextFile(source + L"\\" + folder + L"\\main"));
}

// Cancel in the real progress dialog, pressed as a file is copied, while
// every look at a target fails as on a share that denies it: Cancel removes
// only what the copy made, and counts until the copy returns.
class FolderTreeCopyCancel : public testing::Test {
protected:
    void SetUp() override {
        files.attributesError = ERROR_ACCESS_DENIED;
    }
    RecordingFileOperations::CopyHook CancelAt(const std::wstring& name, ExistingTarget when) {
        return [=](const std::wstring& from, ExistingTarget existing) {
            if (from.ends_with(name) && existing == when) {
                EXPECT_TRUE(test::PressCancelInProgressDialog()) << "no progress dialog";
            }
        };
    }
    CopyProgress Shown() {
        return CopyProgress([] { return ProgressDialog::Open(nullptr, {L"ソラバコ", L"source", L"target", L"removing"}); },
                            [this] { return now += 2000; });
    }

    ScratchFolder scratch;
    RecordingFileOperations files;
    ULONGLONG now = 0;
};

// As on Windows, the system asks the progress routine: a file being
// overwritten is let finish, since a cancelled copy loses its target.
TEST_F(FolderTreeCopyCancel, AFileThatWasThereBeforeStays) {
    const std::wstring source = scratch / L"source";
    CreateFolderTree(source + L"\\new");
    WriteTextFile(source + L"\\a.txt", "new a");
    WriteTextFile(source + L"\\new\\b.txt", "new b");
    const std::wstring target = scratch / L"earlier";
    CreateFolderTree(target);
    WriteTextFile(target + L"\\a.txt", "earlier a");
    files.playProgressRoutine = true;
    files.whileCopying = CancelAt(L"\\a.txt", ExistingTarget::Overwrite);

    CopyProgress progress = Shown();
    EXPECT_TRUE(CopyFolderTree(source, target, progress, files).cancelled);
    EXPECT_EQ(NamesIn(target), std::vector<std::wstring>{L"a.txt"});
    EXPECT_EQ(ReadTextFile(target + L"\\a.txt"), "new a");
}

// Cancel comes as the system has copied the last file and before the copy
// returns, with no word to the progress routine: a final look at the dialog
// still sees it. (The file copy opens the dialog from the routine only.)
TEST_F(FolderTreeCopyCancel, ACancelBeforeTheCopyReturnsIsHonoured) {
    const std::wstring source = scratch / L"source";
    CreateFolderTree(source);
    WriteTextFile(source + L"\\only.txt", "only");
    const std::wstring target = scratch / L"$20261211-101010123-source";
    files.beforeReturning = CancelAt(L"\\only.txt", ExistingTarget::Fail);
    CopyProgress treeProgress = Shown();
    EXPECT_TRUE(CopyFolderTree(source, target, treeProgress, files).cancelled);
    EXPECT_FALSE(Exists(target));

    const std::wstring workPath = scratch / L"$20261211-101010123-only.txt";
    files.playProgressRoutine = true;
    files.beforeReturning = [&](const std::wstring& from, ExistingTarget existing) {
        EXPECT_TRUE(test::WaitForFullProgressBar()) << "the bar goes by the file's bytes";
        CancelAt(L"\\only.txt", ExistingTarget::Fail)(from, existing);
    };
    CopyProgress fileProgress = Shown();
    EXPECT_TRUE(CopyWorkFile(source + L"\\only.txt", workPath, fileProgress, files).cancelled);
    EXPECT_FALSE(Exists(workPath));

    WriteTextFile(workPath, "earlier");
    files.beforeReturning = CancelAt(L"\\only.txt", ExistingTarget::Overwrite);
    CopyProgress again = Shown();
    EXPECT_TRUE(CopyWorkFile(source + L"\\only.txt", workPath, again, files).cancelled);
    EXPECT_EQ(ReadTextFile(workPath), "only") << "the file at the work path was there before";
}

// The clean-up after a Cancel: the dialog stays up and says so, an entry held
// for a moment is tried again until it goes, and what another program keeps
// is named with the system's reason, with the folders it keeps from going.
TEST_F(FolderTreeCopyCancel, AHeldEntryIsTriedAgainAndWhatStaysIsNamed) {
    files.attributesError.reset();
    const std::wstring source = scratch / L"source";
    CreateFolderTree(source + L"\\sub");
    WriteTextFile(source + L"\\a.txt", "a");
    WriteTextFile(source + L"\\sub\\b.txt", "b");
    const std::wstring target = scratch / L"$20261211-101010123-source";
    CopyProgress progress = Shown();
    int copies = 0;
    files.beforeReturning = [&](const std::wstring&, ExistingTarget) {
        if (++copies == 2) progress.RequestCancel(false);
    };
    int triesOfA = 0, triesOfB = 0;
    std::optional<ULONGLONG> aHeldAt;
    bool dialogSaysSo = true;
    files.removalFails = [&](const std::wstring& path) -> std::optional<DWORD> {
        const HWND dialog = test::OwnProgressDialog();
        dialogSaysSo = dialogSaysSo && dialog && test::HasChildWithText(dialog, L"removing");
        if (path.ends_with(L"\\a.txt")) {
            ++triesOfA;
            // Held at the first try, and until the copy has let some time pass.
            if (!aHeldAt) aHeldAt = now;
            if (now == *aHeldAt) return ERROR_SHARING_VIOLATION;
        }
        if (path.ends_with(L"\\b.txt")) return ++triesOfB, ERROR_SHARING_VIOLATION;
        return std::nullopt;
    };

    const CopyOutcome outcome = CopyFolderTree(source, target, progress, files);

    EXPECT_TRUE(outcome.cancelled);
    EXPECT_TRUE(dialogSaysSo) << "the dialog goes only when the removal is over";
    EXPECT_EQ(triesOfA, 2) << "a pause, then it goes";
    EXPECT_EQ(triesOfB, 5) << "tried a few times, then left";
    ASSERT_EQ(outcome.notRemoved.size(), 3u);
    const std::vector<std::tuple<std::wstring, bool, DWORD>> left{
        {target, true, ERROR_DIR_NOT_EMPTY}, {target + L"\\sub", true, ERROR_DIR_NOT_EMPTY},
        {target + L"\\sub\\b.txt", false, ERROR_SHARING_VIOLATION}};
    for (std::size_t i = 0; i < left.size(); ++i) {
        EXPECT_EQ(outcome.notRemoved[i].path, std::get<0>(left[i]));
        EXPECT_EQ(outcome.notRemoved[i].folder, std::get<1>(left[i]));
        EXPECT_EQ(outcome.notRemoved[i].error, std::get<2>(left[i]));
    }
    EXPECT_EQ(NamesIn(target), std::vector<std::wstring>{L"sub"});
    EXPECT_FALSE(test::OwnProgressDialog());
}

// Wine hands paths to Linux, which takes at most 4,096 bytes, so a tree ten
// thousand folders deep (20,000 characters) exists only at the seam: one
// folder "d" in each, a file at the bottom.
class DeepTreeOperations final : public FileOperations {
public:
    DeepTreeOperations(const std::wstring& source, std::size_t depth) : source_(test::Extended(source)), depth_(depth) {}

    std::size_t foldersMade = 0, identityLookups = 0;
    std::wstring lastCopy;

    DWORD ListFolder(const std::wstring& folder,
                     const std::function<void(const WIN32_FIND_DATAW&)>& visit) override {
        WIN32_FIND_DATAW entry{};
        const bool bottom = (folder.size() - source_.size()) / 2 == depth_;
        wcscpy_s(entry.cFileName, bottom ? L"leaf.txt" : L"d");
        entry.dwFileAttributes = bottom ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DIRECTORY;
        visit(entry);
        return ERROR_SUCCESS;
    }
    DWORD CreateFolder(const std::wstring&) override {
        ++foldersMade;
        return ERROR_SUCCESS;
    }
    DWORD Copy(const std::wstring&, const std::wstring& to, ExistingTarget, const CopyTick&) override {
        lastCopy = to;
        return ERROR_SUCCESS;
    }
    PathAttributes Attributes(const std::wstring& path) override { return real_.Attributes(path); }
    DWORD RemoveFile(const std::wstring&) override { return ERROR_SUCCESS; }
    DWORD RemoveFolder(const std::wstring&) override { return ERROR_SUCCESS; }
    std::optional<FolderIdentity> IdentityOf(const std::wstring&) override {
        ++identityLookups;
        return std::nullopt;
    }

private:
    std::wstring source_;
    std::size_t depth_;
    Win32FileOperations real_;
};

TEST(FolderTreeCopyDepth, TenThousandLevelsAreCopiedWithoutRecursion) {
    ScratchFolder scratch;
    const std::wstring source = scratch / L"deep";
    CreateFolderTree(source);
    const std::wstring target = scratch / L"$20261211-101010123-deep";
    constexpr std::size_t kDepth = 10000;

    DeepTreeOperations files(source, kDepth);
    CopyProgress quiet;
    EXPECT_TRUE(CopyFolderTree(source, target, quiet, files).skipped.empty());

    EXPECT_EQ(files.foldersMade, kDepth + 1) << "the work folder and every level";
    std::wstring deepest = test::Extended(target);
    for (std::size_t level = 0; level < kDepth; ++level) deepest += L"\\d";
    EXPECT_EQ(files.lastCopy, deepest + L"\\leaf.txt");
    EXPECT_EQ(files.identityLookups, 0u) << "ordinary folders cannot loop";
}

}  // namespace
}  // namespace sorabako
