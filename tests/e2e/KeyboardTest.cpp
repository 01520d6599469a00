// The real Sorabako.exe driven from the real keyboard alone: where the focus
// goes, how pages change, what Enter presses, and that every box is modal.
#include "app/ControlIds.h"
#include "e2e/Keyboard.h"
#include "e2e/ProcessRunner.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "settings/IniDocument.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = 20000;

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND child, LPARAM context) noexcept {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (::GetDlgCtrlID(child) != search->id) return TRUE;
    search->found = child;
    return FALSE;
}

HWND Control(HWND form, int id) {
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(form, FindById, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PageOf(HWND form) {
    return static_cast<int>(::SendMessageW(Control(form, kIdPageControl), TCM_GETCURSEL, 0, 0));
}

LRESULT Selection(HWND form) {
    return ::SendMessageW(Control(form, kIdListBox1), LB_GETCURSEL, 0, 0);
}

bool IsChecked(HWND form, int id) {
    return ::SendMessageW(Control(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Keys that must leave the focus on the history list, ended by a key that
// moves its selection: that key reaches the list only if the focus is still
// there, and once its selection shows, every key before it has been handled.
void ExpectListKeepsFocus(HWND form, const std::string& keysThenSelectionKey, LRESULT selection) {
    PressKeys(keysThenSelectionKey);
    EXPECT_TRUE(WaitUntil([&] { return Selection(form) == selection; }, kTimeoutMs))
        << keysThenSelectionKey << " left the selection at " << Selection(form);
    EXPECT_EQ(FocusOf(form), Control(form, kIdListBox1)) << keysThenSelectionKey;
}

// For one test, help files open with the launch recorder, as the documents do.
class HelpFilesRecorded {
public:
    HelpFilesRecorded() {
        wchar_t type[256]{};
        DWORD size = sizeof(type);
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, RRF_RT_REG_SZ, nullptr, type, &size) == ERROR_SUCCESS)
            previous_ = type;
        Set(L"SorabakoTest.Document");
    }
    ~HelpFilesRecorded() { Set(previous_); }
    HelpFilesRecorded(const HelpFilesRecorded&) = delete;
    HelpFilesRecorded& operator=(const HelpFilesRecorded&) = delete;

private:
    static constexpr wchar_t kKey[] = L"Software\\Classes\\.chm";
    static void Set(const std::wstring& type) {
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, REG_SZ, type.c_str(),
                          static_cast<DWORD>((type.size() + 1) * sizeof(wchar_t)));
    }
    std::wstring previous_ = L"chm.file";
};

// One key, then the focus must reach the control with that id, which is visible and enabled.
void ExpectKeyFocuses(HWND form, const std::string& key, int id) {
    PressKeys(key);
    HWND expected = Control(form, id);
    HWND focus = WaitForFocus(form, expected);
    EXPECT_EQ(focus, expected) << key << " should focus control " << id << ", focus is on " << ::GetDlgCtrlID(focus);
    EXPECT_TRUE(::IsWindowVisible(focus) && ::IsWindowEnabled(focus)) << "focus on a hidden or disabled control";
}

// Tab walks the stops in order and wraps to the first; Shift+Tab wraps back to the last.
void ExpectTabCycle(HWND form, const std::vector<int>& stops) {
    for (std::size_t i = 1; i <= stops.size(); ++i) ExpectKeyFocuses(form, "Tab", stops[i % stops.size()]);
    ExpectKeyFocuses(form, "shift+Tab", stops.back());
    ExpectKeyFocuses(form, "Tab", stops.front());
}

TEST(Keyboard, FocusFollowsThePageAndTabCyclesWithinIt) {
    Installation install;  // no history: the File page comes first
    HelpFilesRecorded help;
    WriteTextFile(install / L"Sorabako.chm", "help");
    ChildProcess program = install.Start(L"");
    HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ASSERT_TRUE(BringToFront(form));
    EXPECT_EQ(WaitForFocus(form, Control(form, kIdButtonSelect)), Control(form, kIdButtonSelect)) << "at start";

    ExpectTabCycle(form, {kIdButtonSelect, kIdButtonSendTo, kIdButtonDeskTop, kIdButtonStartMenu, kIdButtonStartUp});

    ExpectKeyFocuses(form, "ctrl+Tab", kIdRadioButtonSystemFolder);
    EXPECT_EQ(PageOf(form), 1);
    // The unchecked radio buttons are no stops; the folder's Open button is disabled without a folder.
    ExpectTabCycle(form, {kIdRadioButtonSystemFolder, kIdButtonOpenSystemTempFolder, kIdButtonSelectAnotherTempFolder,
                          kIdCheckBoxCloseQuery, kIdCheckBoxSaveStatus});

    // The arrows reach the other modes, checking each one they move to.
    ExpectKeyFocuses(form, "Down", kIdRadioButtonSameFolder);
    EXPECT_EQ(::SendMessageW(Control(form, kIdRadioButtonSameFolder), BM_GETCHECK, 0, 0), BST_CHECKED);
    ExpectKeyFocuses(form, "Up Up", kIdRadioButtonAnotherFolder);
    ExpectKeyFocuses(form, "Right", kIdRadioButtonSystemFolder);
    EXPECT_TRUE(IsChecked(form, kIdRadioButtonSystemFolder));
    EXPECT_FALSE(IsChecked(form, kIdRadioButtonSameFolder));

    // On a push button or a check box the arrows move and check nothing: the
    // Tab after them starts from where the focus was.
    ExpectKeyFocuses(form, "Tab", kIdButtonOpenSystemTempFolder);
    ExpectKeyFocuses(form, "Down Up Up Tab", kIdButtonSelectAnotherTempFolder);
    ExpectKeyFocuses(form, "Tab", kIdCheckBoxCloseQuery);
    ExpectKeyFocuses(form, "Up Left Tab", kIdCheckBoxSaveStatus);
    EXPECT_TRUE(IsChecked(form, kIdRadioButtonSystemFolder));
    EXPECT_FALSE(IsChecked(form, kIdCheckBoxCloseQuery));

    // F1 shows the help from a page without the help button.
    PressKeys("F1");
    const auto launches = install.WaitForLaunches(1, kTimeoutMs);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find(install / L"Sorabako.chm"), std::wstring::npos) << Utf8(launches[0]);

    ExpectKeyFocuses(form, "ctrl+Next", kIdListBox1);
    EXPECT_EQ(PageOf(form), 2);

    ExpectKeyFocuses(form, "ctrl+Tab", kIdButtonHelp);
    ExpectTabCycle(form, {kIdButtonHelp, kIdButtonAbout, kIdButtonProperties, kIdButtonDonation, kIdButtonHomeSite});
    ExpectKeyFocuses(form, "ctrl+Tab", kIdButtonSelect);  // from the last page to the first
    EXPECT_EQ(PageOf(form), 0);
    ExpectKeyFocuses(form, "ctrl+shift+Tab", kIdButtonHelp);  // and back
    EXPECT_EQ(PageOf(form), 3);
    ExpectKeyFocuses(form, "ctrl+Prior", kIdListBox1);
    EXPECT_EQ(PageOf(form), 2);

    // A click on the Settings tab, as the mouse makes it (all tabs are a fifth of the strip wide).
    HWND strip = Control(form, kIdPageControl);
    RECT client{};
    ::GetClientRect(strip, &client);
    POINT tab{client.right / 5 + client.right / 10, 10};
    ::ClientToScreen(strip, &tab);
    ClickAt(tab);
    EXPECT_EQ(WaitForFocus(form, Control(form, kIdRadioButtonSystemFolder)), Control(form, kIdRadioButtonSystemFolder))
        << "after a tab click";
    EXPECT_EQ(PageOf(form), 1);

    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"MODE", L"SystemTempFolder"), std::wstring(L"1")) << "an arrow changed the mode";
    EXPECT_EQ(saved.Value(L"MODE", L"AnotherFolder"), std::wstring(L"0"));
}

