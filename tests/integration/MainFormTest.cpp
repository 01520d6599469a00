// The real TForm1 under Wine with the scripted platform: the open operation,
// the start-up resolution and both roads of the creation sequence.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"
#include "workcopy/SourcePaths.h"

#include <gtest/gtest.h>

namespace sorabako {

namespace {

using test::Exists;
using test::Launch;
using test::NamesIn;
using test::ReadTextFile;
using test::ScratchFolder;
using test::WriteTextFile;

constexpr wchar_t kPrefix[] = L"$20261209-174501007-";

SYSTEMTIME FixedTime() {
    SYSTEMTIME t{};
    t.wYear = 2026; t.wMonth = 12; t.wDay = 9;
    t.wHour = 17; t.wMinute = 45; t.wSecond = 1; t.wMilliseconds = 7;
    return t;
}

class MainForm : public testing::Test {
protected:
    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(L"ソラバコ");
    }

    std::unique_ptr<TForm1> MakeForm(std::optional<std::wstring> source) {
        auto form = std::make_unique<TForm1>(platform, FormOptions{L"", std::move(source), FixedTime, scratch / L"Sorabako.ini"});
        form->Create(::GetModuleHandleW(nullptr));
        EXPECT_TRUE(form->Handle());
        return form;
    }

    ScratchFolder scratch;
    test::ScriptedPlatform platform;
};

TEST_F(MainForm, WindowRoadShowsTheEmptyWindowWithTheSystemFolderMode) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};

    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    wchar_t caption[64]{};
    ::GetWindowTextW(form->Handle(), caption, 64);
    EXPECT_STREQ(caption, L"ソラバコ");
    EXPECT_EQ(::SendMessageW(probe.SystemFolderButton(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(probe.WorkFolder(), SystemTempFolderPath());
    EXPECT_EQ(probe.WorkFileName(), L"");
    EXPECT_EQ(probe.Page(), kPageFile);
    EXPECT_TRUE(platform.launches.empty());
    EXPECT_FALSE(DrainQueueSawQuit());
}

TEST_F(MainForm, FileSourceIsCopiedLaunchedWithoutOwnerAndRecorded) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};
    probe.WorkFolder() = scratch / L"work";
    CreateFolderTree(probe.WorkFolder());
    const std::wstring source = scratch / L"資料 (1).docx";
    WriteTextFile(source, std::string("PK\3\4 binary \0 content", 22));

    const std::wstring workPath = probe.MakeWorkFileName(source);
    EXPECT_EQ(workPath, scratch / L"work\\" + kPrefix + L"資料 (1).docx");
    probe.OpenWorkCopy(source, workPath);

    EXPECT_EQ(ReadTextFile(workPath), ReadTextFile(source));
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].kind, Launch::Kind::Open);
    EXPECT_EQ(platform.launches[0].owner, nullptr);
    EXPECT_EQ(platform.launches[0].target, L"\"" + workPath + L"\"");
    EXPECT_EQ(probe.LastFolderName(), scratch.Path());
    ASSERT_EQ(probe.History().Count(), 1);
    EXPECT_EQ(probe.History().At(0), source);
}

TEST_F(MainForm, FolderSourceCopiesTheTreeAndLaunchesOwnedByTheWindow) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};
    probe.WorkFolder() = scratch / L"work";
    const std::wstring source = scratch / L"photos";
    CreateFolderTree(source + L"\\2026");
    WriteTextFile(source + L"\\2026\\a.jpg", "jpeg");

    const std::wstring workPath = probe.MakeWorkFileName(source);
    probe.OpenWorkCopy(source, workPath);

    EXPECT_EQ(ReadTextFile(workPath + L"\\2026\\a.jpg"), "jpeg");
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].owner, form->Handle());
    EXPECT_EQ(probe.History().At(0), source);
}

TEST_F(MainForm, MissingSourceIsStillLaunchedAndRecorded) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};
    probe.WorkFolder() = scratch.Path();
    const std::wstring source = scratch / L"gone\\stale.txt";

    const std::wstring workPath = probe.MakeWorkFileName(source);
    probe.OpenWorkCopy(source, workPath);

    EXPECT_FALSE(Exists(workPath));
    EXPECT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(probe.LastFolderName(), scratch / L"gone");
    EXPECT_EQ(probe.History().Count(), 1);
}

TEST_F(MainForm, OverlongSourceIsCopiedThenReportsAndLeavesTheHistory) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};
    probe.WorkFolder() = scratch / L"work";
    probe.LastFolderName() = L"C:\\before";
    const std::wstring folder = scratch / std::wstring(120, L'f');
    CreateFolderTree(folder);
    const std::wstring source = folder + L"\\" + std::wstring(260 - folder.size(), L'n');
    ASSERT_EQ(source.size(), 261u);
    WriteTextFile(source, "long");

    const std::wstring workPath = probe.MakeWorkFileName(source);
    try {
        probe.OpenWorkCopy(source, workPath);
        ADD_FAILURE() << "no error raised";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Message(), L"The specified path is too long");
    }
    EXPECT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(probe.LastFolderName(), L"C:\\before");
    EXPECT_EQ(probe.History().Count(), 0);
}

