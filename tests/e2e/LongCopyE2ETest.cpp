// The real Sorabako.exe on the one-shot road with copies a user notices: a
// tree large enough for the progress dialog, cancelled in that dialog; a
// tree with a file another program holds; a tree deeper than the system's
// path limit.
#include "e2e/ProcessRunner.h"
#include "e2e/ShellAssociations.h"
#include "platform/AppError.h"
#include "platform/CopyGate.h"
#include "platform/FileSystem.h"
#include "settings/IniDocument.h"
#include "support/TreeBuilder.h"

#include <gtest/gtest.h>

namespace sorabako::test {
namespace {

const auto* const kAssociations = testing::AddGlobalTestEnvironment(new ShellAssociations);

constexpr DWORD kTimeoutMs = 20000;

// The dialog's lines that end with tail (a compacted path keeps its last name).
int LinesEndingWith(HWND dialog, const std::wstring& tail) {
    struct Count {
        const std::wstring* tail;
        int lines;
    } count{&tail, 0};
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM context) noexcept -> BOOL {
            auto* count = reinterpret_cast<Count*>(context);
            if (TextOf(child).ends_with(*count->tail)) ++count->lines;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.lines;
}

class LongCopy : public testing::Test {
protected:
    // Settings that choose the work folder and hold a history, so that a
    // run that saves anything changes them.
    void WriteSettings() {
        settings = "[MODE]\r\nSystemTempFolder=0\r\nSameFolder=0\r\nAnotherFolder=1\r\n"
                   "AnotherFolderName=" + Utf8(work) + "\r\nLastFolderName=C:\\before\r\nSaveStatus=1\r\n"
                   "[LOG]\r\nFile1=C:\\before\\earlier.txt\r\n";
        WriteTextFile(install / L"Sorabako.ini", settings);
    }

    // Starts the one-shot road on source with its copy held at the gate.
    ChildProcess StartHeld(const std::wstring& source, HWND& dialog) {
        CreateFolderTree(work);
        WriteSettings();
        ChildProcess program = install.Start(L"\"" + source + L"\"", -1, [this](DWORD processId) {
            gate.Reset(::CreateEventW(nullptr, TRUE, FALSE, CopyGateName(processId).c_str()));
        });
        dialog = program.WaitForProgressDialog(kTimeoutMs);
        return program;
    }

    Installation install;
    ScratchFolder sources;
    std::wstring work = install / L"work";
    std::string settings;
    UniqueKernelHandle gate;  // the program's, made before it runs
};

TEST_F(LongCopy, CancelInTheProgressDialogEndsTheRunWithoutATrace) {
    const std::wstring source = sources / L"大きな資料";
    MakeWideTree(source, 3, 10);
    HWND dialog = nullptr;
    ChildProcess program = StartHeld(source, dialog);
    ASSERT_TRUE(dialog) << "no progress dialog";
    EXPECT_EQ(TextOf(dialog), L"ソラバコ");
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), nullptr) << "on its own on the one-shot road";
    EXPECT_TRUE(WaitUntil([dialog] { return ::GetForegroundWindow() == dialog; }, kTimeoutMs)) << "in front";
    EXPECT_EQ(LinesEndingWith(dialog, L"大きな資料"), 2) << "the source and the work path";
    EXPECT_TRUE(WaitUntil([this] { return NamesIn(work).size() == 1; }, kTimeoutMs)) << "the copy is under way";

    ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs)) << "the run did not end after Cancel";
    EXPECT_EQ(program.ExitCode(), 0u);

    EXPECT_TRUE(NamesIn(work).empty()) << "the partial copy is removed";
    EXPECT_EQ(ReadTextFile(install / L"Sorabako.ini"), settings) << "the settings file is as it was";
    EXPECT_TRUE(install.SettledLaunches().empty()) << "nothing is launched";
    EXPECT_EQ(TreeContents(source).size(), 3u * 10u + 3u) << "the source is untouched";
}

