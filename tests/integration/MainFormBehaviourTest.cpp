// The handlers of the real main window with the scripted platform: drops,
// the file-open road, the mode controls, folder selection, closing and the
// history page's commands.
#include "app/AppTitle.h"
#include "app/ControlIds.h"
#include "app/MainForm.h"
#include "app/MessageLoop.h"
#include "platform/AppError.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"
#include "settings/IniDocument.h"
#include "support/DropBuilder.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::Exists;
using test::Launch;
using test::MakeDrop;
using test::NamesIn;
using test::ReadTextFile;
using test::WriteTextFile;

class MainFormBehaviour : public testing::Test {
protected:
    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(L"ソラバコ");
        form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, ini});
        form->Create(::GetModuleHandleW(nullptr));
        probe.emplace(TForm1Probe{*form});
        probe->WorkFolder() = work;
        CreateFolderTree(work);
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    bool Drop(const std::vector<std::wstring>& paths) {
        lastDrop = MakeDrop(paths);
        MSG message{form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(lastDrop), 0, 0, {}};
        return probe->Hook(message);
    }
    void Click(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }
    bool AcceptsDrops() { return ::GetWindowLongW(form->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES; }
    std::vector<std::wstring> Entries() {
        std::vector<std::wstring> entries;
        for (int i = 0; i < probe->History().Count(); ++i) entries.push_back(probe->History().At(i));
        return entries;
    }

    test::ScratchFolder scratch;
    std::wstring ini = scratch / L"Sorabako.ini";
    std::wstring work = scratch / L"work";
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
    std::optional<TForm1Probe> probe;
    HDROP lastDrop = nullptr;
};

TEST_F(MainFormBehaviour, OnlyTheFirstDroppedItemOpensAndTheHistoryComesToTheFront) {
    const std::wstring first = scratch / L"一番目.txt";
    WriteTextFile(first, "first");
    WriteTextFile(scratch / L"second.txt", "second");
    probe->SetPage(kPageSettings);

    EXPECT_TRUE(Drop({first, scratch / L"second.txt"}));
    EXPECT_TRUE(test::IsReleased(lastDrop));
    EXPECT_EQ(Entries(), std::vector<std::wstring>{first});
    ASSERT_EQ(NamesIn(work).size(), 1u);
    EXPECT_EQ(ReadTextFile(work + L"\\" + NamesIn(work)[0]), "first");
    EXPECT_EQ(probe->Page(), kPageLog);
}

TEST_F(MainFormBehaviour, ADroppedUpperCaseShortcutOpensItsTarget) {
    const std::wstring target = scratch / L"target.txt";
    WriteTextFile(target, "target");
    ASSERT_EQ(SaveShortcut(scratch / L"Target.LNK", target), S_OK);
    Drop({scratch / L"Target.LNK"});
    EXPECT_EQ(Entries(), std::vector<std::wstring>{target});
}

TEST_F(MainFormBehaviour, ADroppedFolderInSameFolderModeFillsTheWorkFolderWithItsParent) {
    Click(probe->Controls().RadioButtonSameFolder);
    EXPECT_EQ(probe->WorkFolder(), L"");
    const std::wstring folder = scratch / L"album";
    CreateFolderTree(folder);
    WriteTextFile(folder + L"\\a.jpg", "a");
    Drop({folder});
    EXPECT_EQ(probe->WorkFolder(), scratch.Path());
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].owner, form->Handle());

    Click(probe->Controls().RadioButtonSameFolder);  // already checked: nothing changes
    EXPECT_EQ(probe->WorkFolder(), scratch.Path());
    Click(probe->Controls().RadioButtonSystemFolder);
    Click(probe->Controls().RadioButtonSameFolder);
    EXPECT_EQ(probe->WorkFolder(), L"");
}

TEST_F(MainFormBehaviour, ADropWhileMinimisedRestoresTheWindow) {
    WriteTextFile(scratch / L"a.txt", "a");
    ::ShowWindow(form->Handle(), SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(form->Handle()));
    Drop({scratch / L"a.txt"});
    EXPECT_FALSE(::IsIconic(form->Handle()));
    EXPECT_EQ(probe->Page(), kPageLog);
}

