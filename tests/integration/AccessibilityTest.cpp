// What screen readers and users of high contrast get from the real main
// window and the real About box. Where Wine answers (the names the
// accessibility API derives from the controls) the API is asked; where it
// keeps nothing (the annotation service, keyboard cues, high contrast) the
// program's calls are read at the platform seam.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "e2e/ProcessRunner.h"
#include "platform/Accessibility.h"
#include "platform/RandomGenerator.h"
#include "shellext/AboutBox.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/Screenshot.h"
#include "support/TForm1Probe.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <map>

namespace sorabako {
namespace {

// The annotations the program asked for, by window, while it lives.
class AnnotationsSeen {
public:
    AnnotationsSeen() {
        SetAnnotationWatcher([this](HWND window, const AccessibleAnnotation& annotation) {
            AccessibleAnnotation& merged = seen[window];
            if (annotation.name.empty() && annotation.role == 0 && annotation.description.empty()) ++cleared[window];
            if (!annotation.name.empty()) merged.name = annotation.name;
            if (annotation.role != 0) merged.role = annotation.role;
            if (!annotation.description.empty()) ++descriptions[window];
        });
    }
    ~AnnotationsSeen() { SetAnnotationWatcher({}); }
    AnnotationsSeen(const AnnotationsSeen&) = delete;
    AnnotationsSeen& operator=(const AnnotationsSeen&) = delete;

    std::map<HWND, AccessibleAnnotation> seen;  // the properties sent, merged
    std::map<HWND, int> cleared;
    std::map<HWND, int> descriptions;
};

// What the accessibility API reports for a window's client object.
struct Reported {
    std::wstring name;
    long role = 0;
};

Reported Report(HWND window) {
    Microsoft::WRL::ComPtr<IAccessible> accessible;
    Reported reported;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                            reinterpret_cast<void**>(accessible.GetAddressOf()))))
        return reported;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (accessible->get_accName(self, &name) == S_OK && name) reported.name = name;
    ::SysFreeString(name);
    VARIANT role{};
    if (SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4) reported.role = role.lVal;
    return reported;
}

// The name a reader speaks: the annotated one where the program gave one,
// else what the API derives from the control.
std::wstring SpokenName(const AnnotationsSeen& annotations, HWND window) {
    const auto annotated = annotations.seen.find(window);
    if (annotated != annotations.seen.end() && !annotated->second.name.empty()) return annotated->second.name;
    return Report(window).name;
}

class ReaderNames : public testing::Test {
protected:
    void SetUp() override {
        form = CreateTestForm(platform, scratch / L"s.ini");
    }
    void TearDown() override {
        form.reset();
        DrainQueueSawQuit();
    }

    AnnotationsSeen annotations;
    test::ScratchFolder scratch;
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
};

TEST_F(ReaderNames, EveryControlIsNamedTheListAfterItsPageAndEachPageAsAPage) {
    const auto& c = TForm1Probe{*form}.Controls();
    // Wine derives names from the controls' texts, as Windows does, the access-key mark left out.
    EXPECT_EQ(Report(c.ButtonSelect).name, L"開くファイルを選択");
    for (HWND page : c.Pages()) {
        for (HWND control = ::GetWindow(page, GW_CHILD); control; control = ::GetWindow(control, GW_HWNDNEXT))
            EXPECT_FALSE(SpokenName(annotations, control).empty()) << "control " << ::GetDlgCtrlID(control);
    }
    EXPECT_EQ(SpokenName(annotations, c.ListBox1), L"履 歴");
    EXPECT_EQ(annotations.seen[c.ListBox1].role, 0) << "the list keeps the role the system gives it";
    EXPECT_TRUE(annotations.cleared.empty() && annotations.descriptions.empty()) << "an empty text went to the system";

    const std::wstring captions[] = {L"ファイル", L"設 定", L"履 歴", L"ヘルプ"};
    for (std::size_t i = 0; i < c.Pages().size(); ++i) {
        ASSERT_TRUE(annotations.seen.count(c.Pages()[i])) << "page " << i;
        EXPECT_EQ(annotations.seen[c.Pages()[i]].name, captions[i]);
        EXPECT_EQ(annotations.seen[c.Pages()[i]].role, ROLE_SYSTEM_PROPERTYPAGE);
    }

    HWND pageWindow = c.TabSheetLog;
    form.reset();
    EXPECT_EQ(annotations.cleared[pageWindow], 1) << "the annotations stay behind the window";
}

