// The main window's keyboard: the focus follows the page in front, Tab cycles
// among that page's controls, Ctrl+Tab and Ctrl+PageDown/PageUp change pages,
// the focused push button is the one Enter presses, F1 shows the help and
// Delete in the history removes the selected entry.
#include "app/MainForm.h"

#include "app/ControlIds.h"

#include <commctrl.h>

#include <algorithm>

namespace sorabako {
namespace {

constexpr int kPageCount = 4;

bool IsKeyDown(int key) {
    return ::GetKeyState(key) < 0;
}

}  // namespace

// Runs before the dialog manager: these keys mean the same wherever the focus
// is inside the window.
bool TForm1::PreTranslateKey(const MSG& message) {
    if (message.message != WM_KEYDOWN || !window_) return false;
    if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
    const bool control = IsKeyDown(VK_CONTROL);
    const bool shift = IsKeyDown(VK_SHIFT);
    switch (message.wParam) {
        case VK_TAB:
            if (control) ShowAdjacentPage(shift ? -1 : 1);
            else MoveFocusInPage(shift);
            break;
        case VK_NEXT:
        case VK_PRIOR:
            if (!control) return false;
            ShowAdjacentPage(message.wParam == VK_NEXT ? 1 : -1);
            break;
        case VK_UP:
        case VK_LEFT:
        case VK_DOWN:
        case VK_RIGHT:
            // Only the checked radio button is a tab stop: the arrows reach the
            // others. Elsewhere they move nothing, so that no push button or
            // check box hands the focus (and with it a click) to a mode; the
            // list keeps its own arrows.
            if (::GetFocus() == controls_.ListBox1) return false;
            MoveAmongModeButtons(::GetFocus(), message.wParam == VK_UP || message.wParam == VK_LEFT);
            break;
        case VK_ESCAPE:
            return true;  // the main window has no cancel button
        case VK_F1:
            if (control || shift) return false;
            PressButton(kIdButtonHelp, controls_.ButtonHelp);
            break;
        case VK_DELETE:
            if (control || shift || ::GetFocus() != controls_.ListBox1) return false;
            ChooseMenuItem(kIdDeleteP1);
            break;
        default:
            return false;
    }
    // The user is on the keyboard now: focus rectangles show from here on.
    ::SendMessageW(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

// The keys take the road of the button and the menu item, so that they are
// refused whenever a click on those would be.
void TForm1::PressButton(int id, HWND button) {
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void TForm1::ChooseMenuItem(int id) {
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void TForm1::ShowAdjacentPage(int step) {
    ChangePageAsUser((ActivePage() + step + kPageCount) % kPageCount);
}

// A page brought to the front by the user, by mouse or keyboard alike.
void TForm1::ChangePageAsUser(int page) {
    SetActivePage(page);
    PageControl1Change();
    if (!IsUsableFocus(::GetFocus())) FocusFirstControl();
}

// As in a dialog's radio group: the arrow moves the focus to the next mode
// and checks it, wrapping around.
void TForm1::MoveAmongModeButtons(HWND focus, bool backward) {
    const HWND modes[] = {controls_.RadioButtonSystemFolder, controls_.RadioButtonSameFolder,
                          controls_.RadioButtonAnotherFolder};
    const auto current = std::find(std::begin(modes), std::end(modes), focus);
    if (current == std::end(modes)) return;
    const auto index = static_cast<std::size_t>(current - std::begin(modes));
    HWND next = modes[(index + (backward ? 2 : 1)) % 3];
    FocusControl(next);
    CheckModeButton(next);
}

void TForm1::MoveFocusInPage(bool backward) {
    const std::vector<HWND> stops = TabStops(ActivePageWindow());
    if (stops.empty()) return;
    const auto current = std::find(stops.begin(), stops.end(), ::GetFocus());
    HWND next = nullptr;
    if (current == stops.end()) next = backward ? stops.back() : stops.front();
    else if (backward) next = current == stops.begin() ? stops.back() : *(current - 1);
    else next = current + 1 == stops.end() ? stops.front() : *(current + 1);
    FocusControl(next);
}

// The page's tab stops in tab order: its visible, enabled children that are
// tab stops (of the radio buttons only the checked one). The style bit is
// read, not IsWindowVisible, so that this holds while the window is hidden.
std::vector<HWND> TForm1::TabStops(HWND page) {
    std::vector<HWND> stops;
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) stops.push_back(child);
    }
    return stops;
}

HWND TForm1::ActivePageWindow() const {
    const int page = ActivePage();
    return page >= 0 && page < kPageCount ? controls_.Pages()[static_cast<std::size_t>(page)] : nullptr;
}

bool TForm1::IsUsableFocus(HWND control) const {
    if (!control || !::IsChild(ActivePageWindow(), control)) return false;
    const LONG style = ::GetWindowLongW(control, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void TForm1::FocusFirstControl() {
    const std::vector<HWND> stops = TabStops(ActivePageWindow());
    FocusControl(stops.empty() ? nullptr : stops.front());
}

// Remembered while the window is inactive or hidden; given at once otherwise.
void TForm1::FocusControl(HWND control) {
    OnControlFocus(control);
    if (control && ::GetActiveWindow() == window_) ::SetFocus(control);
}

void TForm1::RestoreFocus() {
    if (IsUsableFocus(focusedControl_)) FocusControl(focusedControl_);
    else FocusFirstControl();
}

// Every control reports when it takes the focus, so the last one is always
// known, also across deactivation.
//
// A focused push button is drawn as the default and is what Enter presses;
// elsewhere the page's own default button, if it has one, takes that look.
void TForm1::OnControlFocus(HWND control) {
    focusedControl_ = control;
    HWND chosen = IsPushButton(control) ? control : DefaultButtonOfPage(ActivePage());
    for (HWND page : controls_.Pages()) {
        for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (IsPushButton(child)) ShowAsDefault(child, child == chosen);
        }
    }
}

HWND TForm1::DefaultButtonOfPage(int page) const {
    switch (page) {
        case kPageFile: return controls_.ButtonSelect;
        case kPageHelp: return controls_.ButtonHelp;
        default: return nullptr;
    }
}

void TForm1::ShowAsDefault(HWND button, bool isDefault) {
    const LONG style = ::GetWindowLongW(button, GWL_STYLE);
    const LONG type = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) == type) return;
    ::SendMessageW(button, BM_SETSTYLE, static_cast<WPARAM>((style & 0xFFFF & ~BS_TYPEMASK) | type), TRUE);
}

}  // namespace sorabako