TEST_F(MainFormBehaviour, AFailingDropIsReleasedAndLeavesThePage) {
    const std::wstring folder = scratch / std::wstring(200, L'd');
    CreateFolderTree(folder);
    const std::wstring tooLong = folder + L"\\" + std::wstring(300 - folder.size(), L'f');
    probe->SetPage(kPageFile);
    ::ShowWindow(form->Handle(), SW_MINIMIZE);
    EXPECT_THROW(Drop({tooLong}), AppError);
    EXPECT_TRUE(test::IsReleased(lastDrop));
    EXPECT_EQ(probe->Page(), kPageFile);
    EXPECT_TRUE(::IsIconic(form->Handle()));
}

TEST_F(MainFormBehaviour, TheMessageLoopReportsAFailingDropAndGoesOn) {
    const std::wstring folder = scratch / std::wstring(200, L'd');
    CreateFolderTree(folder);
    const std::wstring good = scratch / L"good.txt";
    WriteTextFile(good, "good");
    ::PostMessageW(form->Handle(), WM_DROPFILES,
                   reinterpret_cast<WPARAM>(MakeDrop({folder + L"\\" + std::wstring(300 - folder.size(), L'f')})), 0);
    ::PostMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({good})), 0);
    ::PostMessageW(form->Handle(), WM_CLOSE, 0, 0);

    EXPECT_EQ(RunMessageLoop(*form, SW_SHOWNORMAL), 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"The specified path is too long.");
    EXPECT_EQ(platform.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    // The drop after the failing one was opened, and the close saved it.
    EXPECT_EQ(IniDocument::Open(ini).Value(L"LOG", L"File1"), good);
}

TEST_F(MainFormBehaviour, ADroppedPathLongerThan255IsReadWhole) {
    const std::wstring folder = scratch / std::wstring(150, L'l');
    CreateFolderTree(folder);
    const std::wstring source = folder + L"\\" + std::wstring(258 - folder.size(), L'n');
    ASSERT_GT(source.size(), 255u);
    WriteTextFile(source, "long");
    Drop({source});
    EXPECT_EQ(Entries(), std::vector<std::wstring>{source});
}

TEST_F(MainFormBehaviour, FileOpenRoadStartsInTheLastFolderAndLeavesThePage) {
    const std::wstring source = scratch / L"chosen.txt";
    WriteTextFile(source, "chosen");
    probe->LastFolderName() = scratch.Path();
    probe->SetPage(kPageFile);
    platform.fileChoices = {source, std::nullopt};

    Click(probe->Controls().ButtonSelect);
    EXPECT_EQ(Entries(), std::vector<std::wstring>{source});
    EXPECT_EQ(probe->Page(), kPageFile);
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    EXPECT_EQ(platform.fileDialogs[0].startFolder, scratch.Path());

    probe->LastFolderName() = scratch / L"gone";
    Click(probe->Controls().ButtonSelect);  // cancelled
    ASSERT_EQ(platform.fileDialogs.size(), 2u);
    EXPECT_EQ(platform.fileDialogs[1].startFolder, L"");
    EXPECT_EQ(platform.fileDialogs[1].fileName, source);
    EXPECT_EQ(platform.launches.size(), 1u);
}

TEST_F(MainFormBehaviour, AnotherFolderModeWithoutAFolderBehavesAsSameFolder) {
    Click(probe->Controls().RadioButtonAnotherFolder);
    EXPECT_EQ(probe->WorkFolder(), L"");
    EXPECT_EQ(probe->MakeWorkFileName(L"C:\\a\\x.txt").substr(0, 5), L"C:\\a\\");
}

