#include "app/MainForm.h"

#include "app/AppTitle.h"
#include "app/ControlIds.h"
#include "app/ErrorReport.h"
#include "app/GridLayout.h"
#include "platform/RandomGenerator.h"
#include "app/ResourceIds.h"
#include "app/SingleInstance.h"
#include "app/Strings.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"
#include "workcopy/WorkPath.h"

#include <commctrl.h>
#include <windowsx.h>
#include <shellapi.h>

namespace sorabako {
namespace {

constexpr int kDesignLeft = 398;
constexpr int kDesignTop = 375;
constexpr int kDesignSize = 280;  // also the minimum outer width and height
constexpr int kFontHeightAt96Dpi = -11;

void RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_SORABAKO), IMAGE_ICON,
                                                        0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = names::kMainWindowClass;
    ::RegisterClassExW(&windowClass);  // a second registration in one process fails harmlessly
}

// An owner-drawn main menu, with no items so far.
UniqueMenu CreateMainMenu1() {
    return UniqueMenu(::CreateMenu());
}

UniqueMenu CreatePopupMenu1() {
    UniqueMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(), MF_STRING, kIdOpenTempP1, text::kMenuOpenTemp);
    ::AppendMenuW(menu.Get(), MF_STRING, kIdOpenLocationP1, text::kMenuOpenLocation);
    ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu.Get(), MF_STRING, kIdDeleteP1, text::kMenuDelete);
    ::AppendMenuW(menu.Get(), MF_STRING, kIdClearP1, text::kMenuClear);
    return menu;
}

int TextHeight(HWND window, HFONT font) {
    WindowDC dc(window);
    SelectedObject selected(dc.Get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    return metrics.tmHeight;
}

bool ShowsHandCursor(HWND control) {
    wchar_t windowClass[16]{};
    ::GetClassNameW(control, windowClass, 16);
    if (::lstrcmpiW(windowClass, WC_BUTTONW) != 0) return false;
    return (::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
}

}  // namespace

SYSTEMTIME LocalTimeNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return now;
}

TForm1::TForm1(Platform& platform, FormOptions options)
    : platform_(platform), options_(std::move(options)) {}

TForm1::~TForm1() {
    if (window_) ::DestroyWindow(window_);
}

