// Shortcut registration against a scratch folder standing in for the special
// folder, and the About box with its gradient, with real links and windows.
#include "platform/RandomGenerator.h"
#include "e2e/ProcessRunner.h"
#include "platform/FileVersion.h"
#include "platform/ShellLink.h"
#include "platform/UniqueHandle.h"
#include "shellext/AboutBox.h"
#include "shellext/ShortcutToggle.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <set>
#include <thread>

namespace sorabako {
namespace {

using Microsoft::WRL::ComPtr;
using test::Exists;
using test::Launch;

constexpr wchar_t kTitle[] = L"ソラバコ";

struct LinkContents {
    std::wstring target;
    std::wstring arguments;
    std::wstring iconPath;
};

LinkContents ReadLink(const std::wstring& path) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    link.As(&file);
    file->Load(path.c_str(), STGM_READ);
    wchar_t text[1024]{};
    LinkContents contents;
    link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
    contents.target = text;
    text[0] = 0;
    link->GetArguments(text, 1024);
    contents.arguments = text;
    text[0] = 0;
    int index = 0;
    link->GetIconLocation(text, 1024, &index);
    contents.iconPath = text;
    return contents;
}

void WriteEditedLink(const std::wstring& path, const std::wstring& target) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link));
    link.As(&file);
    link->SetPath(target.c_str());
    link->SetArguments(L"--edited");
    link->SetIconLocation(L"C:\\windows\\system32\\shell32.dll", 3);
    file->Save(path.c_str(), TRUE);
}

class ShortcutRegistration : public testing::Test {
protected:
    ShortcutContext Context() {
        return ShortcutContext{platform, nullptr, kTitle, executable, [this](int csidl) {
                                   requestedFolders.push_back(csidl);
                                   return folder;
                               }};
    }
    const test::ShownMessage& Message(std::size_t index) { return platform.messages.at(index); }

    test::ScratchFolder scratch;
    std::wstring folder = scratch.Path();  // no trailing "\": the rule adds one
    std::wstring link = scratch / L"ソラバコ.Lnk";
    std::wstring executable = test::BuildFolder() + L"\\Sorabako.exe";
    test::ScriptedPlatform platform;
    std::vector<int> requestedFolders;
};

TEST_F(ShortcutRegistration, CreatesALinkToTheExecutableAndShowsItSelected) {
    platform.answers = {IDYES};
    ToggleShortcut(Context(), CSIDL_SENDTO, L"送る");

    EXPECT_EQ(requestedFolders, std::vector<int>{CSIDL_SENDTO});
    EXPECT_EQ(ReadShortcutTarget(link), executable);
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(Message(0).text, link + L"\r\n新規作成しました。");
    EXPECT_EQ(Message(0).flags, 0u);
    EXPECT_EQ(Message(0).caption, kTitle);
    EXPECT_EQ(Message(1).text, L"フォルダ 送る を開きますか？");
    EXPECT_EQ(Message(1).flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].kind, Launch::Kind::Explorer);
    EXPECT_EQ(platform.launches[0].target, link);
}

TEST_F(ShortcutRegistration, CancelChangesNothingAndAsksNothingMore) {
    WriteEditedLink(link, L"C:\\old\\Sorabako.exe");
    const std::string before = test::ReadTextFile(link);
    platform.answers = {IDCANCEL};
    ToggleShortcut(Context(), CSIDL_DESKTOP, L"デスクトップ");

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(Message(0).text,
              L"ソラバコ.Lnk は既に存在します。\r\n更新しますか？\r\n[はい]: 更新, [いいえ]: 削除, [Cancel]: 取消し");
    EXPECT_EQ(Message(0).flags, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(test::ReadTextFile(link), before);
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ShortcutRegistration, UpdateReplacesAnEditedLinkByABareOne) {
    WriteEditedLink(link, L"C:\\old\\Sorabako.exe");
    platform.answers = {IDYES, IDNO};
    ToggleShortcut(Context(), CSIDL_PROGRAMS, L"スタートメニューのプログラム");

    const LinkContents contents = ReadLink(link);
    EXPECT_EQ(contents.target, executable);
    EXPECT_EQ(contents.arguments, L"");
    EXPECT_EQ(contents.iconPath, L"");
    EXPECT_EQ(Message(1).text, link + L"\r\n更新されました。");
    EXPECT_EQ(Message(2).text, L"フォルダ スタートメニューのプログラム を開きますか？");
    EXPECT_TRUE(platform.launches.empty());
}

TEST_F(ShortcutRegistration, DeleteRemovesTheLinkAndTheFolderItselfOpens) {
    ASSERT_EQ(SaveShortcut(scratch / L"ソラバコ.lnk", executable), S_OK);  // lower case counts as present
    platform.answers = {IDNO, IDYES};
    ToggleShortcut(Context(), CSIDL_STARTUP, L"スタートアップ");

    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(Message(1).text, link + L"\r\n削除しました。");
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].kind, Launch::Kind::Open);
    EXPECT_EQ(platform.launches[0].target, L"\"" + scratch.Path() + L"\\\"");
}

