#pragma once
// The component tree of the main window: a page control with four pages and
// their controls. Creation and placement only; what the controls do lives in
// the form's handlers.
#include "platform/Accessibility.h"

#include <windows.h>

#include <array>

namespace sorabako {

struct MainControls {
    HWND PageControl1 = nullptr;
    HWND TabSheetFile = nullptr;
    HWND TabSheetSettings = nullptr;
    HWND TabSheetLog = nullptr;
    HWND TabSheetHelp = nullptr;

    HWND ButtonSelect = nullptr;
    HWND ButtonSendTo = nullptr;
    HWND ButtonDeskTop = nullptr;
    HWND ButtonStartMenu = nullptr;
    HWND ButtonStartUp = nullptr;

    HWND GroupBox2 = nullptr;
    HWND RadioButtonSystemFolder = nullptr;
    HWND ButtonOpenSystemTempFolder = nullptr;
    HWND RadioButtonSameFolder = nullptr;
    HWND RadioButtonAnotherFolder = nullptr;
    HWND ButtonSelectAnotherTempFolder = nullptr;
    HWND ButtonOpenAnotherFolder = nullptr;
    HWND GroupBox1 = nullptr;
    HWND CheckBoxCloseQuery = nullptr;
    HWND CheckBoxSaveStatus = nullptr;

    HWND ListBox1 = nullptr;

    HWND ButtonHelp = nullptr;
    HWND ButtonAbout = nullptr;
    HWND ButtonProperties = nullptr;
    HWND ButtonDonation = nullptr;
    HWND ButtonHomeSite = nullptr;

    // In page order: File, Settings, History, Help.
    std::array<HWND, 4> Pages() const { return {TabSheetFile, TabSheetSettings, TabSheetLog, TabSheetHelp}; }
};

// Creates every control as a child of form, in tab order.
MainControls CreateMainControls(HWND form);

void ApplyFont(const MainControls& controls, HFONT font);

// What readers speak where a control's own text says nothing: the list is
// named after its page, and each page is announced as a page with its
// caption when the focus enters it.
void AnnotateMainControls(const MainControls& controls, AccessibleAnnotations& annotations);

// Places every control for the form's current client size at dpi, and sets
// the tab width. captionTextHeight is the text height of the controls' font.
void LayoutMainControls(const MainControls& controls, HWND form, UINT dpi, int captionTextHeight);

inline bool IsChecked(HWND button) {
    return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A push button, default-looking or not; not a radio button, check box or group box.
bool IsPushButton(HWND control);

// Shows the page at index and hides the others.
void ShowPage(const MainControls& controls, int index);

}  // namespace sorabako