HWND TextLabel(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[64]{};
        ::GetWindowTextW(child, text, 64);
        if (std::wstring_view(text).starts_with(L"ソラバコ V2.1")) return child;
    }
    return nullptr;
}

const wchar_t kAboutText[] = L"ソラバコ V2.1 (2.1.0.1) Release Build\r\nC:\\Sorabako.exe\r\n";

TEST(AboutBoxReading, IsADialogWhoseTextIsRead) {
    AnnotationsSeen annotations;
    HWND label = nullptr;
    HWND window = nullptr;
    {
        AboutBox box(nullptr, L"ソラバコ", kAboutText, ::LoadIconW(nullptr, IDI_APPLICATION));
        box.Create();
        window = box.Handle();
        label = TextLabel(window);
        ASSERT_TRUE(label);
        EXPECT_EQ(annotations.seen[window].role, ROLE_SYSTEM_DIALOG);
        EXPECT_EQ(SpokenName(annotations, window), L"ソラバコ");
        EXPECT_EQ(Report(label).name, kAboutText) << "the label holds the text";
        EXPECT_EQ(SpokenName(annotations, label), kAboutText);
        EXPECT_EQ(Report(::GetDlgItem(window, IDOK)).name, L"OK");
    }
    EXPECT_EQ(annotations.cleared[window], 1);
    EXPECT_EQ(annotations.cleared[label], 1);
}

// The UI-state changes each window was asked for, in order.
std::vector<std::pair<HWND, WPARAM>> g_uiStateChanges;
LRESULT CALLBACK WatchUiState(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_CHANGEUISTATE) g_uiStateChanges.emplace_back(call->hwnd, call->wParam);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// An owner that hides its cues, as a window used with the mouse does on Windows.
LRESULT CALLBACK MouseOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_QUERYUISTATE) return UISF_HIDEFOCUS | UISF_HIDEACCEL;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Wine shows keyboard cues always and keeps no UI state; the requests are read instead.
std::vector<WPARAM> CueRequestsOfABoxOver(HWND owner) {
    g_uiStateChanges.clear();
    UniqueHook hook(::SetWindowsHookExW(WH_CALLWNDPROC, WatchUiState, nullptr, ::GetCurrentThreadId()));
    AboutBox box(owner, L"ソラバコ", kAboutText, ::LoadIconW(nullptr, IDI_APPLICATION));
    box.Create();
    std::vector<WPARAM> requests;
    for (const auto& [window, request] : g_uiStateChanges)
        if (window == box.Handle()) requests.push_back(request);
    return requests;
}

