// Copies of the open operation with real files: entries that cannot be
// copied are reported, paths past the system's limit reach the system in
// extended form, and Cancel in the real progress dialog leaves no trace.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "platform/CopyGate.h"
#include "platform/FileOperations.h"
#include "platform/FileSystem.h"
#include "support/OwnWindows.h"
#include "support/Polling.h"
#include "support/RecordingFileOperations.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"
#include "support/TreeBuilder.h"
#include "workcopy/FolderTreeCopy.h"
#include "workcopy/WorkFileCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace sorabako {
namespace {

using test::Exists;
using test::NamesIn;
using test::ScratchFolder;
using test::TreeContents;
using test::Utf8;
using test::RecordingFileOperations;
using test::WriteTextFile;

TEST(LongPaths, ADeepTreeIsCopiedWholeAndEveryPathReachesTheSystemExtended) {
    ScratchFolder scratch;
    const std::wstring source = scratch / L"deep";
    const std::wstring deepest = test::MakeDeepTree(source, 400);
    ASSERT_GE(deepest.size(), 400u);
    const std::wstring target = scratch / L"work\\$20261210-101010123-deep";

    RecordingFileOperations files;
    CopyProgress quiet;
    const CopyOutcome outcome = CopyFolderTree(source, target, quiet, files);

    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.skipped.empty());
    const auto copied = TreeContents(target);
    EXPECT_EQ(copied, TreeContents(source));
    EXPECT_GE(copied.size(), 18u);
    EXPECT_GE(files.LongestPath(), 400u);
    for (const std::wstring& path : files.PlainPaths()) ADD_FAILURE() << "plain: " << Utf8(path);
}

// Wine makes no junctions (CreateSymbolicLinkW does nothing), so the link is
// played at the seam: the real folder "loop" is listed as a junction and
// answers with its ancestor's identity. Only it and the folders above it that
// the check needs are asked who they are; an all-zero identity is none at all.
TEST(LongPaths, AJunctionBackUpTheTreeIsNotWalkedRoundAndRound) {
    ScratchFolder scratch;
    const std::wstring source = scratch / L"tree";
    CreateFolderTree(source + L"\\sub\\loop");
    CreateFolderTree(source + L"\\other");
    WriteTextFile(source + L"\\sub\\a.txt", "a");
    WriteTextFile(source + L"\\sub\\loop\\b.txt", "b");
    const std::wstring target = scratch / L"$20261210-101010123-tree";

    RecordingFileOperations files;
    files.junctionNames = {L"loop"};
    Win32FileOperations real;
    files.identityOf = [&](const std::wstring& folder) {
        return real.IdentityOf(folder.ends_with(L"\\loop") ? test::Extended(source) : folder);
    };
    CopyProgress quiet;
    const CopyOutcome outcome = CopyFolderTree(source, target, quiet, files);

    ASSERT_EQ(outcome.skipped.size(), 1u);
    EXPECT_EQ(outcome.skipped[0].path, L"sub\\loop");
    EXPECT_TRUE(outcome.skipped[0].folder);
    EXPECT_EQ(outcome.skipped[0].error, static_cast<DWORD>(ERROR_CANT_RESOLVE_FILENAME));
    EXPECT_EQ(TreeContents(target), (std::map<std::wstring, std::string>{
                                        {L"\\other", ""}, {L"\\sub", ""}, {L"\\sub\\loop", ""}, {L"sub\\a.txt", "a"}}));
    std::sort(files.identityLookups.begin(), files.identityLookups.end());
    EXPECT_EQ(files.identityLookups,
              (std::vector<std::wstring>{test::Extended(source), test::Extended(source + L"\\sub\\loop")}));

    const std::wstring again = scratch / L"$20261210-101010124-tree";
    files.identityOf = [](const std::wstring&) { return FolderIdentity{}; };
    EXPECT_TRUE(CopyFolderTree(source, again, quiet, files).skipped.empty());
    EXPECT_EQ(test::ReadTextFile(again + L"\\sub\\loop\\b.txt"), "b") << "no identity, no loop";
}