TEST_F(MainForm, AnEmptyWorkFolderIsFilledByTheFirstOpenAndKept) {
    auto form = MakeForm(std::nullopt);
    TForm1Probe probe{*form};
    probe.WorkFolder().clear();

    EXPECT_EQ(probe.MakeWorkFileName(L"C:\\a\\x.txt"), std::wstring(L"C:\\a\\") + kPrefix + L"x.txt");
    EXPECT_EQ(probe.MakeWorkFileName(L"D:\\b\\y.txt"), std::wstring(L"C:\\a\\") + kPrefix + L"y.txt");
    EXPECT_EQ(probe.WorkFolder(), L"C:\\a");

    probe.WorkFolder().clear();
    EXPECT_EQ(probe.MakeWorkFileName(L"D:\\"), std::wstring(L"D:\\") + kPrefix);
    EXPECT_EQ(probe.WorkFolder(), L"D:\\");
}

TEST_F(MainForm, OneShotRoadCopiesRecordsAndEndsWithoutShowing) {
    const std::wstring source = scratch / L"見積書.xlsx";
    WriteTextFile(source, "estimate");
    auto form = MakeForm(source);
    TForm1Probe probe{*form};

    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_TRUE(DrainQueueSawQuit());
    const std::wstring workPath = SystemTempFolderPath() + kPrefix + L"見積書.xlsx";
    EXPECT_EQ(probe.WorkFileName(), workPath);
    EXPECT_EQ(ReadTextFile(workPath), "estimate");
    test::RemoveTree(workPath);
    EXPECT_EQ(probe.History().At(0), source);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(MainForm, OneShotRoadResolvesAnUpperCaseShortcutAndRecordsItsTarget) {
    const std::wstring target = scratch / L"target.txt";
    WriteTextFile(target, "target");
    const std::wstring link = scratch / L"Plan.LNK";
    ASSERT_EQ(SaveShortcut(link, target), S_OK);
    auto form = MakeForm(link);
    TForm1Probe probe{*form};

    const std::wstring workPath = SystemTempFolderPath() + kPrefix + L"target.txt";
    EXPECT_EQ(ReadTextFile(workPath), "target");
    test::RemoveTree(workPath);
    EXPECT_EQ(probe.History().At(0), target);
    EXPECT_TRUE(DrainQueueSawQuit());
}

TEST_F(MainForm, OneShotRoadMakesARelativeSourceAbsolute) {
    WriteTextFile(scratch / L"relative.txt", "relative");
    wchar_t previous[MAX_PATH * 4];
    ::GetCurrentDirectoryW(MAX_PATH * 4, previous);
    ::SetCurrentDirectoryW(scratch.Path().c_str());
    auto form = MakeForm(L"relative.txt");
    ::SetCurrentDirectoryW(previous);
    TForm1Probe probe{*form};

    EXPECT_EQ(probe.History().At(0), scratch / L"relative.txt");
    const std::wstring workPath = SystemTempFolderPath() + kPrefix + L"relative.txt";
    EXPECT_EQ(ReadTextFile(workPath), "relative");
    test::RemoveTree(workPath);
}

TEST_F(MainForm, OneShotRoadErrorIsReportedAndTheProgramStillEnds) {
    auto form = MakeForm(L"C:\\" + std::wstring(300, L'z'));

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"The specified path is too long.");
    EXPECT_EQ(platform.messages[0].caption, L"ソラバコ");
    EXPECT_EQ(platform.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_FALSE(::IsWindowVisible(form->Handle()));
    EXPECT_TRUE(DrainQueueSawQuit());
}

TEST_F(MainForm, OneShotRoadAsksWhenConfirmationIsOnAndEndsEitherWay) {
    const std::string original = "[MODE]\r\nCloseQuery=1\r\n";
    WriteTextFile(scratch / L"Sorabako.ini", original);
    const std::wstring source = scratch / L"asked.txt";
    WriteTextFile(source, "asked");
    platform.answers = {IDNO, IDYES};

    auto declined = MakeForm(source);
    EXPECT_TRUE(DrainQueueSawQuit());
    EXPECT_EQ(ReadTextFile(scratch / L"Sorabako.ini"), original);
    declined.reset();
    DrainQueueSawQuit();

    auto accepted = MakeForm(source);
    EXPECT_TRUE(DrainQueueSawQuit());
    EXPECT_NE(ReadTextFile(scratch / L"Sorabako.ini").find("File1="), std::string::npos);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[0].text, L"終了してよいですか？");
    test::RemoveTree(SystemTempFolderPath() + kPrefix + L"asked.txt");
}

TEST_F(MainForm, StartupShowCommandsMaximiseOrOnlyRecordMinimised) {
    auto hidden = MakeForm(scratch / L"none.txt");
    hidden->ApplyStartupShowCommand(SW_SHOWMINNOACTIVE);
    EXPECT_EQ(TForm1Probe{*hidden}.State(), WindowState::Minimized);
    EXPECT_FALSE(::IsWindowVisible(hidden->Handle()));
    hidden.reset();

    auto shown = MakeForm(std::nullopt);
    shown->ApplyStartupShowCommand(SW_SHOWMAXIMIZED);
    EXPECT_TRUE(::IsZoomed(shown->Handle()));
    shown->ApplyStartupShowCommand(SW_SHOWNORMAL);
    EXPECT_TRUE(::IsZoomed(shown->Handle()));
}

}  // namespace
}  // namespace sorabako
