#include "app/MainForm.h"

#include "app/AppTitle.h"
#include "app/ErrorReport.h"
#include "app/ResourceIds.h"
#include "app/SingleInstance.h"
#include "app/Strings.h"
#include "platform/FileSystem.h"
#include "workcopy/FolderTreeCopy.h"
#include "workcopy/WorkPath.h"

#include <shellapi.h>

namespace sorabako {
namespace {

constexpr int kDesignWidth = 384;
constexpr int kDesignHeight = 360;
constexpr int kFontHeightAt96Dpi = -11;

int Scaled(int valueAt96Dpi, UINT dpi) { return ::MulDiv(valueAt96Dpi, static_cast<int>(dpi), 96); }

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

HWND CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* caption, DWORD style) {
    return ::CreateWindowExW(0, windowClass, caption, WS_CHILD | style, 0, 0, 0, 0, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

bool IsChecked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
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
    const int width = kDesignWidth;
    const int height = kDesignHeight;
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    ::CreateWindowExW(0, names::kMainWindowClass, ApplicationTitle().c_str(),
                      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, left, top, width, height, nullptr, nullptr,
                      instance, this);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (!options_.instanceName.empty()) MarkRunningInstance(window_, options_.instanceName);
            FormCreate();
            return 0;
        case WM_SIZE:
            FormResize();
            return 0;
        case WM_CLOSE:
            if (FormCloseQuery()) ::DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

void TForm1::ReportError(const AppError& error) {
    ShowErrorReport(platform_, window_, error);
}

bool TForm1::AppMessageHook(MSG&) {
    return false;
}

void TForm1::ApplyStartupShowCommand(int showCommand) {
    if (showCommand == SW_SHOWMAXIMIZED) {
        windowState_ = WindowState::Maximized;
        if (::IsWindowVisible(window_)) ::ShowWindow(window_, SW_MAXIMIZE);
    } else if (showCommand == SW_SHOWMINNOACTIVE) {
        // Recorded only: the state is stored with the settings, nothing visible changes.
        windowState_ = WindowState::Minimized;
    }
}

// The creation sequence. An error stops it at its step; on the one-shot road
// the hidden window would then wait for nothing, so the program ends.
void TForm1::FormCreate() {
    try {
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
    const UINT dpi = ::GetDpiForWindow(window_);
    font_.Reset(::CreateFontW(Scaled(kFontHeightAt96Dpi, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, names::kMainWindowFont));
    ListBox1 = CreateChild(window_, L"LISTBOX", L"",
                           WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                               LBS_NOINTEGRALHEIGHT);
    RadioButtonSystemFolder = CreateChild(window_, L"BUTTON", text::kModeSystemFolder, BS_RADIOBUTTON);
    RadioButtonSameFolder = CreateChild(window_, L"BUTTON", text::kModeSameFolder, BS_RADIOBUTTON);
    RadioButtonAnotherFolder = CreateChild(window_, L"BUTTON", text::kModeAnotherFolder, BS_RADIOBUTTON);
    for (HWND control : {ListBox1, RadioButtonSystemFolder, RadioButtonSameFolder, RadioButtonAnotherFolder})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    HistoryList_ = HistoryList(ListBox1);
    FormResize();
}

void TForm1::FormResize() {
    RECT client{};
    ::GetClientRect(window_, &client);
    if (ListBox1) ::MoveWindow(ListBox1, 0, 0, client.right, client.bottom, TRUE);
}

void TForm1::LoadSettings() {
    // Nothing is stored yet: an empty history loaded by the loading protocol.
    HistoryList_.BeginLoad();
    HistoryList_.ApplyHistoryExtent();
}

void TForm1::SaveSettings() {}

void TForm1::ResolveStartupWorkFolder() {
    const std::optional<WorkFolderMode> mode = CheckedMode();
    if (!mode) {
        CheckModeButton(RadioButtonSystemFolder);
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
    activePage_ = HistoryList_.Count() > 0 ? FormPage::Log : FormPage::File;
    const int show = windowState_ == WindowState::Maximized   ? SW_SHOWMAXIMIZED
                     : windowState_ == WindowState::Minimized ? SW_SHOWMINIMIZED
                                                              : SW_SHOWNORMAL;
    ::ShowWindow(window_, show);
    ::SetForegroundWindow(window_);
}

bool TForm1::FormCloseQuery() {
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

void TForm1::OpenWorkCopy(const std::wstring& source, const std::wstring& workPath, bool terminate) {
    if (IsExistingFolder(source)) {
        CopyFolderTree(source, workPath);
        platform_.ShellOpen(window_, Quoted(workPath));
    } else {
        CopyFileOverwriting(source, workPath);
        platform_.ShellOpen(nullptr, Quoted(workPath));
    }
    LastFolderName = ParentFolderOfSource(source);
    HistoryList_.RecordSource(source);
    if (terminate) {
        FormCloseQuery();  // its answer only decides whether the settings are saved
        RequestEnd();
    }
}

void TForm1::RadioButtonSystemFolderClick() {
    WorkFolder = SystemTempFolderPath();
}

void TForm1::CheckModeButton(HWND button) {
    for (HWND sibling : {RadioButtonSystemFolder, RadioButtonSameFolder, RadioButtonAnotherFolder})
        ::SendMessageW(sibling, BM_SETCHECK, sibling == button ? BST_CHECKED : BST_UNCHECKED, 0);
    if (button == RadioButtonSystemFolder) RadioButtonSystemFolderClick();
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
        case WorkFolderMode::SystemTempFolder: return RadioButtonSystemFolder;
        case WorkFolderMode::SameFolder: return RadioButtonSameFolder;
        case WorkFolderMode::AnotherFolder: return RadioButtonAnotherFolder;
    }
    return nullptr;
}

}  // namespace sorabako