// Another program writes into the copy while it is held: after Cancel that
// file and the folder holding it stay, and the run says so before it ends.
TEST_F(LongCopy, WhatACancelCannotRemoveIsNamedBeforeTheRunEnds) {
    const std::wstring source = sources / L"資料";
    MakeWideTree(source, 2, 3);
    HWND dialog = nullptr;
    ChildProcess program = StartHeld(source, dialog);
    ASSERT_TRUE(dialog) << "no progress dialog";
    ASSERT_TRUE(WaitUntil([this] { return NamesIn(work).size() == 1; }, kTimeoutMs));
    const std::wstring copy = work + L"\\" + NamesIn(work)[0];
    WriteTextFile(copy + L"\\other.txt", "another program's");
    ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);

    const HWND box = program.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(box) << "no word of what was left";
    EXPECT_EQ(MessageText(box), L"フォルダ 1 個を削除できませんでした。\r\n" + copy + L"：" +
                                    SystemErrorText(ERROR_DIR_NOT_EMPTY));
    AnswerBox(box, IDOK);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    EXPECT_EQ(NamesIn(copy), std::vector<std::wstring>{L"other.txt"});
    EXPECT_EQ(ReadTextFile(install / L"Sorabako.ini"), settings) << "a cancelled run saves nothing";
}

// Another program asks the hidden window to close twice while the report is
// up: the run still records the source and keeps every setting.
TEST_F(LongCopy, AHeldFileIsReportedAfterTheLaunchAndTheRestIsCopied) {
    CreateFolderTree(work);
    WriteSettings();
    ::SetEvent(gate.Get());
    const std::wstring source = sources / L"project";
    MakeWideTree(source, 2, 2);
    const std::wstring locked = source + L"\\d01\\in use.sbtest";
    WriteTextFile(locked, "held by another program");
    auto expected = TreeContents(source);
    expected.erase(L"d01\\in use.sbtest");
    const HeldFile held(locked);

    ChildProcess program = install.Start(L"\"" + source + L"\"");
    HWND box = program.WaitForWindow(L"#32770", kTimeoutMs);
    ASSERT_TRUE(box) << "no report";
    EXPECT_EQ(TextOf(box), L"ソラバコ");
    const std::wstring report = MessageText(box);
    EXPECT_EQ(report, L"ファイル 1 個をコピーできませんでした。\r\nd01\\in use.sbtest：" +
                          SystemErrorText(ERROR_SHARING_VIOLATION));
    const auto launches = install.WaitForLaunches(1, kTimeoutMs);
    EXPECT_EQ(launches.size(), 1u) << "the launch comes before the report";
    const HWND hidden = program.HiddenOrShownWindow(L"TForm1");
    ASSERT_TRUE(hidden);
    ::PostMessageW(hidden, WM_CLOSE, 0, 0);
    ::PostMessageW(hidden, WM_CLOSE, 0, 0);
    AnswerBox(box, IDOK);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));

    const auto names = NamesIn(work);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(TreeContents(work + L"\\" + names[0]), expected);
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), std::wstring(L"C:\\before\\earlier.txt"));
    EXPECT_EQ(saved.Value(L"LOG", L"File2"), source) << "the run is recorded as usual";
    EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolderName"), work);
    EXPECT_EQ(saved.Value(L"MODE", L"LastFolderName"), sources.Path());
}

TEST_F(LongCopy, ATreeDeeperThanThePathLimitIsCopiedWhole) {
    const std::wstring source = sources / L"deep";
    ASSERT_GE(MakeDeepTree(source, 420).size(), 420u);

    ChildProcess program = install.Start(L"\"" + source + L"\"");
    bool showedWindow = true;
    ASSERT_TRUE(program.WaitForExitWatchingWindows(kTimeoutMs, showedWindow));
    EXPECT_FALSE(showedWindow) << "the one-shot road shows no window";

    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(TreeContents(install.TempFolder() + L"\\" + names[0]), TreeContents(source));
    EXPECT_EQ(install.WaitForLaunches(1, 20000).size(), 1u);
}

}  // namespace
}  // namespace sorabako::test
