#include "shellext/AboutBox.h"

#include "platform/DpiScale.h"
#include "platform/RandomGenerator.h"
#include "shellext/ProjectConstants.h"

#include <oleacc.h>

#include <cmath>

namespace sorabako {
namespace {

constexpr wchar_t kAboutBoxClass[] = L"TAboutBox";
constexpr int kMarginAt96Dpi = 16;
constexpr int kIconSizeAt96Dpi = 32;
constexpr int kButtonWidthAt96Dpi = 75;
constexpr int kButtonHeightAt96Dpi = 25;
constexpr UINT kTextFormat = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
constexpr COLORREF kDarkText = RGB(0, 0, 0);
constexpr COLORREF kLightText = RGB(255, 255, 255);

COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

bool RunsDown(COLORREF colour) { return colour % 2 == 0; }

// The relative luminance of an sRGB colour, from 0 (black) to 1 (white).
double Luminance(double red, double green, double blue) {
    const auto linear = [](double channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(red) + 0.7152 * linear(green) + 0.0722 * linear(blue);
}

// Below this luminance white text contrasts more than black does: there
// both give (L + 0.05) / 0.05 = 1.05 / (L + 0.05), about 4.6 to 1.
constexpr double kDarkBelow = 0.17913;

// The first pixel along the gradient from white to colour whose background
// white text reads better on; length when there is none.
int DarkFrom(COLORREF colour, int length) {
    for (int p = 0; p < length; ++p) {
        const double t = static_cast<double>(p) / length;
        const auto at = [t](BYTE end) { return 255.0 + (end - 255.0) * t; };
        if (Luminance(at(GetRValue(colour)), at(GetGValue(colour)), at(GetBValue(colour))) < kDarkBelow) return p;
    }
    return length;
}

void DrawTextIn(HDC dc, const std::wstring& text, RECT textRect, const RECT& part, COLORREF colour) {
    if (::IsRectEmpty(&part)) return;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
    ::SetTextColor(dc, colour);
    ::DrawTextW(dc, text.c_str(), -1, &textRect, kTextFormat);
    ::RestoreDC(dc, saved);
}

// Black over the light part of the gradient, white over the dark part, so
// that the text reads whatever colour the gradient ends in.
void DrawTextOverGradient(HDC dc, const std::wstring& text, const RECT& textRect, const RECT& client,
                          COLORREF colour) {
    RECT light = client;
    RECT dark = client;
    if (RunsDown(colour)) {
        light.bottom = dark.top = client.top + DarkFrom(colour, client.bottom - client.top);
    } else {
        light.right = dark.left = client.left + DarkFrom(colour, client.right - client.left);
    }
    DrawTextIn(dc, text, textRect, light, kDarkText);
    DrawTextIn(dc, text, textRect, dark, kLightText);
}

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
    ::GradientFill(dc, vertices, 2, &gradient, 1, RunsDown(colour) ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
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
    AnnotateForReaders();
    TakeKeyboardCues();
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
    // The label holds the text for readers and its place; the box draws the
    // text itself, in the colours of the same paint as the background.
    textControl_ = child(L"STATIC", text_.c_str(), SS_OWNERDRAW | SS_NOPREFIX, -1);
    button_ = child(L"BUTTON", L"&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
}

// A window of its own class is no dialog to a reader, which would then speak
// the caption and "OK" alone: as a dialog its text is read when it opens.
void AboutBox::AnnotateForReaders() {
    annotations_.Annotate(window_, AccessibleAnnotation{title_, ROLE_SYSTEM_DIALOG, {}});
    annotations_.Annotate(textControl_, AccessibleAnnotation{text_, ROLE_SYSTEM_STATICTEXT, {}});
    annotations_.Annotate(iconControl_, AccessibleAnnotation{title_, ROLE_SYSTEM_GRAPHIC, {}});
}

// As for the system's dialogs, the last input decides whether focus
// rectangles and access keys show; an owner that shows them means the user
// is on the keyboard, and the box shows them too.
void AboutBox::TakeKeyboardCues() {
    ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    if (owner_ && !(::SendMessageW(owner_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
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
        ::DrawTextW(dc.Get(), text_.c_str(), -1, &textRect, DT_CALCRECT | kTextFormat);
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
        case WM_PRINTCLIENT:
            PaintFace(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
            // The icon lies transparent over the gradient.
            ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        case WM_DRAWITEM:
            return TRUE;  // the label: its text is the box's to draw
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // High contrast turned on or off, or other system colours.
            ::InvalidateRect(window_, nullptr, TRUE);
            break;
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

void AboutBox::AboutBoxPaint() {
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(window_, &paint);
    PaintFace(dc);
    ::EndPaint(window_, &paint);
}

// A new colour, and with it a new direction, on every paint; with high
// contrast on, the system's window and text colours instead.
void AboutBox::PaintFace(HDC dc) {
    RECT client{};
    ::GetClientRect(window_, &client);
    RECT textRect{};
    ::GetWindowRect(textControl_, &textRect);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&textRect), 2);
    SelectedObject font(dc, font_.Get());
    ::SetBkMode(dc, TRANSPARENT);
    if (IsHighContrastOn()) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
        DrawTextIn(dc, text_, textRect, client, ::GetSysColor(COLOR_WINDOWTEXT));
        return;
    }
    const COLORREF colour = DrawAboutColour();
    PaintAboutGradient(dc, client, colour);
    DrawTextOverGradient(dc, text_, textRect, client, colour);
}

}  // namespace sorabako