TEST(AboutBoxKeyboardCues, ShowWhenItsOwnerShowsThemAndOtherwiseFollowTheLastInput) {
    const WPARAM fromLastInput = MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL);
    const WPARAM show = MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL);

    UniqueWindow keyboardOwner(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                                 nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_EQ(::SendMessageW(keyboardOwner.Get(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS, 0);
    EXPECT_EQ(CueRequestsOfABoxOver(keyboardOwner.Get()), (std::vector<WPARAM>{fromLastInput, show}));

    WNDCLASSW mouseClass{};
    mouseClass.lpfnWndProc = MouseOwnerProc;
    mouseClass.hInstance = ::GetModuleHandleW(nullptr);
    mouseClass.lpszClassName = L"SorabakoMouseOwner";
    ::RegisterClassW(&mouseClass);
    UniqueWindow mouseOwner(::CreateWindowExW(0, mouseClass.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 300,
                                              300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    EXPECT_EQ(CueRequestsOfABoxOver(mouseOwner.Get()), std::vector<WPARAM>{fromLastInput});
}

// The client of a box as WM_PRINTCLIENT paints it, pixel by pixel.
class ClientPicture {
public:
    explicit ClientPicture(HWND window) {
        ::GetClientRect(window, &client_);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), client_.right, -client_.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_.Reset(::CreateCompatibleDC(nullptr));
        bitmap_.Reset(::CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        SelectedObject selected(dc_.Get(), bitmap_.Get());
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Get()), PRF_CLIENT);
    }
    COLORREF At(int x, int y) const {
        const DWORD pixel = bits_[y * client_.right + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // How many pixels of rect pass the test.
    template <typename Test>
    int Count(const RECT& rect, Test test) const {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) count += test(At(x, y)) ? 1 : 0;
        return count;
    }
    const RECT& Client() const { return client_; }

private:
    struct DcTraits {
        using Handle = HDC;
        static Handle Empty() noexcept { return nullptr; }
        static void Free(Handle h) noexcept { ::DeleteDC(h); }
    };
    RECT client_{};
    UniqueHandle<DcTraits> dc_;
    UniqueHandle<GdiObjectTraits<HBITMAP>> bitmap_;
    DWORD* bits_ = nullptr;
};

int Brightness(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); }

// A seed whose first colour is nearly black and runs the given way (even: down).
std::uint64_t SeedForADarkEnd(bool down) {
    for (std::uint64_t seed = 1;; ++seed) {
        SeedRandomGenerator(seed);
        const COLORREF colour = DrawAboutColour();
        if (Brightness(colour) < 60 && (colour % 2 == 0) == down) return seed;
    }
}

RECT LabelRect(HWND box) {
    RECT r{};
    ::GetWindowRect(TextLabel(box), &r);
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring Lines(wchar_t letter) {
    std::wstring text = L"ソラバコ V2.1\r\n";
    for (int i = 0; i < 11; ++i) text += std::wstring(40, letter) + L"\r\n";
    return text;
}

// Over a gradient that ends nearly black, the text shows dark where the
// gradient is light and light where it is dark, running down or across.
TEST(AboutBoxColours, TheTextReadsWhateverColourTheGradientEndsIn) {
    SetHighContrastForTests(false);
    for (bool down : {true, false}) {
        AboutBox box(nullptr, L"ソラバコ", Lines(L'M'), ::LoadIconW(nullptr, IDI_APPLICATION));
        box.Create();
        SeedRandomGenerator(SeedForADarkEnd(down));
        const ClientPicture picture(box.Handle());
        const RECT text = LabelRect(box.Handle());
        RECT lightEnd = text;
        RECT darkEnd = text;
        const RECT& client = picture.Client();
        if (down) {
            lightEnd.bottom = client.bottom / 4;
            darkEnd.top = client.bottom * 3 / 5;
        } else {
            lightEnd.right = client.right / 4;
            darkEnd.left = client.right * 4 / 5;
        }
        EXPECT_GT(picture.Count(lightEnd, [](COLORREF c) { return Brightness(c) < 150; }), 50) << down;
        EXPECT_GT(picture.Count(darkEnd, [](COLORREF c) { return Brightness(c) > 600; }), 50) << down;
    }
    SetHighContrastForTests(std::nullopt);
}

TEST(AboutBoxColours, HighContrastPaintsWithTheSystemsWindowAndTextColours) {
    SetHighContrastForTests(true);
    UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 400, 300,
                                         nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    AboutBox box(owner.Get(), L"ソラバコ", Lines(L'M'), ::LoadIconW(nullptr, IDI_APPLICATION));
    box.Create();
    SeedRandomGenerator(SeedForADarkEnd(false));
    const ClientPicture picture(box.Handle());
    const RECT& client = picture.Client();
    EXPECT_EQ(picture.At(client.right - 1, client.bottom - 1), ::GetSysColor(COLOR_WINDOW)) << "a gradient";
    EXPECT_GT(picture.Count(LabelRect(box.Handle()),
                            [](COLORREF c) { return c == ::GetSysColor(COLOR_WINDOWTEXT); }),
              100);

    // For the eye: the box as the screen shows it in high contrast.
    ::ShowWindow(box.Handle(), SW_SHOW);
    ::UpdateWindow(box.Handle());
    const std::wstring folder = test::BuildFolder() + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(test::SaveWindowScreenshot(box.Handle(), folder + L"\\about-high-contrast.bmp"));
    SetHighContrastForTests(std::nullopt);
}

}  // namespace
}  // namespace sorabako