void TForm1::Create(HINSTANCE instance) {
    RegisterMainWindowClass(instance, WindowProc);
    const UINT dpi = ::GetDpiForSystem();
    const int size = ScaleForDpi(kDesignSize, dpi);
    // WS_EX_COMPOSITED paints the window and its children double-buffered.
    ::CreateWindowExW(WS_EX_COMPOSITED, names::kMainWindowClass, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      ScaleForDpi(kDesignLeft, dpi), ScaleForDpi(kDesignTop, dpi), size, size, nullptr,
                      nullptr, instance, this);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (!options_.instanceName.empty()) MarkRunningInstance(window_, options_.instanceName);
            FormCreate();
            return 0;
        case WM_SIZE:
            minimizedRecorded_ = false;  // a real change of size or state replaces a recorded one
            FormResize();
            return 0;
        case WM_SETFOCUS:
            // Activation gives the window the focus; it goes on to the control that had it last.
            RestoreFocus();
            return 0;
        case WM_GETMINMAXINFO:
            OnMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            return DefaultHandling(message, wParam, lParam);
        case DM_GETDEFID:
            return DefaultButtonId();
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_QUERYENDSESSION:
            return WMQueryEndSession();
        case WM_CLOSE:
            OnCloseRequest();
            return 0;
        case kMsgReplayHeld:
            ReplayHeldArrivals();
            return 0;
        case WM_DESTROY:
            windowGoing_ = true;
            moments_.DiscardAll();
            if (!options_.instanceName.empty()) UnmarkRunningInstance(window_, options_.instanceName);
            ::SetMenu(window_, nullptr);  // the main menu is MainMenu1's to destroy, not the window's
            ::PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void TForm1::ReportError(const AppError& error) {
    const ModalMoments::Scope moment(moments_);
    ShowErrorReport(platform_, window_, error);
}

// A drop taken from the queue opens its first item and then restores a
// minimised program; a drop that fails leaves the program as it is.
bool TForm1::AppMessageHook(MSG& message) {
    if (message.hwnd != window_ || message.message != WM_DROPFILES) return false;
    const auto drop = reinterpret_cast<HDROP>(message.wParam);
    if (moments_.Busy()) moments_.HoldDrop(UniqueDrop(drop));
    else OpenDropFromQueue(drop);
    return true;
}

void TForm1::ApplyStartupShowCommand(int showCommand) {
    if (showCommand == SW_SHOWMAXIMIZED) {
        windowState_ = WindowState::Maximized;
        if (::IsWindowVisible(window_)) ::ShowWindow(window_, SW_MAXIMIZE);
    } else if (showCommand == SW_SHOWMINNOACTIVE) {
        // Recorded only: the state is stored with the settings, nothing visible changes.
        windowState_ = WindowState::Minimized;
        minimizedRecorded_ = true;
    }
}

// The creation sequence. An error stops it at its step; on the one-shot road
// the hidden window would then wait for nothing, so the program ends.
void TForm1::FormCreate() {
    try {
        SeedRandomGeneratorFromClock();
        ::SetWindowTextW(window_, ApplicationTitle().c_str());
        CreateControls();
        ::DragAcceptFiles(window_, TRUE);
        LoadSettings();
        ResolveStartupWorkFolder();
        EndSessionFlag = 0;
        if (options_.commandLineSource) TakeOneShotRoad(*options_.commandLineSource);
        else TakeWindowRoad();
    } catch (const AppError& error) {
        ReportError(error);
        if (options_.commandLineSource) RequestEnd();
    }
}

void TForm1::CreateControls() {
    dpi_ = ::GetDpiForWindow(window_);
    controls_ = CreateMainControls(window_);
    AnnotateMainControls(controls_, annotations_);
    MainMenu1 = CreateMainMenu1();
    AttachMainMenu();
    PopupMenu1 = CreatePopupMenu1();
    HistoryList_ = HistoryList(controls_.ListBox1);
    SetChecked(controls_.RadioButtonSystemFolder, true);  // as designed
    UpdateFonts();
    SetActivePage(kPageLog);
}

void TForm1::UpdateFonts() {
    font_.Reset(::CreateFontW(ScaleForDpi(kFontHeightAt96Dpi, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, names::kMainWindowFont));
    ApplyFont(controls_, font_.Get());
    captionTextHeight_ = TextHeight(window_, font_.Get());
    FormResize();
}

void TForm1::FormResize() {
    if (controls_.PageControl1) LayoutMainControls(controls_, window_, dpi_, captionTextHeight_);
}

void TForm1::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const UINT previous = dpi_;
    dpi_ = dpi;
    UpdateFonts();
    HistoryList_.FollowDpiChange(previous, dpi);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::OnMinMaxInfo(MINMAXINFO& info) const {
    const UINT dpi = window_ ? ::GetDpiForWindow(window_) : ::GetDpiForSystem();
    info.ptMinTrackSize = POINT{ScaleForDpi(kDesignSize, dpi), ScaleForDpi(kDesignSize, dpi)};
}

bool TForm1::OnSetCursor(HWND control) {
    if (!ShowsHandCursor(control)) return false;
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// Enter clicks a default button only on the File and Help pages.
LRESULT TForm1::DefaultButtonId() const {
    switch (ActivePage()) {
        case kPageFile: return MAKELRESULT(kIdButtonSelect, DC_HASDEFID);
        case kPageHelp: return MAKELRESULT(kIdButtonHelp, DC_HASDEFID);
        default: return 0;
    }
}

// A click, a menu item or a double click runs as a modal moment of its own.
// While another one is up the window is disabled: a command that still
// arrives comes from a program, not from the user, and must not start a
// second open or a close under the box.
void TForm1::OnCommand(int id, int code, HWND control) {
    const bool listBox = id == kIdListBox1;
    if (code == (listBox ? LBN_SETFOCUS : BN_SETFOCUS)) OnControlFocus(control);
    // Menu items arrive with code 0, as clicks do.
    if (code != (listBox ? LBN_DBLCLK : BN_CLICKED) || moments_.Busy()) return;
    const ModalMoments::Scope moment(moments_);
    RunCommand(id);
}

void TForm1::RunCommand(int id) {
    switch (id) {
        case kIdListBox1: OpenTempP1Click(); break;
        case kIdButtonSelect: ButtonSelectClick(); break;
        case kIdButtonSendTo: ButtonSendToClick(); break;
        case kIdButtonDeskTop: ButtonDeskTopClick(); break;
        case kIdButtonStartMenu: ButtonStartMenuClick(); break;
        case kIdButtonStartUp: ButtonStartUpClick(); break;
        case kIdButtonHelp: ButtonHelpClick(); break;
        case kIdButtonAbout: ButtonAboutClick(); break;
        case kIdButtonProperties: ButtonPropertiesClick(); break;
        case kIdButtonDonation: ButtonDonationClick(); break;
        case kIdButtonHomeSite: ButtonHomeSiteClick(); break;
        case kIdButtonSelectAnotherTempFolder: SetTempFolderClick(); break;
        case kIdButtonOpenAnotherFolder: ButtonOpenAnotherFolderClick(); break;
        case kIdButtonOpenSystemTempFolder: ButtonOpenSystemTempFolderClick(); break;
        case kIdOpenTempP1: OpenTempP1Click(); break;
        case kIdOpenLocationP1: OpenLocationP1Click(); break;
        case kIdDeleteP1: DeleteP1Click(); break;
        case kIdClearP1: ClearP1Click(); break;
        case kIdRadioButtonSystemFolder: CheckModeButton(controls_.RadioButtonSystemFolder); break;
        case kIdRadioButtonSameFolder: CheckModeButton(controls_.RadioButtonSameFolder); break;
        case kIdRadioButtonAnotherFolder: CheckModeButton(controls_.RadioButtonAnotherFolder); break;
        default: break;
    }
}

void TForm1::OnNotify(const NMHDR& header) {
    if (header.hwndFrom == controls_.PageControl1 && header.code == TCN_SELCHANGE) ChangePageAsUser(ActivePage());
}

void TForm1::OnContextMenu(HWND window, POINT screen) {
    if (window != controls_.ListBox1 || moments_.Busy()) return;
    if (screen.x == -1 && screen.y == -1) screen = HistoryMenuPoint();  // from the keyboard
    PopupMenu1Popup();
    // The chosen item is posted and runs after the menu's own loop.
    const ModalMoments::Scope moment(moments_);
    ::TrackPopupMenu(PopupMenu1.Get(), TPM_RIGHTBUTTON, screen.x, screen.y, 0, window_, nullptr);
}

int TForm1::ActivePage() const {
    return static_cast<int>(::SendMessageW(controls_.PageControl1, TCM_GETCURSEL, 0, 0));
}

// Any change of the page in front, by the user or the program, moves the
// focus to the first control of the new page.
void TForm1::SetActivePage(int page) {
    ShowPage(controls_, page);
    FocusFirstControl();
}

void TForm1::AttachMainMenu() {
    ::SetMenu(window_, ::GetMenuItemCount(MainMenu1.Get()) > 0 ? MainMenu1.Get() : nullptr);
}

void TForm1::PageControl1Change() {
    if (ActivePage() == kPageSettings)
        ::EnableWindow(controls_.ButtonOpenAnotherFolder, !AnotherFolderName.empty());
}

void TForm1::WMDropFiles(HDROP rawDrop) {
    UniqueDrop drop(rawDrop);  // released on every way out
    const std::wstring source = NormalizeSource(FirstDroppedPath(drop.Get()));
    WorkFileName = MakeWorkFileName(source);
    OpenWorkCopy(source, WorkFileName, false);
    drop.Reset();
    SetActivePage(kPageLog);
}

void TForm1::ButtonSelectClick() {
    FileOpenRequest request;
    request.owner = window_;
    if (IsExistingFolder(LastFolderName)) request.startFolder = LastFolderName;
    request.fileName = fileOpenDialogFileName_;
    for (const auto& [name, mask] : text::kFileTypes) request.fileTypes.emplace_back(name, mask);
    const std::optional<std::wstring> chosen = platform_.ChooseFileToOpen(request);
    if (!chosen) return;
    fileOpenDialogFileName_ = *chosen;
    WorkFileName = MakeWorkFileName(*chosen);
    OpenWorkCopy(*chosen, WorkFileName, false);
}

void TForm1::SetTempFolderClick() {
    const std::wstring candidate = IsExistingFolder(AnotherFolderName) ? AnotherFolderName : std::wstring();
    const std::optional<std::wstring> chosen =
        platform_.BrowseForFolder(window_, text::kChooseWorkFolder, candidate);
    if (!chosen) return;
    AnotherFolderName = *chosen;
    WorkFolder = AnotherFolderName;
    CheckModeButton(controls_.RadioButtonAnotherFolder);
    platform_.ShowPlainMessage(window_, std::wstring(text::kAnotherFolderChosen) + L"\r\n" + WorkFolder, ApplicationTitle());
    ::EnableWindow(controls_.ButtonOpenAnotherFolder, TRUE);
}

void TForm1::ButtonOpenAnotherFolderClick() {
    platform_.ShellOpen(window_, Quoted(AnotherFolderName));
}

void TForm1::ButtonOpenSystemTempFolderClick() {
    platform_.ShellOpen(window_, Quoted(SystemTempFolderPath()));
}

void TForm1::ResolveStartupWorkFolder() {
    const std::optional<WorkFolderMode> mode = CheckedMode();
    if (!mode) {
        CheckModeButton(controls_.RadioButtonSystemFolder);
        WorkFolder = SystemTempFolderPath();
        return;
    }
    WorkFolder = ResolveWorkFolder(*mode, AnotherFolderName);
}

void TForm1::TakeOneShotRoad(const std::wstring& argument) {
    const std::wstring source = NormalizeSource(AbsoluteSourcePath(argument));
    WorkFileName = MakeWorkFileName(source);
    OpenWorkCopy(source, WorkFileName, true);
}

void TForm1::TakeWindowRoad() {
    WorkFileName.clear();
    SetActivePage(HistoryList_.Count() > 0 ? kPageLog : kPageFile);
    const int show = windowState_ == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                     : windowState_ == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                              : SW_SHOWNORMAL;
    ::ShowWindow(window_, show);
    ::SetForegroundWindow(window_);
}

// The end of the Windows session closes without a question; a declined
// question saves nothing and keeps drops accepted.
bool TForm1::FormCloseQuery() {
    // Controls that are gone would read as unchecked and erase the settings.
    if (!HasLiveControls()) return false;
    const ModalMoments::Scope moment(moments_, ModalMoments::Kind::CloseQuery);
    if (EndSessionFlag == 1) {
        EndSessionFlag = 0;
    } else if (IsChecked(controls_.CheckBoxCloseQuery) &&
               platform_.ShowMessageBox(window_, text::kCloseQuestion, ApplicationTitle(),
                                        MB_YESNO | MB_ICONQUESTION) == IDNO) {
        return false;
    }
    SaveSettings();
    return true;
}

void TForm1::RequestEnd() {
    if (endRequested_) return;
    endRequested_ = true;
    ::PostQuitMessage(0);
}

std::wstring TForm1::MakeWorkFileName(const std::wstring& source) {
    if (WorkFolder.empty()) WorkFolder = FolderPartOf(source);
    return ToLongPathName(ComposeWorkPath(WorkFolder, WorkPathPrefix(options_.clock()), FileNamePartOf(source)));
}

// Copy, launch, record, then report: whatever the report's own loop lets
// through finds the source recorded. A cancelled copy leaves no trace:
// nothing launched, recorded or saved; the one-shot road then simply ends.
void TForm1::OpenWorkCopy(const std::wstring& source, const std::wstring& workPath, bool terminate) {
    const ModalMoments::Scope moment(moments_);
    const bool folder = IsExistingFolder(source);
    const CopyOutcome outcome = CopyToWorkPath(source, workPath, folder);
    if (outcome.cancelled) {
        ReportSkipped(outcome);
        if (terminate) RequestEnd();
        return;
    }
    platform_.ShellOpen(folder ? window_ : nullptr, Quoted(workPath));
    LastFolderName = ParentFolderOfSource(source);
    HistoryList_.RecordSource(source);
    ReportSkipped(outcome);
    if (terminate) {
        FormCloseQuery();  // its answer only decides whether the settings are saved
        RequestEnd();
    }
}

void TForm1::RadioButtonSystemFolderClick() {
    WorkFolder = ResolveWorkFolder(WorkFolderMode::SystemTempFolder, AnotherFolderName);
}

void TForm1::RadioButtonSameFolderClick() {
    WorkFolder = ResolveWorkFolder(WorkFolderMode::SameFolder, AnotherFolderName);
}

void TForm1::RadioButtonAnotherFolderClick() {
    WorkFolder = ResolveWorkFolder(WorkFolderMode::AnotherFolder, AnotherFolderName);
}

// Checking a radio button unchecks its siblings and runs its click behaviour;
// only the checked one is a tab stop.
void TForm1::CheckModeButton(HWND button) {
    if (IsChecked(button)) return;
    for (HWND sibling : {controls_.RadioButtonSystemFolder, controls_.RadioButtonSameFolder,
                         controls_.RadioButtonAnotherFolder})
        SetChecked(sibling, sibling == button);
    if (button == controls_.RadioButtonSystemFolder) RadioButtonSystemFolderClick();
    if (button == controls_.RadioButtonSameFolder) RadioButtonSameFolderClick();
    if (button == controls_.RadioButtonAnotherFolder) RadioButtonAnotherFolderClick();
}

void TForm1::SetModeButtonFromFlag(HWND button, bool checked) {
    if (checked) CheckModeButton(button);
    else SetChecked(button, false);
}

void TForm1::SetChecked(HWND button, bool checked) {
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG style = ::GetWindowLongW(button, GWL_STYLE);
    style = checked ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    ::SetWindowLongW(button, GWL_STYLE, style);
}

void TForm1::SetCheckBox(HWND checkBox, bool checked) {
    ::SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<WorkFolderMode> TForm1::CheckedMode() const {
    for (WorkFolderMode mode :
         {WorkFolderMode::SystemTempFolder, WorkFolderMode::AnotherFolder, WorkFolderMode::SameFolder}) {
        if (IsChecked(ModeButton(mode))) return mode;
    }
    return std::nullopt;
}

HWND TForm1::ModeButton(WorkFolderMode mode) const {
    switch (mode) {
        case WorkFolderMode::SystemTempFolder: return controls_.RadioButtonSystemFolder;
        case WorkFolderMode::SameFolder: return controls_.RadioButtonSameFolder;
        case WorkFolderMode::AnotherFolder: return controls_.RadioButtonAnotherFolder;
    }
    return nullptr;
}

WindowState TForm1::CurrentWindowState() const {
    if (!::IsWindowVisible(window_)) return windowState_;
    if (::IsIconic(window_)) return WindowState::Minimized;
    if (::IsZoomed(window_)) return WindowState::Maximized;
    return minimizedRecorded_ ? WindowState::Minimized : WindowState::Normal;
}

}  // namespace sorabako
