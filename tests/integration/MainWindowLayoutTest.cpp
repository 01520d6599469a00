// The real main window at 96 DPI: sizes read back from the controls.
#include "app/AppTitle.h"
#include "app/GridLayout.h"
#include "app/MainForm.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace sorabako {
namespace {

using layout::Height;
using layout::Width;

RECT ClientRectOf(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return r;
}

RECT WindowRectOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

int TabWidthOf(HWND pageControl) {
    RECT item{};
    ::SendMessageW(pageControl, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    return Width(item);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256]{};
    ::GetWindowTextW(window, text, 256);
    return text;
}

class MainWindowLayout : public testing::Test {
protected:
    void SetUp() override {
        form = CreateTestForm(platform, scratch / L"s.ini");
        ASSERT_EQ(::GetDpiForWindow(form->Handle()), 96u);
        ResizeTo(280, 280);
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    void ResizeTo(int width, int height) {
        ::SetWindowPos(form->Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    void ExpectTabWidthRule() {
        const auto& c = TForm1Probe{*form}.Controls();
        EXPECT_EQ(TabWidthOf(c.PageControl1), Width(ClientRectOf(c.PageControl1)) / 5);
        EXPECT_EQ(Width(ClientRectOf(c.PageControl1)), Width(ClientRectOf(form->Handle())) - 6);
    }

    test::ScratchFolder scratch;
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindowLayout, CaptionsAreExactlyAsDesigned) {
    const auto& c = TForm1Probe{*form}.Controls();
    TCITEMW item{};
    wchar_t text[64]{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    std::vector<std::wstring> tabs;
    for (int i = 0; i < 4; ++i) {
        ::SendMessageW(c.PageControl1, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        tabs.emplace_back(text);
    }
    EXPECT_EQ(tabs, (std::vector<std::wstring>{L"ファイル", L"設 定", L"履 歴", L"ヘルプ"}));
    EXPECT_EQ(TextOf(c.ButtonSendTo), L"「送る」に 登録・削除");
    EXPECT_EQ(TextOf(c.GroupBox2), L"作業フォルダは");
    EXPECT_EQ(TextOf(c.CheckBoxSaveStatus), L"状態を保存する");
    EXPECT_EQ(TextOf(c.ButtonHomeSite), L"ホームページ");
    // The main menu exists but, with no items, is not attached: no empty bar takes a row.
    EXPECT_EQ(::GetMenuItemCount(TForm1Probe{*form}.MainMenu()), 0);
    EXPECT_FALSE(::GetMenu(form->Handle()));
}

// Windows' 8-pixel frame gives the design's 264 × 241 client area at 280 × 280;
// Wine's frame is thinner, so the cells are checked against the real client
// area by the same rules (their design values are checked in GridLayoutTest).
TEST_F(MainWindowLayout, DesignSizeGivesCellsByTheGridRules) {
    const auto& c = TForm1Probe{*form}.Controls();
    const RECT client = ClientRectOf(form->Handle());
    EXPECT_EQ(Width(WindowRectOf(form->Handle())) - Width(client),
              Height(WindowRectOf(form->Handle())) - Height(client) - ::GetSystemMetrics(SM_CYCAPTION))
        << "a menu bar row is reserved";
    ExpectTabWidthRule();

    // The figures of the 280 × 280 design size at 96 DPI under the test prefix:
    // a 258 × 217 page, a 252 × 211 panel inside its 3-pixel margin.
    const RECT page = ClientRectOf(c.TabSheetFile);
    EXPECT_EQ(Width(page), 258);
    EXPECT_EQ(Height(page), 217);
    EXPECT_EQ(Width(ClientRectOf(c.ButtonSelect)), 246);   // the whole row less the 3-pixel cell margins
    EXPECT_EQ(Height(ClientRectOf(c.ButtonSelect)), 36);   // a fifth of 211 is 42
    EXPECT_EQ(Width(ClientRectOf(c.ButtonHelp)), 120);     // half of 252 is 126
    EXPECT_EQ(Width(ClientRectOf(c.ListBox1)), 252);
    EXPECT_EQ(Height(ClientRectOf(c.ListBox1)), 211);
    EXPECT_EQ(Height(ClientRectOf(c.GroupBox2)), 145);     // 68.7396 % of 211
    EXPECT_EQ(Height(ClientRectOf(c.GroupBox1)), 66);      // the rest
    const RECT mode = ClientRectOf(c.RadioButtonSameFolder);
    EXPECT_EQ(Width(mode), 75);                            // thirds of 242 carry the rounding on: 81, 80, 81
    EXPECT_EQ(Width(ClientRectOf(c.ButtonSelectAnotherTempFolder)), 74);
    EXPECT_EQ(Height(mode), 33);

    // Each page's buttons stand in one column, one row each.
    for (const auto& column : {std::vector<HWND>{c.ButtonSelect, c.ButtonSendTo, c.ButtonDeskTop, c.ButtonStartMenu,
                                                 c.ButtonStartUp},
                               std::vector<HWND>{c.ButtonHelp, c.ButtonAbout, c.ButtonProperties, c.ButtonDonation,
                                                 c.ButtonHomeSite}}) {
        for (std::size_t row = 1; row < column.size(); ++row) {
            EXPECT_EQ(WindowRectOf(column[row]).left, WindowRectOf(column[0]).left) << "row " << row;
            EXPECT_GT(WindowRectOf(column[row]).top, WindowRectOf(column[row - 1]).bottom) << "row " << row;
        }
    }
}

TEST_F(MainWindowLayout, TabWidthFollowsEverySizeChange) {
    ResizeTo(600, 400);
    ExpectTabWidthRule();
    ::ShowWindow(form->Handle(), SW_MAXIMIZE);
    ExpectTabWidthRule();
    EXPECT_GT(TabWidthOf(TForm1Probe{*form}.Controls().PageControl1), 300);
    ::ShowWindow(form->Handle(), SW_RESTORE);
    ExpectTabWidthRule();
    ResizeTo(280, 280);
    ExpectTabWidthRule();
}

TEST_F(MainWindowLayout, CannotBeMadeSmallerThan280) {
    ResizeTo(100, 120);
    const RECT r = WindowRectOf(form->Handle());
    EXPECT_EQ(Width(r), 280);
    EXPECT_EQ(Height(r), 280);
}

TEST_F(MainWindowLayout, OnlyTheCheckedModeIsATabStop) {
    const auto& c = TForm1Probe{*form}.Controls();
    const auto tabStop = [](HWND w) { return (::GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP) != 0; };
    EXPECT_TRUE(IsChecked(c.RadioButtonSystemFolder));
    EXPECT_TRUE(tabStop(c.RadioButtonSystemFolder));
    EXPECT_FALSE(tabStop(c.RadioButtonSameFolder));
    ::SendMessageW(c.RadioButtonSameFolder, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsChecked(c.RadioButtonSameFolder));
    EXPECT_FALSE(IsChecked(c.RadioButtonSystemFolder));
    EXPECT_TRUE(tabStop(c.RadioButtonSameFolder));
    EXPECT_FALSE(tabStop(c.RadioButtonSystemFolder));
    EXPECT_FALSE(tabStop(c.PageControl1));
}

// Windows clicks a radio button that takes the focus from the keyboard unless
// told not to; Wine never does, so the telling is read where it is sent.
std::vector<HWND> g_toldNotToClick;
LRESULT CALLBACK WatchDontClick(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == BM_SETDONTCLICK && call->wParam) g_toldNotToClick.push_back(call->hwnd);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(ModeButtons, NeverClickThemselvesWhenTheyTakeTheFocus) {
    test::ScratchFolder scratch;
    test::ScriptedPlatform platform;
    g_toldNotToClick.clear();
    auto form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, scratch / L"s.ini"});
    {
        UniqueHook hook(::SetWindowsHookExW(WH_CALLWNDPROC, WatchDontClick, nullptr, ::GetCurrentThreadId()));
        form->Create(::GetModuleHandleW(nullptr));
    }
    const auto& c = TForm1Probe{*form}.Controls();
    EXPECT_EQ(g_toldNotToClick, (std::vector<HWND>{c.RadioButtonSystemFolder, c.RadioButtonSameFolder,
                                                   c.RadioButtonAnotherFolder}));
    form.reset();
    DrainQueueSawQuit();
}

// Enter as the dialog manager sees it, on the focused control.
void PressEnter(HWND form, HWND focus) {
    ::SetFocus(focus);
    MSG message{focus, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    ::IsDialogMessageW(form, &message);
    DrainQueueSawQuit();
}

TEST_F(MainWindowLayout, EnterClicksTheDefaultButtonOnlyOnTheFileAndHelpPages) {
    TForm1Probe probe{*form};
    const auto& c = probe.Controls();
    ::SetForegroundWindow(form->Handle());

    probe.SetPage(kPageSettings);
    PressEnter(form->Handle(), c.RadioButtonSystemFolder);
    PressEnter(form->Handle(), c.CheckBoxSaveStatus);
    probe.SetPage(kPageLog);
    PressEnter(form->Handle(), c.ListBox1);
    EXPECT_TRUE(platform.fileDialogs.empty());
    EXPECT_TRUE(platform.launches.empty());

    probe.SetPage(kPageFile);
    PressEnter(form->Handle(), c.ButtonSelect);
    EXPECT_EQ(platform.fileDialogs.size(), 1u);

    probe.SetPage(kPageHelp);
    PressEnter(form->Handle(), c.ButtonHelp);
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_NE(platform.launches[0].target.find(L".chm\""), std::wstring::npos);
    EXPECT_EQ(platform.fileDialogs.size(), 1u);
}

bool LooksDefault(HWND button) {
    return (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// What the dialog manager asks the window for, and what the user sees drawn.
TEST_F(MainWindowLayout, OnlyThePageInFrontHasADefaultButtonAndAFocusedButtonTakesItsPlace) {
    TForm1Probe probe{*form};
    const auto& c = probe.Controls();
    ::SetForegroundWindow(form->Handle());
    const auto defaultId = [this] { return ::SendMessageW(form->Handle(), DM_GETDEFID, 0, 0); };

    probe.SetPage(kPageFile);
    EXPECT_EQ(defaultId(), MAKELRESULT(::GetDlgCtrlID(c.ButtonSelect), DC_HASDEFID));
    EXPECT_EQ(::GetFocus(), c.ButtonSelect);
    EXPECT_TRUE(LooksDefault(c.ButtonSelect));
    EXPECT_FALSE(LooksDefault(c.ButtonHelp)) << "a default button on a hidden page";
    ::SetFocus(c.ButtonSendTo);
    EXPECT_TRUE(LooksDefault(c.ButtonSendTo));
    EXPECT_FALSE(LooksDefault(c.ButtonSelect));

    probe.SetPage(kPageHelp);
    EXPECT_EQ(defaultId(), MAKELRESULT(::GetDlgCtrlID(c.ButtonHelp), DC_HASDEFID));
    EXPECT_TRUE(LooksDefault(c.ButtonHelp));
    EXPECT_FALSE(LooksDefault(c.ButtonSendTo));

    probe.SetPage(kPageSettings);
    EXPECT_EQ(defaultId(), 0);
    EXPECT_FALSE(LooksDefault(c.ButtonHelp));
    EXPECT_FALSE(LooksDefault(c.ButtonOpenSystemTempFolder));
    probe.SetPage(kPageLog);
    EXPECT_EQ(defaultId(), 0);
    EXPECT_EQ(::GetFocus(), c.ListBox1);
}

// The marker property must be gone before the window is (Windows does not
// remove a window's properties for it).
const wchar_t kMarkerName[] = L"SorabakoMarkerTest";
bool g_markerAtNcDestroy = true;
LRESULT CALLBACK WatchNcDestroy(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_NCDESTROY && ::GetPropW(call->hwnd, kMarkerName))
        g_markerAtNcDestroy = true;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindowMarker, IsSetAtCreationAndRemovedWithTheWindow) {
    test::ScratchFolder scratch;
    test::ScriptedPlatform platform;
    auto form = std::make_unique<TForm1>(platform, FormOptions{kMarkerName, std::nullopt, LocalTimeNow, scratch / L"s.ini"});
    form->Create(::GetModuleHandleW(nullptr));
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(::GetPropW(form->Handle(), kMarkerName)), 1111u);
    g_markerAtNcDestroy = false;
    {
        UniqueHook hook(::SetWindowsHookExW(WH_CALLWNDPROC, WatchNcDestroy, nullptr, ::GetCurrentThreadId()));
        form.reset();
    }
    EXPECT_FALSE(g_markerAtNcDestroy);
    DrainQueueSawQuit();
}

TEST_F(MainWindowLayout, FileOpenDialogIsConfiguredWithTheTenTypes) {
    TForm1Probe probe{*form};
    probe.SetPage(kPageFile);
    ::SendMessageW(probe.Controls().ButtonSelect, BM_CLICK, 0, 0);
    ASSERT_EQ(platform.fileDialogs.size(), 1u);
    const auto& types = platform.fileDialogs[0].fileTypes;
    ASSERT_EQ(types.size(), 10u);
    EXPECT_EQ(types[0], (std::pair<std::wstring, std::wstring>{L"All", L"*.*"}));
    EXPECT_EQ(types[6], (std::pair<std::wstring, std::wstring>{L"html", L"*.htm*"}));
    EXPECT_EQ(types[9], (std::pair<std::wstring, std::wstring>{L"ShortCut", L"*.Lnk"}));
    EXPECT_EQ(platform.fileDialogs[0].owner, form->Handle());
}

TEST_F(MainWindowLayout, ButtonsShowTheHandCursorAndTheListTheArrow) {
    const auto& c = TForm1Probe{*form}.Controls();
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    for (HWND control : {c.ButtonSelect, c.RadioButtonSameFolder, c.CheckBoxCloseQuery, c.ButtonHomeSite}) {
        ::SetCursor(nullptr);
        EXPECT_TRUE(::SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), HTCLIENT));
        EXPECT_EQ(::GetCursor(), hand);
    }
    ::SetCursor(nullptr);
    ::SendMessageW(c.ListBox1, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.ListBox1), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand);
}

TEST_F(MainWindowLayout, PopupMenuHoldsItsItemsAndSeparator) {
    HMENU menu = TForm1Probe{*form}.PopupMenu();
    ASSERT_EQ(::GetMenuItemCount(menu), 5);
    wchar_t text[64]{};
    ::GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"作業ファイルで開く");
    ::GetMenuStringW(menu, 4, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"履歴をクリア");
    EXPECT_EQ(::GetMenuState(menu, 2, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
}

TEST_F(MainWindowLayout, AMoveToAnotherDpiScalesMarginsFontAndTabs) {
    TForm1Probe probe{*form};
    const auto& c = probe.Controls();
    probe.History().RecordSource(L"C:\\a folder with a rather long name\\and a file in it.txt");
    const int widest = probe.History().MaxEntryWidth();
    RECT suggested{100, 100, 100 + 420, 100 + 420};
    ::SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Width(WindowRectOf(form->Handle())), 420);
    // At 144 DPI the 3-pixel margin is 4.5, rounded to 5, and the 11-pixel font 16.5, rounded to 17.
    EXPECT_EQ(Width(ClientRectOf(c.PageControl1)), Width(ClientRectOf(form->Handle())) - 2 * 5);
    EXPECT_EQ(TabWidthOf(c.PageControl1), Width(ClientRectOf(c.PageControl1)) / 5);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(c.ButtonSelect, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -17);
    EXPECT_STREQ(font.lfFaceName, L"Meiryo UI");

    // The history's widest width and its extent follow the new scale.
    EXPECT_GE(probe.History().MaxEntryWidth(), ::MulDiv(widest, 144, 96));
    EXPECT_EQ(::SendMessageW(c.ListBox1, LB_GETHORIZONTALEXTENT, 0, 0), HistoryExtentFor(probe.History().MaxEntryWidth()));
}

}  // namespace
}  // namespace sorabako
