// Messages that overlap. For each modal moment of the real main window (its
// boxes and dialogs on screen with their own loops, its copy held at the
// file-operations gate) and each thing that may arrive meanwhile, a second
// thread plays the user and the system; the program must end with its
// settings whole, one close question, its window destroyed only at the end,
// no second copy and no partial one.
#include "app/AppTitle.h"
#include "app/ControlIds.h"
#include "app/MainForm.h"
#include "app/MessageLoop.h"
#include "app/SingleInstance.h"
#include "app/Strings.h"
#include "platform/CopyGate.h"
#include "platform/FileSystem.h"
#include "platform/MessageQueue.h"
#include "settings/IniDocument.h"
#include "support/DropBuilder.h"
#include "support/OwnWindows.h"
#include "support/Polling.h"
#include "support/ScratchFolder.h"
#include "support/TForm1Probe.h"
#include "support/TreeBuilder.h"

#include <gtest/gtest.h>

#include <thread>

namespace sorabako {
namespace {

using test::FindOwnWindow;
using test::NamesIn;
using test::OwnMessageBox;
using test::Utf8;
using test::WaitUntil;

enum class Moment { CloseQuestion, PlainMessage, AboutBox, FileOpenDialog, CopyBeforeDialog, CopyAfterDialog, SkippedReport };
enum class Arrival { CloseTwice, SessionEnd, Drop, SecondStart, DoubleClick };

const char* Name(Moment moment) {
    const char* names[] = {"CloseQuestion", "PlainMessage",    "AboutBox",     "FileOpenDialog",
                           "CopyBeforeDialog", "CopyAfterDialog", "SkippedReport"};
    return names[static_cast<int>(moment)];
}
const char* Name(Arrival arrival) {
    const char* names[] = {"CloseTwice", "SessionEnd", "Drop", "SecondStart", "DoubleClick"};
    return names[static_cast<int>(arrival)];
}

// The system's own boxes and dialogs; launches and the session's block reason are only noted.
class OnScreenPlatform final : public Platform {
public:
    std::vector<std::wstring> launches;
    std::vector<std::wstring> blockReasons;
    std::wstring chosenFolder;

    void ShellOpen(HWND, const std::wstring& target) override { launches.push_back(target); }
    void ShowInExplorer(HWND, const std::wstring& path) override { launches.push_back(path); }
    void ShowFileProperties(HWND, const std::wstring& path) override { launches.push_back(path); }
    int ShowMessageBox(HWND window, const std::wstring& text, const std::wstring& caption, UINT flags) override {
        return system_.ShowMessageBox(window, text, caption, flags);
    }
    void ShowPlainMessage(HWND window, const std::wstring& text, const std::wstring& caption) override {
        system_.ShowPlainMessage(window, text, caption);
    }
    std::optional<std::wstring> ChooseFileToOpen(const FileOpenRequest& request) override {
        return system_.ChooseFileToOpen(request);
    }
    std::optional<std::wstring> BrowseForFolder(HWND, const std::wstring&, const std::wstring&) override {
        return chosenFolder;
    }
    void SetShutdownBlockReason(HWND, const std::wstring& reason) override { blockReasons.push_back(reason); }

private:
    Win32Platform system_;
};

class OverlappingMessages : public testing::TestWithParam<std::tuple<Moment, Arrival>> {
protected:
    Moment moment = std::get<0>(GetParam());
    Arrival arrival = std::get<1>(GetParam());
    bool copyMoment = moment == Moment::CopyBeforeDialog || moment == Moment::CopyAfterDialog;
    // What the run must have recorded, in order, after the earlier entry.
    bool treeRecorded = moment == Moment::SkippedReport ||
                        (moment == Moment::CopyBeforeDialog && arrival != Arrival::SessionEnd);
    bool dropRecorded = arrival == Arrival::Drop && moment != Moment::CloseQuestion;

    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(text::kTitle);
        CreateFolderTree(work);
        test::WriteTextFile(earlier, "earlier");
        test::WriteTextFile(dropped, "dropped");
        test::MakeWideTree(tree, 2, 5);
        if (moment == Moment::SkippedReport) {
            test::WriteTextFile(tree + L"\\d01\\held.txt", "held");
            held = std::make_unique<test::HeldFile>(tree + L"\\d01\\held.txt");
        }
        test::WriteTextFile(ini, "[MODE]\r\nSystemTempFolder=0\r\nSameFolder=0\r\nAnotherFolder=1\r\nAnotherFolderName=" +
                                     Utf8(work) + "\r\nCloseQuery=1\r\nSaveStatus=1\r\n[LOG]\r\nFile1=" + Utf8(earlier) +
                                     "\r\n");
        gate.Reset(::CreateEventW(nullptr, TRUE, !copyMoment, CopyGateName(::GetCurrentProcessId()).c_str()));
        platform.chosenFolder = work;
        const ULONGLONG dialogAfter = moment == Moment::CopyAfterDialog ? 0 : ULLONG_MAX / 2;
        form = std::make_unique<TForm1>(platform, FormOptions{instance, std::nullopt, LocalTimeNow, ini, dialogAfter});
        form->Create(::GetModuleHandleW(nullptr));
        window = form->Handle();
        listBox = TForm1Probe{*form}.Controls().ListBox1;
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    // The user's and the system's side, on a thread of its own.
    void Drive() {
        Start();
        const HWND box = WaitForMoment();
        if (box || moment == Moment::CopyBeforeDialog) {
            Arrive(box);
            EndMoment(box);
            Finish(box);
        } else {
            ADD_FAILURE() << "the moment never came";
        }
        if (!WaitUntil([this] { return !::IsWindow(window); })) {
            ADD_FAILURE() << "the window was never closed";
            ::PostThreadMessageW(mainThread, WM_QUIT, 0, 0);
        }
    }

