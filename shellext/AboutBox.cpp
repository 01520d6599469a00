#include "shellext/AboutBox.h"

#include "platform/DpiScale.h"
#include "platform/RandomGenerator.h"
#include "shellext/ProjectConstants.h"

namespace sorabako {
namespace {

constexpr wchar_t kAboutBoxClass[] = L"TAboutBox";
constexpr int kMarginAt96Dpi = 16;
constexpr int kIconSizeAt96Dpi = 32;
constexpr int kButtonWidthAt96Dpi = 75;
constexpr int kButtonHeightAt96Dpi = 25;

COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

}  // namespace

std::wstring AboutText(const AboutFacts& facts) {
    const std::wstring lines[] = {
        facts.title + L" " + facts.versionText + L" (" + facts.fileVersion + L") Release Build",
        facts.executable,
        L"CurrentScreen " + std::to_wstring(facts.screenWidth) + L" x " + std::to_wstring(facts.screenHeight),
        L"",
        project::kRightsNotice,
        project::kContact,
        project::kHomePage,
    };
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}

COLORREF DrawAboutColour() {
    return NextRandom(0xFFFFFF);
}

void PaintAboutGradient(HDC dc, const RECT& rect, COLORREF colour) {
    TRIVERTEX vertices[2] = {
        {rect.left, rect.top, 0xFF00, 0xFF00, 0xFF00, 0},
        {rect.right, rect.bottom, Channel(GetRValue(colour)), Channel(GetGValue(colour)), Channel(GetBValue(colour)), 0},
    };
    GRADIENT_RECT gradient{0, 1};
    ::GradientFill(dc, vertices, 2, &gradient, 1, colour % 2 == 0 ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

POINT AboutBoxPosition(const RECT& owner, SIZE box, const RECT& workArea) {
    POINT position{owner.left + ((owner.right - owner.left) - box.cx) / 2,
                   owner.top + ((owner.bottom - owner.top) - box.cy) / 2};
    if (position.x < workArea.left) position.x = workArea.left;
    if (position.y < workArea.top) position.y = workArea.top;
    return position;
}

AboutBox::AboutBox(HWND owner, std::wstring title, std::wstring text, HICON icon)
    : owner_(owner), title_(std::move(title)), text_(std::move(text)), icon_(icon) {}

AboutBox::~AboutBox() {
    if (window_) ::DestroyWindow(window_);
}

void AboutBox::Create() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kAboutBoxClass;
    ::RegisterClassExW(&windowClass);
    // Created over its owner, so that the box takes the DPI of the owner's
    // monitor from the start; a caption without a system menu: no close box.
    RECT ownerRect{};
    if (owner_) ::GetWindowRect(owner_, &ownerRect);
    ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kAboutBoxClass, title_.c_str(),
                      WS_POPUP | WS_CAPTION, ownerRect.left, ownerRect.top, 0, 0, owner_, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    CreateControls();
    const SIZE size = Layout(::GetDpiForWindow(window_));
    const POINT position = PositionOverOwner(size);
    ::SetWindowPos(window_, nullptr, position.x, position.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutBox::RunModal() {
    // The owner is disabled before the box shows, as for any modal dialog.
    ownerDisabled_ = owner_ && !::EnableWindow(owner_, FALSE);
    ::ShowWindow(window_, SW_SHOW);
    ::SetFocus(button_);
    MSG message{};
    while (window_ && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    if (message.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(message.wParam));
    EnableOwner();
}

bool AboutBox::PreTranslate(MSG& message) {
    return window_ && ::IsDialogMessageW(window_, &message);
}

// The owner is enabled before the box goes: destroying the active window while
// its owner is still disabled would hand activation to another program.
void AboutBox::Close() {
    EnableOwner();
    ::DestroyWindow(window_);
}

void AboutBox::EnableOwner() {
    if (!ownerDisabled_) return;
    ownerDisabled_ = false;
    ::EnableWindow(owner_, TRUE);
}

void AboutBox::CreateControls() {
    const auto child = [this](const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
        return ::CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                 nullptr);
    };
    iconControl_ = child(L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, -1);
    ::SendMessageW(iconControl_, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    textControl_ = child(L"STATIC", text_.c_str(), SS_LEFT | SS_NOPREFIX, -1);
    button_ = child(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
}

// Sizes the font and the controls for dpi; returns the box's outer size.
SIZE AboutBox::Layout(UINT dpi) {
    const auto scaled = [dpi](int value) { return ScaleForDpi(value, dpi); };
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    font_.Reset(::CreateFontIndirectW(&metrics.lfMessageFont));
    for (HWND control : {textControl_, button_})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);

    // The text wraps at word breaks within half the primary display's width.
    RECT textRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    {
        WindowDC dc(window_);
        SelectedObject selected(dc.Get(), font_.Get());
        ::DrawTextW(dc.Get(), text_.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int margin = scaled(kMarginAt96Dpi);
    const int iconSize = scaled(kIconSizeAt96Dpi);
    const int textLeft = margin + iconSize + margin;
    const int buttonWidth = scaled(kButtonWidthAt96Dpi);
    const int buttonHeight = scaled(kButtonHeightAt96Dpi);
    const int clientWidth = std::max<int>(textLeft + textRect.right + margin, buttonWidth + 2 * margin);
    const int buttonTop = margin + std::max<int>(iconSize, textRect.bottom) + margin;
    const int clientHeight = buttonTop + buttonHeight + margin;
    ::MoveWindow(iconControl_, margin, margin, iconSize, iconSize, FALSE);
    ::MoveWindow(textControl_, textLeft, margin, textRect.right, textRect.bottom, FALSE);
    ::MoveWindow(button_, (clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, FALSE);

    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongW(window_, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(::GetWindowLongW(window_, GWL_EXSTYLE)), dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

POINT AboutBox::PositionOverOwner(SIZE size) const {
    RECT ownerRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (owner_) ::GetWindowRect(owner_, &ownerRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromRect(&ownerRect, MONITOR_DEFAULTTONEAREST), &monitor);
    return AboutBoxPosition(ownerRect, size, monitor.rcWork);
}

// Moved to a monitor of another scale: the suggested place, our own size.
void AboutBox::OnDpiChanged(UINT dpi, const RECT& suggested) {
    const SIZE size = Layout(dpi);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK AboutBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<AboutBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AboutBox*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT AboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the gradient covers everything
        case WM_PAINT:
            AboutBoxPaint();
            return 0;
        case WM_CTLCOLORSTATIC:
            // Text and icon lie transparent over the gradient.
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == button_) {
                ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) Close();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETFOCUS:
            // Activation (a second start brings the box forward) gives the
            // box itself the focus; the keyboard belongs on its button.
            if (button_) ::SetFocus(button_);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

// A new colour, and with it a new direction, on every paint.
void AboutBox::AboutBoxPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    RECT client{};
    ::GetClientRect(window_, &client);
    PaintAboutGradient(dc, client, DrawAboutColour());
    ::EndPaint(window_, &paint);
}

}  // namespace sorabako
