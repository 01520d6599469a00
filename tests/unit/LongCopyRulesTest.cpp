// The pure rules of long copies: which form of a path reaches the system,
// when the progress dialog opens, and how the report of skipped entries reads.
#include "app/Strings.h"
#include "support/ScratchFolder.h"
#include "workcopy/CopyProgress.h"
#include "workcopy/PathForms.h"
#include "workcopy/SkippedReport.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::Utf8;

TEST(PathForms, AbsolutePathsGoToTheSystemExtendedWithTheirNamesAsTheyAre) {
    EXPECT_EQ(ExtendedForm(L"C:\\docs\\a.txt"), L"\\\\?\\C:\\docs\\a.txt");
    EXPECT_EQ(ExtendedForm(L"\\\\server\\share\\a.txt"), L"\\\\?\\UNC\\server\\share\\a.txt");
    for (const wchar_t* unchanged : {L"\\\\?\\C:\\a", L"\\\\.\\COM1", L"docs\\a.txt", L"\\docs\\a", L"C:docs"})
        EXPECT_EQ(ExtendedForm(unchanged), unchanged);

    // Names the system's own rule would change are kept.
    for (const wchar_t* kept : {L"C:\\v1.", L"C:\\docs\\notes ", L"D:\\nul.txt", L"C:\\a\\", L"C:\\", L"C:\\...",
                                L"\\\\server\\share\\con", L"\\\\server\\share"}) {
        EXPECT_TRUE(IsNormalAbsolute(kept)) << Utf8(kept);
        EXPECT_EQ(AbsoluteKeepingNames(kept).path, kept);
    }
    // Only what the system must resolve goes through it.
    for (const wchar_t* resolved : {L"C:\\a\\..\\b", L"C:\\a\\.\\b", L"C:\\a\\\\b", L"C:/a", L"C:a", L"a\\b",
                                    L"\\a", L"\\\\server\\\\share", L"\\\\?\\C:\\a", L"\\\\.\\COM1"})
        EXPECT_FALSE(IsNormalAbsolute(resolved)) << Utf8(resolved);
    EXPECT_EQ(AbsoluteKeepingNames(L"C:\\a\\..\\b.").path, L"C:\\b");
}

TEST(PathForms, ThePlainFormIsTheOneTheUserKnows) {
    EXPECT_EQ(PlainForm(L"\\\\?\\C:\\work\\v1."), L"C:\\work\\v1.");
    EXPECT_EQ(PlainForm(L"\\\\?\\UNC\\server\\share\\a"), L"\\\\server\\share\\a");
    for (const wchar_t* unchanged : {L"C:\\a", L"\\\\server\\share\\a", L"\\\\.\\COM1", L"relative"})
        EXPECT_EQ(PlainForm(unchanged), unchanged);
}

TEST(PathForms, AncestorsStopAtTheDriveRootOrTheShare) {
    EXPECT_EQ(AncestorFolders(L"C:\\a\\b\\c"), (std::vector<std::wstring>{L"C:\\a\\b", L"C:\\a"}));
    EXPECT_EQ(AncestorFolders(L"C:\\a\\b\\"), (std::vector<std::wstring>{L"C:\\a"}));
    EXPECT_TRUE(AncestorFolders(L"C:\\a").empty());
    EXPECT_EQ(AncestorFolders(L"\\\\server\\share\\x\\y"), (std::vector<std::wstring>{L"\\\\server\\share\\x"}));
    EXPECT_TRUE(AncestorFolders(L"\\\\server\\share\\x").empty());
    EXPECT_TRUE(AncestorFolders(L"relative\\x").empty());
}

// A copy that ends within the second never opens the dialog; a longer one
// opens it once, and asks the shell only once even when it has none.
TEST(CopyProgressTiming, TheDialogIsAskedForOnceAfterOneSecond) {
    ULONGLONG now = 5000;
    int opened = 0;
    CopyProgress progress([&] { ++opened; return std::unique_ptr<ProgressDialog>(); }, [&] { return now; });
    for (; now < 5999; now += 37) EXPECT_TRUE(progress.KeepGoing(now));
    EXPECT_EQ(opened, 0);
    EXPECT_FALSE(progress.Shown());
    now = 6000;
    EXPECT_TRUE(progress.KeepGoing(1));
    EXPECT_EQ(opened, 1) << "at one second";
    now = 9000;
    EXPECT_TRUE(progress.KeepGoing(2));
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(progress.Shown());
    EXPECT_FALSE(progress.Cancelled());
}

// From the start the copy keeps the queue moving (answers what other threads
// send, throws input away) once per refresh, dialog or not; a cancel asked
// for by a sent message stops it at that very look, and after the end of the
// session nothing is answered any more.
TEST(CopyProgressTiming, TheQueueMovesFromTheStartAndACancelRequestStopsAtOnce) {
    ULONGLONG now = 0;
    int pumped = 0;
    CopyProgress* self = nullptr;
    CopyProgress progress({}, [&] { return now; }, [&] {
        if (++pumped == 3) self->RequestCancel(true);
    });
    self = &progress;
    EXPECT_TRUE(progress.KeepGoing(0));
    EXPECT_EQ(pumped, 0) << "not before a refresh is due";
    now = 50;
    EXPECT_TRUE(progress.KeepGoing(0));
    now = 99;
    EXPECT_TRUE(progress.KeepGoing(0));
    now = 100;
    EXPECT_TRUE(progress.KeepGoing(0));
    EXPECT_EQ(pumped, 2);
    now = 150;
    EXPECT_FALSE(progress.KeepGoing(0)) << "the request came in during this look";
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_TRUE(progress.SessionEnding());
    progress.KeepQueueMoving();
    now = 400;
    EXPECT_FALSE(progress.KeepGoing(0));
    EXPECT_EQ(pumped, 3) << "nothing is answered after the end of the session";
}

const SkippedReportWording kWording{text::kSkippedFiles,   text::kSkippedFolders,          text::kSkippedJoiner,
                                    text::kSkippedHeadTail, text::kSkippedReasonSeparator, text::kSkippedMore};

std::wstring Reason(DWORD error) {
    return L"reason " + std::to_wstring(error);
}

TEST(SkippedReport, CountsFilesAndFoldersApartAndListsTheFirstTen) {
    EXPECT_EQ(SkippedReportText({}, kWording, Reason), L"");
    EXPECT_EQ(SkippedReportText({{L"sub", true, 5}}, kWording, Reason),
              L"フォルダ 1 個をコピーできませんでした。\r\nsub：reason 5");

    std::vector<SkippedEntry> skipped{{L"", true, 5}, {L"a\\locked.xlsx", false, 32}};
    EXPECT_EQ(SkippedReportText(skipped, kWording, Reason),
              L"ファイル 1 個とフォルダ 1 個をコピーできませんでした。\r\n.：reason 5\r\na\\locked.xlsx：reason 32");

    skipped.clear();
    for (int i = 0; i < 13; ++i) skipped.push_back({L"f" + std::to_wstring(i), false, 32});
    const std::wstring text = SkippedReportText(skipped, kWording, Reason);
    EXPECT_TRUE(text.starts_with(L"ファイル 13 個をコピーできませんでした。\r\nf0：reason 32\r\n"));
    EXPECT_NE(text.find(L"\r\nf9：reason 32\r\nほか 3 個"), std::wstring::npos);
    EXPECT_EQ(text.find(L"f10"), std::wstring::npos);
    EXPECT_TRUE(text.ends_with(L"ほか 3 個"));
}

}  // namespace
}  // namespace sorabako
