#pragma once
// The About box: the program's icon, the About text over a random two-colour
// gradient, and one "&OK" button that Enter and Esc press as well. Readers
// hear it as a dialog with its text; with high contrast on it takes the
// system's colours.
#include "platform/Accessibility.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace sorabako {

struct AboutFacts {
    std::wstring title;
    std::wstring versionText;  // "V2.1"
    std::wstring fileVersion;  // empty without a version block
    std::wstring executable;
    int screenWidth = 0;
    int screenHeight = 0;
};

// Seven lines, each ending with CR LF.
std::wstring AboutText(const AboutFacts& facts);

// A colour from 0 to 0xFFFFFE drawn from the program's generator: never white.
COLORREF DrawAboutColour();

// White to colour over rect: top to bottom for an even colour, left to right for an odd one.
void PaintAboutGradient(HDC dc, const RECT& rect, COLORREF colour);

// Where the box goes: centred over the owner, moved into the work area's left and top.
POINT AboutBoxPosition(const RECT& owner, SIZE box, const RECT& workArea);

class AboutBox {
public:
    AboutBox(HWND owner, std::wstring title, std::wstring text, HICON icon);
    ~AboutBox();
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    // Creates the box hidden; RunModal disables the owner, shows it and waits until it closes.
    void Create();
    void RunModal();
    HWND Handle() const noexcept { return window_; }
    // Handles Enter and Esc for the box; true when the message was for it.
    bool PreTranslate(MSG& message);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void AnnotateForReaders();
    void TakeKeyboardCues();
    SIZE Layout(UINT dpi);
    POINT PositionOverOwner(SIZE size) const;
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void Close();
    void EnableOwner();
    void AboutBoxPaint();
    void PaintFace(HDC dc);

    HWND owner_;
    std::wstring title_;
    std::wstring text_;
    HICON icon_;
    HWND window_ = nullptr;
    HWND iconControl_ = nullptr;
    HWND textControl_ = nullptr;
    HWND button_ = nullptr;
    UniqueFont font_;
    AccessibleAnnotations annotations_;
    bool ownerDisabled_ = false;
};

}  // namespace sorabako