TEST(LongPaths, AFileAndAWorkPathPastTheLimitReachTheSystemExtended) {
    ScratchFolder scratch;
    const std::wstring source = scratch / L"report.txt";
    WriteTextFile(source, "report");
    const std::wstring outer = scratch / std::wstring(120, L'w');
    const std::wstring folder = outer + L"\\" + std::wstring(120, L'v');
    Win32FileOperations real;
    ASSERT_EQ(real.CreateFolder(outer), 0u);
    ASSERT_EQ(real.CreateFolder(test::Extended(folder)), 0u);
    const std::wstring workPath = folder + L"\\$20261210-101010123-report.txt";
    ASSERT_GE(workPath.size(), 260u);

    RecordingFileOperations files;
    CopyProgress quiet;
    EXPECT_FALSE(CopyWorkFile(source, workPath, quiet, files).cancelled);
    EXPECT_EQ(test::ReadTextFile(test::Extended(workPath)), "report");
    for (const std::wstring& path : files.PlainPaths()) ADD_FAILURE() << "plain: " << Utf8(path);
}

// CopyFileExW stops a file halfway only through its progress routine; Wine
// never calls that routine, so the contract is checked at the routine itself.
TEST(CopyCancel, TheProgressRoutineCancelsOnceTheTickSaysStop) {
    std::vector<std::pair<ULONGLONG, ULONGLONG>> seen;
    bool keepGoing = true;
    const CopyTick tick = [&](ULONGLONG copied, ULONGLONG size) {
        seen.emplace_back(copied, size);
        return keepGoing;
    };
    LARGE_INTEGER size{}, copied{};
    size.QuadPart = 5'000'000'000LL;
    copied.QuadPart = 1'048'576;
    auto call = [&] {
        return CopyTickRoutine(size, copied, size, copied, 1, CALLBACK_CHUNK_FINISHED, nullptr, nullptr,
                               const_cast<CopyTick*>(&tick));
    };
    EXPECT_EQ(call(), static_cast<DWORD>(PROGRESS_CONTINUE));
    keepGoing = false;
    EXPECT_EQ(call(), static_cast<DWORD>(PROGRESS_CANCEL));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], std::make_pair(1'048'576ULL, 5'000'000'000ULL));
}

class WindowRoadCopy : public testing::Test {
protected:
    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(L"ソラバコ");
        // Copies are held at their first file until the test opens the gate.
        gate.Reset(::CreateEventW(nullptr, TRUE, FALSE, CopyGateName(::GetCurrentProcessId()).c_str()));
        form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, scratch / L"Sorabako.ini", 0});
        form->Create(::GetModuleHandleW(nullptr));
        probe.emplace(TForm1Probe{*form});
        probe->WorkFolder() = work;
        CreateFolderTree(work);
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    struct AtTheGate {
        bool dialog = false;
        HWND dialogOwner = nullptr;
        bool copyUnderWay = false;
    };
    // Plays the user while the copy is held at its gate: waits for the
    // dialog and the copy, does what the test asks, then presses Cancel.
    AtTheGate CancelAtTheGate(const std::wstring& source, const std::wstring& workPath,
                              const std::function<void()>& meanwhile) {
        AtTheGate seen;
        UniqueKernelHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread user([&] {
            HWND dialog = nullptr;
            seen.dialog = test::WaitUntil([&] { return (dialog = test::OwnProgressDialog()) != nullptr; });
            if (seen.dialog) {
                seen.dialogOwner = ::GetWindow(dialog, GW_OWNER);
                seen.copyUnderWay = test::WaitUntil([&] { return Exists(workPath); });
                meanwhile();
                ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
            } else {
                ::SetEvent(gate.Get());  // lets the copy end, so that the test does
            }
            ::SetEvent(done.Get());
        });
        probe->OpenWorkCopy(source, workPath);
        test::PumpUntil(done.Get()) ? user.join() : user.detach();
        return seen;
    }

    ScratchFolder scratch;
    std::wstring work = scratch / L"work";
    UniqueKernelHandle gate;
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
    std::optional<TForm1Probe> probe;
};