    void Start() {
        switch (moment) {
            case Moment::CloseQuestion: ::PostMessageW(window, WM_CLOSE, 0, 0); break;
            case Moment::PlainMessage: PostClick(kIdButtonSelectAnotherTempFolder); break;
            case Moment::AboutBox: PostClick(kIdButtonAbout); break;
            case Moment::FileOpenDialog: PostClick(kIdButtonSelect); break;
            default: ::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({tree})), 0); break;
        }
    }

    // The box that shows the moment is up; for a copy without its dialog, none.
    HWND WaitForMoment() {
        HWND box = nullptr;
        const auto up = [&] {
            switch (moment) {
                case Moment::CloseQuestion: box = OwnMessageBox(text::kCloseQuestion); break;
                case Moment::PlainMessage: box = OwnMessageBox(text::kAnotherFolderChosen); break;
                case Moment::AboutBox: box = FindOwnWindow(L"TAboutBox"); break;
                case Moment::FileOpenDialog:
                    box = FindOwnWindow(L"#32770", [](HWND dialog) { return ::GetDlgItem(dialog, 1152) != nullptr; });
                    break;
                case Moment::CopyBeforeDialog: return !WorkCopies(L"-tree").empty();
                case Moment::CopyAfterDialog: box = test::OwnProgressDialog(); break;
                case Moment::SkippedReport: box = OwnMessageBox(L"ファイル 1 個をコピーできませんでした。"); break;
            }
            return box != nullptr;
        };
        WaitUntil(up);
        return box;
    }

    void Arrive(HWND box) {
        switch (arrival) {
            case Arrival::CloseTwice:
                ::PostMessageW(window, WM_CLOSE, 0, 0);
                ::PostMessageW(window, WM_CLOSE, 0, 0);
                break;
            case Arrival::SessionEnd: EndSession(); break;
            case Arrival::Drop:
                ::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({dropped})), 0);
                break;
            case Arrival::SecondStart: {
                ActivateRunningInstance(instance);
                const HWND expected = box ? box : window;
                EXPECT_TRUE(WaitUntil([expected] { return ::GetForegroundWindow() == expected; }))
                    << "the second start brings the box forward, not the disabled window";
                break;
            }
            case Arrival::DoubleClick:
                for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
                    ::PostMessageW(listBox, mouse, mouse == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(4, 4));
                break;
        }
    }

    // Answered while the moment is up; by the time the end is answered the
    // settings hold what was recorded so far and a stopped copy is gone.
    void EndSession() {
        DWORD_PTR allowed = FALSE, ignored = 0;
        EXPECT_TRUE(::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &allowed));
        EXPECT_EQ(allowed, static_cast<DWORD_PTR>(TRUE));
        EXPECT_TRUE(::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 20000, &ignored));
        std::vector<std::wstring> soFar{earlier};
        if (moment == Moment::SkippedReport) soFar.push_back(tree);
        ExpectSettingsHold(soFar);
        if (copyMoment) {
            EXPECT_TRUE(WorkCopies(L"-tree").empty()) << "the stopped copy is removed";
        }
    }

    void EndMoment(HWND box) {
        switch (moment) {
            case Moment::CloseQuestion: ++closeQuestions; ::PostMessageW(box, WM_COMMAND, IDYES, 0); break;
            case Moment::FileOpenDialog: ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0); break;
            case Moment::CopyBeforeDialog: break;
            case Moment::CopyAfterDialog:
                // The end of the session has stopped the copy already. A Cancel
                // pressed while the copy closes its dialog would meet a fault of
                // Wine's dialog (it closes holding the lock that Cancel takes)
                // and hang both threads.
                if (arrival != Arrival::SessionEnd) ::PostMessageW(::GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
                break;
            default: ::PostMessageW(box, WM_COMMAND, IDOK, 0); break;
        }
        if (box) {
            EXPECT_TRUE(WaitUntil([box] { return !::IsWindow(box); })) << "the moment did not end";
        }
        ::SetEvent(gate.Get());  // later copies run freely
    }

    // Closes as a user would, unless a held close does it; every close question is answered Yes.
    void Finish(HWND box) {
        if (moment == Moment::CloseQuestion) return;
        if (arrival != Arrival::CloseTwice) {
            if (dropRecorded) WaitUntil([this] { return !WorkCopies(L"-dropped.txt").empty(); });
            ::PostMessageW(window, WM_CLOSE, 0, 0);
        }
        HWND question = nullptr;
        if (!WaitUntil([&] { return (question = OwnMessageBox(text::kCloseQuestion)) != nullptr; })) return;
        ++closeQuestions;
        EXPECT_FALSE(box && ::IsWindow(box)) << "a close acted inside the moment's own loop";
        ::PostMessageW(question, WM_COMMAND, IDYES, 0);
    }

    void PostClick(int id) { ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    std::vector<std::wstring> WorkCopies(const std::wstring& tail) {
        std::vector<std::wstring> copies;
        for (const std::wstring& name : NamesIn(work))
            if (name.ends_with(tail)) copies.push_back(name);
        return copies;
    }

    void ExpectSettingsHold(const std::vector<std::wstring>& entries) {
        const IniDocument saved = IniDocument::Open(ini);
        EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolderName"), work) << "[MODE] lost";
        for (std::size_t i = 0; i <= entries.size(); ++i) {
            const auto value = saved.Value(L"LOG", L"File" + std::to_wstring(i + 1));
            if (i < entries.size()) EXPECT_EQ(value, entries[i]) << "[LOG] File" << i + 1;
            else EXPECT_EQ(value, std::nullopt) << "one entry too many";
        }
    }

    test::ScratchFolder scratch;
    std::wstring work = scratch / L"work";
    std::wstring ini = scratch / L"Sorabako.ini";
    std::wstring earlier = scratch / L"earlier.txt";
    std::wstring dropped = scratch / L"dropped.txt";
    std::wstring tree = scratch / L"tree";
    std::wstring instance = L"SorabakoOverlap" + std::to_wstring(::GetCurrentProcessId());
    std::unique_ptr<test::HeldFile> held;
    UniqueKernelHandle gate;
    OnScreenPlatform platform;
    std::unique_ptr<TForm1> form;
    HWND window = nullptr;
    HWND listBox = nullptr;
    DWORD mainThread = ::GetCurrentThreadId();
    int closeQuestions = 0;
};