TEST_F(MainFormBehaviour, FolderSelectionSetsTheModeAndTellsTheUser) {
    const std::wstring chosen = scratch / L"作業";
    CreateFolderTree(chosen);
    platform.folderChoices = {chosen, std::nullopt};
    ::EnableWindow(probe->Controls().ButtonOpenAnotherFolder, FALSE);

    Click(probe->Controls().ButtonSelectAnotherTempFolder);
    EXPECT_EQ(probe->AnotherFolderName(), chosen);
    EXPECT_EQ(probe->WorkFolder(), chosen);
    EXPECT_TRUE(IsChecked(probe->Controls().RadioButtonAnotherFolder));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"任意フォルダを作業用に選択しました。\r\n" + chosen);
    EXPECT_EQ(platform.messages[0].flags, 0u);
    EXPECT_TRUE(::IsWindowEnabled(probe->Controls().ButtonOpenAnotherFolder));

    Click(probe->Controls().ButtonSelectAnotherTempFolder);  // cancelled, preselecting the existing choice
    EXPECT_EQ(platform.folderBrowses, (std::vector<std::wstring>{L"", chosen}));
    EXPECT_EQ(platform.messages.size(), 1u);

    Click(probe->Controls().ButtonOpenAnotherFolder);
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].target, L"\"" + chosen + L"\"");
}