HWND WaitForBox(ChildProcess& program, HWND previous = nullptr) {
    HWND box = NextDialog(program, previous);
    EXPECT_TRUE(box) << "no box";
    return box;
}

// A box is modal to the main window: owned by it, and the window is disabled while it is up.
void ExpectModalTo(HWND form, HWND box) {
    EXPECT_EQ(::GetWindow(box, GW_OWNER), form);
    EXPECT_FALSE(::IsWindowEnabled(form));
}

std::wstring SendToLink() {
    return GetSpecialFolderPath(nullptr, CSIDL_SENDTO) + L"ソラバコ.Lnk";
}

TEST(Keyboard, EnterPressesTheFocusedButtonAndEveryBoxIsModal) {
    Installation install;
    WriteTextFile(install / L"Sorabako.ini",
                  "[MODE]\r\nCloseQuery=1\r\n[LOG]\r\nFile1=C:\\gone\\plan.txt\r\nFile2=C:\\gone\\notes.txt\r\n");
    ::DeleteFileW(SendToLink().c_str());
    ChildProcess program = install.Start(L"");
    HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ASSERT_TRUE(BringToFront(form));
    ASSERT_EQ(WaitForFocus(form, Control(form, kIdListBox1)), Control(form, kIdListBox1)) << "history first";

    // Page Down stays the list's own key; only Ctrl+Page Down changes pages.
    // Tab has nowhere else to go on the page, and Esc does nothing.
    ExpectListKeepsFocus(form, "Home", 0);  // Wine's list selects its first entry at the first key
    ExpectListKeepsFocus(form, "Next", 1);
    ExpectListKeepsFocus(form, "Tab Home", 0);
    ExpectListKeepsFocus(form, "Escape End", 1);

    // Delete removes the selected entry, as the menu's この履歴を削除 does.
    PressKeys("Delete");
    EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(Control(form, kIdListBox1), LB_GETCOUNT, 0, 0) == 1; },
                          kTimeoutMs));

    // Enter on the History page and on a radio button clicks nothing; the
    // next key is taken only after Enter, so nothing can show up late.
    ExpectKeyFocuses(form, "Return ctrl+shift+Tab", kIdRadioButtonSystemFolder);
    ExpectKeyFocuses(form, "Return Tab", kIdButtonOpenSystemTempFolder);
    EXPECT_FALSE(program.WaitForWindow(L"#32770", 0));
    EXPECT_TRUE(install.LaunchedCommandLines().empty());

    // Enter on a focused button that is not the page's default presses that button.
    ExpectKeyFocuses(form, "ctrl+shift+Tab Tab", kIdButtonSendTo);
    PressKeys("Return");
    HWND outcome = WaitForBox(program);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(MessageText(outcome), SendToLink() + L"\r\n新規作成しました。");
    ExpectModalTo(form, outcome);
    AnswerBox(outcome, IDOK);
    HWND question = WaitForBox(program, outcome);
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageText(question), L"フォルダ 送る を開きますか？");
    ExpectModalTo(form, question);
    AnswerBox(question, IDNO);
    EXPECT_TRUE(::DeleteFileW(SendToLink().c_str())) << "Enter did not create the link";

    ExpectKeyFocuses(form, "ctrl+Prior Tab", kIdButtonAbout);
    PressKeys("Return");
    HWND about = program.WaitForWindow(L"TAboutBox", kTimeoutMs);
    ASSERT_TRUE(about);
    ExpectModalTo(form, about);
    PressKeys("Escape");
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, kTimeoutMs)) << "Esc left the About box up";
    HWND focus = WaitForFocus(form, Control(form, kIdButtonAbout));
    EXPECT_EQ(focus, Control(form, kIdButtonAbout)) << "the focus comes back to the button";
    EXPECT_TRUE(::IsWindowEnabled(form));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == form; }, kTimeoutMs));

    ::PostMessageW(form, WM_CLOSE, 0, 0);
    question = WaitForBox(program);
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageText(question), L"終了してよいですか？");
    ExpectModalTo(form, question);
    AnswerBox(question, IDYES);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    const IniDocument saved = IniDocument::Open(install / L"Sorabako.ini");
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), std::wstring(L"C:\\gone\\plan.txt"));
    EXPECT_FALSE(saved.Value(L"LOG", L"File2")) << "Delete left the entry";
}