TEST_P(OverlappingMessages, NothingIsLostAndNothingIsLeftHalfDone) {
    UniqueKernelHandle driven(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread user([&] {
        Drive();
        ::SetEvent(driven.Get());
    });
    RunMessageLoop(*form, SW_SHOWDEFAULT);
    const bool ended = test::PumpUntil(driven.Get());
    if (!ended) {
        user.detach();
        FAIL() << "the user's side did not end";
    }
    user.join();

    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(closeQuestions, 1) << "one close, one question";
    std::vector<std::wstring> entries{earlier};
    if (treeRecorded) entries.push_back(tree);
    if (dropRecorded) entries.push_back(dropped);
    ExpectSettingsHold(entries);
    EXPECT_EQ(WorkCopies(L"-earlier.txt").size(), 0u) << "a click under the moment opened a copy";
    EXPECT_EQ(WorkCopies(L"-dropped.txt").size(), dropRecorded ? 1u : 0u);
    const auto trees = WorkCopies(L"-tree");
    ASSERT_EQ(trees.size(), treeRecorded ? 1u : 0u) << "a stopped copy is removed whole";
    if (moment == Moment::CopyBeforeDialog && treeRecorded) {
        EXPECT_EQ(test::TreeContents(work + L"\\" + trees[0]), test::TreeContents(tree));
    }
    EXPECT_EQ(platform.launches.size(), (treeRecorded ? 1u : 0u) + (dropRecorded ? 1u : 0u));
    if (copyMoment && arrival == Arrival::SessionEnd)
        EXPECT_EQ(platform.blockReasons, (std::vector<std::wstring>{text::kRemovingPartialCopy, L""}));
    else
        EXPECT_TRUE(platform.blockReasons.empty());
}

// The copy's pump answers a message another thread has sent (on Windows a
// removal of input alone would not; Wine answers in either, so the answer is
// checked here on its own).
TEST(CopyPump, AnswersWhatAnotherThreadSends) {
    UniqueWindow target(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    ASSERT_TRUE(target);
    DWORD_PTR answer = 0;
    std::thread sender([&] {
        ::SendMessageTimeoutW(target.Get(), WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 20000, &answer);
    });
    EXPECT_TRUE(WaitUntil([] { return HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE; }));
    AnswerSentMessages();
    EXPECT_FALSE(HIWORD(::GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) << "the message is still waiting";
    sender.join();
}

INSTANTIATE_TEST_SUITE_P(
    EveryMomentAndArrival, OverlappingMessages,
    testing::Combine(testing::Values(Moment::CloseQuestion, Moment::PlainMessage, Moment::AboutBox,
                                     Moment::FileOpenDialog, Moment::CopyBeforeDialog, Moment::CopyAfterDialog,
                                     Moment::SkippedReport),
                     testing::Values(Arrival::CloseTwice, Arrival::SessionEnd, Arrival::Drop, Arrival::SecondStart,
                                     Arrival::DoubleClick)),
    [](const testing::TestParamInfo<std::tuple<Moment, Arrival>>& info) {
        return std::string(Name(std::get<0>(info.param))) + "_" + Name(std::get<1>(info.param));
    });

}  // namespace
}  // namespace sorabako