TEST_F(WindowRoadCopy, LockedFilesAreReportedAfterTheLaunchAndEverythingElseIsCopied) {
    ::SetEvent(gate.Get());  // this copy runs freely
    const std::wstring source = scratch / L"資料";
    test::MakeWideTree(source, 2, 3);
    auto expected = TreeContents(source);
    std::vector<std::unique_ptr<test::HeldFile>> held;
    for (int i = 0; i < 12; ++i) {
        const std::wstring locked = source + L"\\d01\\locked" + std::to_wstring(10 + i) + L".txt";
        WriteTextFile(locked, "in use");
        held.push_back(std::make_unique<test::HeldFile>(locked));
    }
    const std::wstring workPath = work + L"\\$20261210-101010123-資料";

    probe->OpenWorkCopy(source, workPath);

    ASSERT_EQ(platform.launches.size(), 1u);
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::wstring text = platform.messages[0].text;
    EXPECT_EQ(platform.messages[0].caption, L"ソラバコ");
    EXPECT_EQ(platform.messages[0].flags, 0u) << "a plain message";
    EXPECT_EQ(text.substr(0, text.find(L"\r\n")), L"ファイル 12 個をコピーできませんでした。");
    const std::wstring reason = SystemErrorText(ERROR_SHARING_VIOLATION);
    EXPECT_NE(text.find(L"\r\nd01\\locked10.txt：" + reason + L"\r\n"), std::wstring::npos) << Utf8(text);
    EXPECT_NE(text.find(L"\r\nd01\\locked19.txt："), std::wstring::npos) << Utf8(text);
    EXPECT_EQ(text.find(L"locked20.txt"), std::wstring::npos) << "only ten are listed";
    EXPECT_TRUE(text.ends_with(L"\r\nほか 2 個")) << Utf8(text);

    EXPECT_EQ(TreeContents(workPath), expected);
    EXPECT_EQ(probe->History().Count(), 1);
}

TEST_F(WindowRoadCopy, CancelInTheProgressDialogLeavesNoTrace) {
    const std::wstring source = scratch / L"large";
    test::MakeWideTree(source, 3, 10);
    probe->LastFolderName() = L"C:\\before";
    WriteTextFile(work + L"\\earlier copy.txt", "not this copy's");
    const std::wstring workPath = work + L"\\$20261210-101010123-large";

    bool closedDuringCopy = true;
    const HWND window = form->Handle();
    const AtTheGate seen = CancelAtTheGate(source, workPath, [&] {
        // Another program asks the window to close while it copies.
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 20000, &result);
        closedDuringCopy = !::IsWindow(window);
    });

    ASSERT_TRUE(seen.dialog) << "no progress dialog";
    EXPECT_EQ(seen.dialogOwner, form->Handle());
    EXPECT_TRUE(seen.copyUnderWay);
    EXPECT_FALSE(Exists(workPath));
    EXPECT_EQ(NamesIn(work), std::vector<std::wstring>{L"earlier copy.txt"}) << "only what this copy made goes";
    EXPECT_TRUE(platform.launches.empty());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(probe->History().Count(), 0);
    EXPECT_EQ(probe->LastFolderName(), L"C:\\before");
    EXPECT_TRUE(::IsWindowEnabled(form->Handle())) << "the window is usable again";
    EXPECT_FALSE(test::OwnProgressDialog());
    EXPECT_FALSE(closedDuringCopy);
    EXPECT_TRUE(DrainQueueSawQuit()) << "the close waited for the end of the copy";
}

// Another program wrote into the copy while it was made: that file stays,
// and so does the folder that holds it, and the user is told which.
TEST_F(WindowRoadCopy, WhatACancelCannotRemoveIsNamed) {
    const std::wstring source = scratch / L"large";
    test::MakeWideTree(source, 3, 10);
    const std::wstring workPath = work + L"\\$20261210-101010123-large";

    const AtTheGate seen =
        CancelAtTheGate(source, workPath, [&] { WriteTextFile(workPath + L"\\another program's.txt", "its own"); });

    ASSERT_TRUE(seen.copyUnderWay);
    EXPECT_EQ(NamesIn(workPath), std::vector<std::wstring>{L"another program's.txt"});
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"フォルダ 1 個を削除できませんでした。\r\n" + workPath + L"：" +
                                             SystemErrorText(ERROR_DIR_NOT_EMPTY));
    EXPECT_EQ(platform.messages[0].flags, 0u) << "a plain message";
    EXPECT_TRUE(platform.launches.empty());
    EXPECT_EQ(probe->History().Count(), 0);
}

}  // namespace
}  // namespace sorabako