// The keyboard's menu (Shift+F10, the menu key) opens under the selected
// entry; a folder entry opens again as a work copy of the whole folder.
TEST(Keyboard, TheMenuOpensAtTheSelectedEntryAndAFolderEntryOpensAsAWorkCopy) {
    Installation install;
    ScratchFolder sources;
    const std::wstring folder = sources / L"papers";
    CreateFolderTree(folder + L"\\sub");
    WriteTextFile(folder + L"\\sub\\memo.txt", "memo");
    WriteTextFile(install / L"Sorabako.ini",
                  "[LOG]\r\nFile1=C:\\gone\\a.txt\r\nFile2=" + Utf8(folder) + "\r\nFile3=C:\\gone\\b.txt\r\n");
    ChildProcess program = install.Start(L"");
    HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ASSERT_TRUE(BringToFront(form));
    HWND list = Control(form, kIdListBox1);
    ASSERT_EQ(WaitForFocus(form, list), list);
    // Wine's list takes the first key of all to select its first entry, whatever the key.
    ExpectListKeepsFocus(form, "Home", 0);
    ExpectListKeepsFocus(form, "Down", 1);

    PressKeys("shift+F10");
    HWND menu = program.WaitForWindow(L"#32768", kTimeoutMs);
    ASSERT_TRUE(menu) << "no menu from Shift+F10";
    const auto itemHeight = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    POINT below{0, (1 - top + 1) * itemHeight};
    ::ClientToScreen(list, &below);
    RECT where{};
    ::GetWindowRect(menu, &where);
    EXPECT_EQ(where.left, below.x);
    EXPECT_EQ(where.top, below.y) << "the menu is not at the selected entry";
    PressKeys("Escape");
    EXPECT_TRUE(WaitUntil([&] { return !program.WaitForWindow(L"#32768", 0); }, kTimeoutMs));

    PressKeys("Menu");
    ASSERT_TRUE(program.WaitForWindow(L"#32768", kTimeoutMs)) << "no menu from the menu key";
    PressKeys("Down Return");  // its first item, 作業ファイルで開く
    const auto launches = install.WaitForLaunches(1, kTimeoutMs);
    ASSERT_EQ(launches.size(), 1u) << "the folder entry did not open";
    const auto names = NamesIn(install.TempFolder());
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].substr(names[0].size() - 7), L"-papers");
    const std::wstring copy = install.TempFolder() + L"\\" + names[0];
    EXPECT_EQ(ReadTextFile(copy + L"\\sub\\memo.txt"), "memo");
    EXPECT_NE(launches[0].find(copy), std::wstring::npos) << Utf8(launches[0]);
    EXPECT_FALSE(program.WaitForWindow(L"#32770", 0)) << "a question instead of the copy";

    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    EXPECT_EQ(IniDocument::Open(install / L"Sorabako.ini").Value(L"LOG", L"File3"), folder) << "not moved to the end";
}