TEST_F(ShortcutRegistration, AFolderThatCannotBeWrittenReportsAndStillAsks) {
    folder = scratch / L"missing\\folder";
    platform.answers = {IDNO};
    ToggleShortcut(Context(), CSIDL_SENDTO, L"送る");
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(Message(0).text, folder + L"\\ソラバコ.Lnk\r\n新規作成できませんでした。");
    EXPECT_EQ(Message(1).text, L"フォルダ 送る を開きますか？");
}

// Failures reach the user as the failure message, never as a stop box or a
// link at the root of the current drive.
TEST_F(ShortcutRegistration, AFolderWithoutAPathOrALinkObjectIsAFailedCreation) {
    folder.clear();
    ::DeleteFileW(L"\\ソラバコ.Lnk");  // where the fault would put it: the root of the current drive
    ToggleShortcut(Context(), CSIDL_SENDTO, L"送る");
    ASSERT_EQ(platform.messages.size(), 1u) << "no folder question: there is no folder to open";
    EXPECT_EQ(Message(0).text, L"ソラバコ.Lnk\r\n新規作成できませんでした。");
    EXPECT_FALSE(Exists(L"\\ソラバコ.Lnk"));

    // Without COM on the thread the link object cannot be created at all.
    HRESULT result = S_OK;
    std::thread([&] { result = SaveShortcut(link, executable); }).join();
    EXPECT_TRUE(FAILED(result));
    EXPECT_FALSE(Exists(link));
}