TEST_F(MainFormBehaviour, CloseQueryNoKeepsEverythingAndYesSavesAndCloses) {
    ::SendMessageW(probe->Controls().CheckBoxCloseQuery, BM_SETCHECK, BST_CHECKED, 0);
    platform.answers = {IDNO, IDYES};
    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(form->Handle()));
    EXPECT_FALSE(Exists(ini));
    EXPECT_TRUE(AcceptsDrops());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"終了してよいですか？");
    EXPECT_EQ(platform.messages[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_TRUE(Exists(ini));
}

TEST_F(MainFormBehaviour, EndOfSessionSavesWithoutAQuestionAndRefusesLaterDrops) {
    ::SendMessageW(probe->Controls().CheckBoxCloseQuery, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(::SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(probe->EndSessionFlag(), 0);
    EXPECT_TRUE(Exists(ini));
    EXPECT_FALSE(AcceptsDrops());
    EXPECT_TRUE(::IsWindow(form->Handle()));

    platform.answers = {IDNO};
    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);  // the session went on: the next close asks again
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST_F(MainFormBehaviour, PageChangeToSettingsEnablesTheOpenButtonByTheChosenFolder) {
    HWND pageControl = probe->Controls().PageControl1;
    const auto bringToFront = [&](int page) {
        ::SendMessageW(pageControl, TCM_SETCURSEL, page, 0);
        NMHDR header{pageControl, static_cast<UINT_PTR>(kIdPageControl), static_cast<UINT>(TCN_SELCHANGE)};
        ::SendMessageW(form->Handle(), WM_NOTIFY, kIdPageControl, reinterpret_cast<LPARAM>(&header));
    };
    bringToFront(kPageSettings);
    EXPECT_FALSE(::IsWindowEnabled(probe->Controls().ButtonOpenAnotherFolder));
    probe->AnotherFolderName() = L"D:\\work";
    bringToFront(kPageLog);
    EXPECT_FALSE(::IsWindowEnabled(probe->Controls().ButtonOpenAnotherFolder));
    bringToFront(kPageSettings);
    EXPECT_TRUE(::IsWindowEnabled(probe->Controls().ButtonOpenAnotherFolder));
    EXPECT_TRUE(::IsWindowVisible(probe->Controls().TabSheetSettings));
}

bool Enabled(HMENU menu, int id) {
    return !(::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

TEST_F(MainFormBehaviour, PopupMenuEnablesItsItemsByTheListsState) {
    HMENU menu = probe->PopupMenu();
    probe->PopupMenu1Popup();
    for (int id : {kIdOpenTempP1, kIdOpenLocationP1, kIdDeleteP1, kIdClearP1}) EXPECT_FALSE(Enabled(menu, id));

    probe->History().RecordSource(L"C:\\a.txt");
    probe->Select(-1);
    probe->PopupMenu1Popup();
    EXPECT_FALSE(Enabled(menu, kIdOpenTempP1));
    EXPECT_FALSE(Enabled(menu, kIdDeleteP1));
    EXPECT_TRUE(Enabled(menu, kIdClearP1));

    probe->Select(0);
    probe->PopupMenu1Popup();
    for (int id : {kIdOpenTempP1, kIdOpenLocationP1, kIdDeleteP1, kIdClearP1}) EXPECT_TRUE(Enabled(menu, id));
}

// While a popup menu of this thread tracks, notes it and presses keys in it.
class MenuDriver {
public:
    explicit MenuDriver(std::vector<UINT> keys) {
        keys_ = std::move(keys);
        shown_ = nullptr;
        timer_ = ::SetTimer(nullptr, 0, 50, Tick);
    }
    ~MenuDriver() { ::KillTimer(nullptr, timer_); }
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;
    HWND Shown() const { return shown_; }
    RECT Where() const { return where_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (!menu || !::IsWindowVisible(menu) || shown_) return;
        shown_ = menu;
        ::GetWindowRect(menu, &where_);
        for (UINT key : keys_) {
            ::PostMessageW(menu, WM_KEYDOWN, key, 0);
            ::PostMessageW(menu, WM_KEYUP, key, 0);
        }
    }
    static inline std::vector<UINT> keys_;
    static inline HWND shown_ = nullptr;
    static inline RECT where_{};
    UINT_PTR timer_;
};

TEST_F(MainFormBehaviour, ARightClickOnTheHistoryOpensTheMenuAndItsCommandsRun) {
    probe->PopupMenu1Popup();  // an empty list greys every item: opening must enable them again
    probe->History().RecordSource(L"C:\\a.txt");
    probe->History().RecordSource(L"C:\\b.txt");
    HWND list = probe->Controls().ListBox1;
    RECT r{};
    ::GetWindowRect(list, &r);
    {
        // Up from the top wraps to the last item, 履歴をクリア.
        MenuDriver driver({VK_UP, VK_RETURN});
        ::SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(r.left + 10, r.top + 10));
        ASSERT_TRUE(driver.Shown()) << "no popup menu";
    }
    DrainQueueSawQuit();  // the chosen command arrives as a posted WM_COMMAND
    EXPECT_TRUE(Entries().empty());

    probe->History().RecordSource(L"C:\\c.txt");
    {
        MenuDriver driver({VK_ESCAPE});
        ::SendMessageW(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
        ASSERT_TRUE(driver.Shown()) << "no popup menu from the keyboard";
        const RECT menu = driver.Where();
        EXPECT_EQ(menu.left, r.left);  // from the keyboard: at the list's corner
        EXPECT_EQ(menu.top, r.top);
    }
    DrainQueueSawQuit();
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"C:\\c.txt"});
}

TEST_F(MainFormBehaviour, ReopeningAnExistingFileMovesItDownAndMakesANewCopy) {
    const std::wstring a = scratch / L"a.txt";
    WriteTextFile(a, "a");
    probe->History().RecordSource(a);
    probe->History().RecordSource(L"C:\\b.txt");
    probe->Select(0);
    probe->Command(kIdOpenTempP1);
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"C:\\b.txt", a}));
    EXPECT_EQ(NamesIn(work).size(), 1u);
    EXPECT_EQ(platform.launches.size(), 1u);

    const auto doubleClick = [&] {
        ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(kIdListBox1, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(probe->Controls().ListBox1));
    };
    probe->Select(-1);
    doubleClick();
    EXPECT_EQ(platform.launches.size(), 1u);
    probe->Select(1);
    doubleClick();
    EXPECT_EQ(platform.launches.size(), 2u);
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"C:\\b.txt", a}));
}