// With the window hidden, the close question stands on its own in front of
// other programs, and the hidden window is disabled all the same.
TEST(Keyboard, TheOneShotRoadsQuestionIsInFrontAndTaskModal) {
    Installation install;
    WriteTextFile(install / L"Sorabako.ini", "[MODE]\r\nCloseQuery=1\r\n");
    WriteTextFile(install / L"note.sbtest", "text");
    ChildProcess program = install.Start(L"\"" + install / L"note.sbtest" + L"\"");
    HWND question = WaitForBox(program);
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageText(question), L"終了してよいですか？");
    EXPECT_FALSE(::GetWindow(question, GW_OWNER));
    EXPECT_EQ(::GetForegroundWindow(), question);
    HWND form = program.HiddenOrShownWindow(L"TForm1");
    ASSERT_TRUE(form);
    EXPECT_FALSE(::IsWindowVisible(form));
    EXPECT_FALSE(::IsWindowEnabled(form));
    AnswerBox(question, IDYES);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    EXPECT_EQ(IniDocument::Open(install / L"Sorabako.ini").Value(L"LOG", L"File1"), install / L"note.sbtest");
}

TEST(Keyboard, StartedMinimisedWithoutActivationSavesTheMinimisedState) {
    Installation install;
    ChildProcess program = install.Start(L"", SW_SHOWMINNOACTIVE);
    HWND form = program.WaitForWindow(L"TForm1", kTimeoutMs);
    ASSERT_TRUE(form);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(kTimeoutMs));
    EXPECT_EQ(IniDocument::Open(install / L"Sorabako.ini").Value(L"POSITION", L"State"), std::wstring(L"1"));
}

}  // namespace
}  // namespace sorabako::test