TEST(AboutText, HasSevenLinesEndingWithALineBreak) {
    const std::wstring sorabako = test::BuildFolder() + L"\\Sorabako.exe";
    EXPECT_EQ(GetFileVersionText(sorabako), L"2.1.0.1");
    const std::wstring testProgram = test::BuildFolder() + L"\\integration_tests.exe";
    EXPECT_EQ(GetFileVersionText(testProgram), L"");

    const AboutFacts facts{kTitle, L"V2.1", GetFileVersionText(sorabako), sorabako, 1920, 1080};
    const std::wstring text = AboutText(facts);
    EXPECT_EQ(text.rfind(L"ソラバコ V2.1 (2.1.0.1) Release Build\r\n" + sorabako + L"\r\nCurrentScreen 1920 x 1080\r\n\r\n", 0),
              0u);
    EXPECT_EQ(text.substr(text.size() - 2), L"\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 7);
    EXPECT_NE(text.find(L"https://sorabako.example.org/\r\n"), std::wstring::npos);

    AboutFacts noVersion = facts;
    noVersion.fileVersion = GetFileVersionText(testProgram);
    EXPECT_EQ(AboutText(noVersion).rfind(L"ソラバコ V2.1 () Release Build\r\n", 0), 0u);
}

TEST(AboutBoxPlacement, CentresOverTheOwnerInsideTheWorkArea) {
    const RECT work{0, 0, 1920, 1040};
    EXPECT_EQ(AboutBoxPosition(RECT{100, 100, 500, 400}, SIZE{200, 100}, work).x, 200);
    EXPECT_EQ(AboutBoxPosition(RECT{100, 100, 500, 400}, SIZE{200, 100}, work).y, 200);
    const POINT clamped = AboutBoxPosition(RECT{-50, -20, 150, 80}, SIZE{400, 300}, work);
    EXPECT_EQ(clamped.x, 0);
    EXPECT_EQ(clamped.y, 0);
}

// The colour drawn at a pixel of a 32-bit top-down DIB.
struct Canvas {
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc.Reset(::CreateCompatibleDC(nullptr));
        bitmap.Reset(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
        ::SelectObject(dc.Get(), bitmap.Get());
    }
    COLORREF At(int x, int y) const {
        const DWORD pixel = bits[y * 64 + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    struct DcTraits {
        using Handle = HDC;
        static Handle Empty() noexcept { return nullptr; }
        static void Free(Handle h) noexcept { ::DeleteDC(h); }
    };
    UniqueHandle<DcTraits> dc;
    UniqueHandle<GdiObjectTraits<HBITMAP>> bitmap;
    DWORD* bits = nullptr;
};

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

TEST(AboutGradient, EvenColoursRunDownAndOddOnesAcross) {
    Canvas even;
    PaintAboutGradient(even.dc.Get(), RECT{0, 0, 64, 64}, RGB(0x20, 0x40, 0x80));  // 0x804020: even
    EXPECT_TRUE(Near(even.At(0, 0), RGB(255, 255, 255)));
    EXPECT_TRUE(Near(even.At(63, 0), RGB(255, 255, 255)));
    EXPECT_TRUE(Near(even.At(0, 63), RGB(0x20, 0x40, 0x80)));

    Canvas odd;
    PaintAboutGradient(odd.dc.Get(), RECT{0, 0, 64, 64}, RGB(0x21, 0x40, 0x80));
    EXPECT_TRUE(Near(odd.At(0, 63), RGB(255, 255, 255)));
    EXPECT_TRUE(Near(odd.At(63, 0), RGB(0x21, 0x40, 0x80)));
}

TEST(AboutGradient, ColoursVaryAndAreNeverWhite) {
    SeedRandomGenerator(12345);
    std::set<COLORREF> seen;
    for (int i = 0; i < 2000; ++i) {
        const COLORREF colour = DrawAboutColour();
        EXPECT_LE(colour, 0xFFFFFEu);
        seen.insert(colour);
    }
    EXPECT_GT(seen.size(), 1990u);
}

TEST(AboutBoxWindow, HasNoBorderIconsAndClosesOnEnterAndEsc) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        AboutBox box(nullptr, kTitle, L"line\r\n", ::LoadIconW(nullptr, IDI_APPLICATION));
        box.Create();
        HWND window = box.Handle();
        ASSERT_TRUE(window);
        EXPECT_FALSE(::GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU);
        wchar_t text[64]{};
        ::GetWindowTextW(window, text, 64);
        EXPECT_STREQ(text, kTitle);
        HWND ok = ::GetDlgItem(window, IDOK);
        ::GetWindowTextW(ok, text, 64);
        EXPECT_STREQ(text, L"&OK");
        EXPECT_EQ(::GetWindowLongW(ok, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));

        MSG message{ok, WM_KEYDOWN, key, 0, 0, {}};
        EXPECT_TRUE(box.PreTranslate(message));
        MSG queued{};
        while (::PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&queued);
        EXPECT_FALSE(::IsWindow(window)) << "key " << key;
    }
}

// Seen from the box's own destruction: by then its owner must be enabled, or
// Windows hands the activation to another program.
HWND g_aboutOwner = nullptr;
bool g_ownerEnabledAtDestroy = false;
LRESULT CALLBACK WatchDestroy(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_DESTROY && ::GetWindow(call->hwnd, GW_OWNER) == g_aboutOwner)
        g_ownerEnabledAtDestroy = ::IsWindowEnabled(g_aboutOwner);
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(AboutBoxWindow, EnablesItsOwnerBeforeItGoesAndFollowsTheDpi) {
    UniqueWindow owner(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 300,
                                         nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
    AboutBox box(owner.Get(), kTitle, L"line\r\n", ::LoadIconW(nullptr, IDI_APPLICATION));
    box.Create();
    HWND ok = ::GetDlgItem(box.Handle(), IDOK);
    RECT button{};
    ::GetClientRect(ok, &button);
    EXPECT_EQ(button.right, 75);
    RECT suggested{10, 20, 400, 300};
    ::SendMessageW(box.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    ::GetClientRect(ok, &button);
    EXPECT_EQ(button.right, 113) << "75 pixels at 96 DPI are 112.5, rounded, at 144";
    RECT moved{};
    ::GetWindowRect(box.Handle(), &moved);
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.top, 20);

    g_aboutOwner = owner.Get();
    UniqueHook hook(::SetWindowsHookExW(WH_CALLWNDPROC, WatchDestroy, nullptr, ::GetCurrentThreadId()));
    ::PostMessageW(box.Handle(), WM_COMMAND, IDOK, 0);
    box.RunModal();
    EXPECT_TRUE(g_ownerEnabledAtDestroy);
    EXPECT_TRUE(::IsWindowEnabled(owner.Get()));
}

}  // namespace
}  // namespace sorabako
