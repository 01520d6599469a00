#include "app/MainControls.h"

#include "app/ControlIds.h"
#include "app/GridLayout.h"
#include "app/Strings.h"

#include <commctrl.h>
#include <oleacc.h>

namespace sorabako {
namespace {

using layout::CellRect;
using layout::Grid;
using layout::Inset;

constexpr int kMarginAt96Dpi = 3;

// The pages are plain containers; the form handles everything their
// controls report.
LRESULT CALLBACK TabSheetProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CONTEXTMENU:
        case WM_SETCURSOR:
            return ::SendMessageW(::GetAncestor(page, GA_ROOT), message, wParam, lParam);
        default:
            return ::DefWindowProcW(page, message, wParam, lParam);
    }
}

void RegisterTabSheetClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = TabSheetProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = names::kTabSheetClass;
    ::RegisterClassExW(&windowClass);
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* caption, DWORD style, int id,
           DWORD exStyle = 0) {
    return ::CreateWindowExW(exStyle, windowClass, caption, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

// BS_NOTIFY: the form learns where the focus goes (BN_SETFOCUS), to give the
// focused push button the default look that Enter presses.
HWND Button(HWND page, const wchar_t* caption, int id, DWORD kind = BS_PUSHBUTTON) {
    return Child(page, WC_BUTTONW, caption, WS_TABSTOP | BS_NOTIFY | kind, id);
}

HWND TabSheet(HWND form, HWND pageControl, const wchar_t* caption, int index) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption);
    ::SendMessageW(pageControl, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    // WS_EX_CONTROLPARENT lets the dialog manager tab into the page's controls.
    HWND page = ::CreateWindowExW(WS_EX_CONTROLPARENT, names::kTabSheetClass, caption,
                                  WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, form, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    return page;
}

void Place(HWND control, const RECT& r) {
    ::MoveWindow(control, r.left, r.top, layout::Width(r), layout::Height(r), TRUE);
}

void PlaceInGrid(const std::initializer_list<std::pair<HWND, POINT>>& cells, const RECT& panel, const Grid& grid,
                 int margin) {
    for (const auto& [control, cell] : cells) Place(control, Inset(CellRect(panel, grid, cell.x, cell.y), margin));
}

// In page order, as Pages() gives them.
const wchar_t* const kPageCaptions[] = {text::kTabFile, text::kTabSettings, text::kTabLog, text::kTabHelp};

const Grid kFileGrid{{100}, {20, 20, 20, 20, 20}};
const Grid kSettingsGrid{{100}, {68.7396, 31.2604}};
const Grid kModeGrid{{33.3333, 33.3333, 33.3333}, {33.3333, 33.3333, 33.3333}};
const Grid kOnExitGrid{{50, 50}, {100}};
const Grid kHelpGrid{{50, 50}, {20, 20, 20, 20, 20}};

}  // namespace

MainControls CreateMainControls(HWND form) {
    RegisterTabSheetClass(::GetModuleHandleW(nullptr));
    MainControls c;
    c.PageControl1 = Child(form, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | TCS_FIXEDWIDTH | TCS_FOCUSNEVER,
                           kIdPageControl);
    c.TabSheetFile = TabSheet(form, c.PageControl1, kPageCaptions[0], 0);
    c.TabSheetSettings = TabSheet(form, c.PageControl1, kPageCaptions[1], 1);
    c.TabSheetLog = TabSheet(form, c.PageControl1, kPageCaptions[2], 2);
    c.TabSheetHelp = TabSheet(form, c.PageControl1, kPageCaptions[3], 3);

    c.ButtonSelect = Button(c.TabSheetFile, text::kButtonSelect, kIdButtonSelect, BS_DEFPUSHBUTTON);
    c.ButtonSendTo = Button(c.TabSheetFile, text::kButtonSendTo, kIdButtonSendTo);
    c.ButtonDeskTop = Button(c.TabSheetFile, text::kButtonDeskTop, kIdButtonDeskTop);
    c.ButtonStartMenu = Button(c.TabSheetFile, text::kButtonStartMenu, kIdButtonStartMenu);
    c.ButtonStartUp = Button(c.TabSheetFile, text::kButtonStartUp, kIdButtonStartUp);

    HWND settings = c.TabSheetSettings;
    c.GroupBox2 = Child(settings, WC_BUTTONW, text::kGroupWorkFolder, BS_GROUPBOX, kIdGroupBox2);
    // Plain radio buttons: the form checks them, so that the push buttons
    // between them in the tab order do not split the group.
    c.RadioButtonSystemFolder = Button(settings, text::kModeSystemFolder, kIdRadioButtonSystemFolder,
                                       BS_RADIOBUTTON | WS_GROUP);
    c.ButtonOpenSystemTempFolder = Button(settings, text::kButtonOpen, kIdButtonOpenSystemTempFolder);
    c.RadioButtonSameFolder = Button(settings, text::kModeSameFolder, kIdRadioButtonSameFolder, BS_RADIOBUTTON);
    c.RadioButtonAnotherFolder = Button(settings, text::kModeAnotherFolder, kIdRadioButtonAnotherFolder,
                                        BS_RADIOBUTTON);
    // Windows clicks a radio button that takes the focus from the keyboard;
    // the mode changes only by a deliberate key or click.
    for (HWND mode : {c.RadioButtonSystemFolder, c.RadioButtonSameFolder, c.RadioButtonAnotherFolder})
        ::SendMessageW(mode, BM_SETDONTCLICK, TRUE, 0);
    c.ButtonSelectAnotherTempFolder = Button(settings, text::kButtonChoose, kIdButtonSelectAnotherTempFolder);
    c.ButtonOpenAnotherFolder = Button(settings, text::kButtonOpen, kIdButtonOpenAnotherFolder);
    c.GroupBox1 = Child(settings, WC_BUTTONW, text::kGroupOnExit, BS_GROUPBOX | WS_GROUP, kIdGroupBox1);
    c.CheckBoxCloseQuery = Button(settings, text::kCheckCloseQuery, kIdCheckBoxCloseQuery, BS_AUTOCHECKBOX);
    c.CheckBoxSaveStatus = Button(settings, text::kCheckSaveStatus, kIdCheckBoxSaveStatus, BS_AUTOCHECKBOX);

    c.ListBox1 = Child(c.TabSheetLog, WC_LISTBOXW, L"",
                       WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kIdListBox1);

    c.ButtonHelp = Button(c.TabSheetHelp, text::kButtonHelp, kIdButtonHelp, BS_DEFPUSHBUTTON);
    c.ButtonAbout = Button(c.TabSheetHelp, text::kButtonAbout, kIdButtonAbout);
    c.ButtonProperties = Button(c.TabSheetHelp, text::kButtonProperties, kIdButtonProperties);
    c.ButtonDonation = Button(c.TabSheetHelp, text::kButtonDonation, kIdButtonDonation);
    c.ButtonHomeSite = Button(c.TabSheetHelp, text::kButtonHomeSite, kIdButtonHomeSite);

    // The strip lies under the pages, which are its siblings, not its children.
    ::SetWindowPos(c.PageControl1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return c;
}

void ApplyFont(const MainControls& c, HFONT font) {
    const auto apply = [font](HWND window) {
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    };
    apply(c.PageControl1);
    for (HWND page : c.Pages()) {
        for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) apply(child);
    }
}

void AnnotateMainControls(const MainControls& c, AccessibleAnnotations& annotations) {
    const auto pages = c.Pages();
    for (std::size_t i = 0; i < pages.size(); ++i)
        annotations.Annotate(pages[i], AccessibleAnnotation{kPageCaptions[i], ROLE_SYSTEM_PROPERTYPAGE, {}});
    annotations.Annotate(c.ListBox1, AccessibleAnnotation{text::kTabLog, 0, {}});
}

void LayoutMainControls(const MainControls& c, HWND form, UINT dpi, int captionTextHeight) {
    const int margin = ScaleForDpi(kMarginAt96Dpi, dpi);
    RECT client{};
    ::GetClientRect(form, &client);

    const RECT pageControl = Inset(client, margin);
    Place(c.PageControl1, pageControl);
    const int tabWidth = layout::TabWidth(layout::Width(pageControl), static_cast<int>(c.Pages().size()));
    ::SendMessageW(c.PageControl1, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, 0));

    RECT display{0, 0, layout::Width(pageControl), layout::Height(pageControl)};
    ::SendMessageW(c.PageControl1, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ::OffsetRect(&display, pageControl.left, pageControl.top);
    for (HWND page : c.Pages()) Place(page, display);

    const RECT panel = Inset(RECT{0, 0, layout::Width(display), layout::Height(display)}, margin);
    PlaceInGrid({{c.ButtonSelect, {0, 0}}, {c.ButtonSendTo, {0, 1}}, {c.ButtonDeskTop, {0, 2}},
                 {c.ButtonStartMenu, {0, 3}}, {c.ButtonStartUp, {0, 4}}},
                panel, kFileGrid, margin);

    const RECT workFolderBox = CellRect(panel, kSettingsGrid, 0, 0);
    const RECT onExitBox = CellRect(panel, kSettingsGrid, 0, 1);
    Place(c.GroupBox2, workFolderBox);
    Place(c.GroupBox1, onExitBox);
    PlaceInGrid({{c.RadioButtonSystemFolder, {0, 0}}, {c.ButtonOpenSystemTempFolder, {2, 0}},
                 {c.RadioButtonSameFolder, {0, 1}}, {c.RadioButtonAnotherFolder, {0, 2}},
                 {c.ButtonSelectAnotherTempFolder, {1, 2}}, {c.ButtonOpenAnotherFolder, {2, 2}}},
                Inset(layout::GroupBoxInterior(workFolderBox, captionTextHeight, dpi), margin), kModeGrid, margin);
    PlaceInGrid({{c.CheckBoxCloseQuery, {0, 0}}, {c.CheckBoxSaveStatus, {1, 0}}},
                Inset(layout::GroupBoxInterior(onExitBox, captionTextHeight, dpi), margin), kOnExitGrid, margin);

    Place(c.ListBox1, panel);

    PlaceInGrid({{c.ButtonHelp, {0, 0}}, {c.ButtonAbout, {0, 1}}, {c.ButtonProperties, {0, 2}},
                 {c.ButtonDonation, {0, 3}}, {c.ButtonHomeSite, {0, 4}}},
                panel, kHelpGrid, margin);
}

bool IsPushButton(HWND control) {
    if (!control) return false;
    wchar_t windowClass[16]{};
    ::GetClassNameW(control, windowClass, 16);
    if (::lstrcmpiW(windowClass, WC_BUTTONW) != 0) return false;
    const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

void ShowPage(const MainControls& c, int index) {
    ::SendMessageW(c.PageControl1, TCM_SETCURSEL, index, 0);
    const auto pages = c.Pages();
    for (int i = 0; i < static_cast<int>(pages.size()); ++i)
        ::ShowWindow(pages[i], i == index ? SW_SHOW : SW_HIDE);
}

}  // namespace sorabako