TEST_F(MainFormBehaviour, AMissingFileOrFolderAsksBeforeRemovingExactlyIt) {
    probe->History().RecordSource(L"C:\\keep.txt");
    probe->History().RecordSource(scratch / L"gone.txt");
    probe->History().RecordSource(scratch / L"gone folder");
    platform.answers = {IDNO, IDYES, IDYES};

    probe->Select(1);
    probe->Command(kIdOpenTempP1);
    EXPECT_EQ(Entries().size(), 3u);
    probe->Command(kIdOpenTempP1);
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"C:\\keep.txt", scratch / L"gone folder"}));
    probe->Select(1);
    probe->Command(kIdOpenTempP1);
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"C:\\keep.txt"});
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(platform.messages[0].text, L"元のファイルが有りません。この履歴を削除しますか？");
    EXPECT_EQ(platform.messages[2].text, L"元のフォルダが有りません。この履歴を削除しますか？");
    EXPECT_EQ(platform.messages[2].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(MainFormBehaviour, AnExistingFolderEntryOpensAgainAsADropOfItWould) {
    const std::wstring folder = scratch / L"album";
    CreateFolderTree(folder + L"\\sub");
    WriteTextFile(folder + L"\\sub\\a.jpg", "a");
    probe->History().RecordSource(folder);
    probe->History().RecordSource(L"C:\\b.txt");
    probe->Select(0);
    probe->Command(kIdOpenTempP1);

    EXPECT_TRUE(platform.messages.empty());
    const auto names = NamesIn(work);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].substr(names[0].size() - 6), L"-album");
    EXPECT_EQ(ReadTextFile(work + L"\\" + names[0] + L"\\sub\\a.jpg"), "a");
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].owner, form->Handle()) << "a folder copy opens owned by the window";
    EXPECT_EQ(platform.launches[0].target, L"\"" + work + L"\\" + names[0] + L"\"");
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"C:\\b.txt", folder}));
}

TEST_F(MainFormBehaviour, LocationCommandSelectsFilesAndOpensFoldersOfTheRest) {
    WriteTextFile(scratch / L"here.txt", "x");
    CreateFolderTree(scratch / L"folder");
    probe->History().RecordSource(scratch / L"here.txt");
    probe->History().RecordSource(scratch / L"folder");
    probe->History().RecordSource(scratch / L"gone\\missing.txt");
    for (int i = 0; i < 3; ++i) {
        probe->Select(i);
        probe->Command(kIdOpenLocationP1);
    }
    ASSERT_EQ(platform.launches.size(), 3u);
    EXPECT_EQ(platform.launches[0].kind, Launch::Kind::Explorer);
    EXPECT_EQ(platform.launches[0].target, scratch / L"here.txt");
    EXPECT_EQ(platform.launches[1].target, L"\"" + scratch.Path() + L"\"");
    EXPECT_EQ(platform.launches[2].target, L"\"" + (scratch / L"gone") + L"\"");
}

TEST_F(MainFormBehaviour, DeleteAndClearActAtOnceAndKeepTheExtent) {
    probe->History().RecordSource(L"C:\\a rather long entry to widen the list\\file.txt");
    probe->History().RecordSource(L"C:\\b.txt");
    HWND list = probe->Controls().ListBox1;
    const auto extent = ::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
    probe->Select(0);
    probe->Command(kIdDeleteP1);
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"C:\\b.txt"});
    probe->Command(kIdClearP1);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), extent);
    EXPECT_TRUE(platform.messages.empty());

    probe->SaveSettings();
    EXPECT_EQ(IniDocument::Open(ini).Find(L"LOG"), nullptr);
}

TEST_F(MainFormBehaviour, HelpPageButtonsOpenTheHelpFilePropertiesAndWebPages) {
    probe->SetPage(kPageHelp);
    for (HWND button : {probe->Controls().ButtonHelp, probe->Controls().ButtonProperties,
                        probe->Controls().ButtonDonation, probe->Controls().ButtonHomeSite})
        Click(button);
    ASSERT_EQ(platform.launches.size(), 4u);
    const std::wstring executable = ModuleFileName(nullptr);
    EXPECT_EQ(platform.launches[0].target, L"\"" + executable.substr(0, executable.rfind(L'.')) + L".chm\"");
    EXPECT_EQ(platform.launches[1].kind, Launch::Kind::Properties);
    EXPECT_EQ(platform.launches[1].target, executable);
    EXPECT_EQ(platform.launches[2].target, L"https://sorabako.example.org/software/index3.html");
    EXPECT_EQ(platform.launches[3].target, L"https://sorabako.example.org/");
    for (const Launch& launch : platform.launches) EXPECT_EQ(launch.owner, form->Handle());
}

}  // namespace
}  // namespace sorabako
