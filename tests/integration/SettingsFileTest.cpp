// LoadSettings and SaveSettings of the real main window against real files.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "settings/IniDocument.h"
#include "settings/ProfileReader.h"
#include "support/ScratchFolder.h"
#include "support/ScriptedPlatform.h"
#include "support/TForm1Probe.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using test::ReadTextFile;
using test::WriteTextFile;

class SettingsFile : public testing::Test {
protected:
    void SetUp() override {
        DrainQueueSawQuit();
        SetApplicationTitle(L"ソラバコ");
    }
    void TearDown() override {
        if (form && form->Handle()) ::SetWindowLongPtrW(form->Handle(), GWL_STYLE, WS_OVERLAPPEDWINDOW);
        form.reset();
        DrainQueueSawQuit();
    }

    TForm1Probe Start(const std::string& iniBytes = {}) {
        if (!iniBytes.empty()) WriteTextFile(ini, iniBytes);
        form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, ini});
        form->Create(::GetModuleHandleW(nullptr));
        return TForm1Probe{*form};
    }
    WINDOWPLACEMENT Placement() const {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(form->Handle(), &placement);
        return placement;
    }
    std::vector<std::wstring> History(TForm1Probe probe) {
        std::vector<std::wstring> entries;
        for (int i = 0; i < probe.History().Count(); ++i) entries.push_back(probe.History().At(i));
        return entries;
    }
    IniDocument Saved() {
        TForm1Probe{*form}.SaveSettings();
        return IniDocument::Open(ini);
    }

    test::ScratchFolder scratch;
    std::wstring ini = scratch / L"Sorabako.ini";
    test::ScriptedPlatform platform;
    std::unique_ptr<TForm1> form;
};

TEST_F(SettingsFile, NoFileGivesTheDefaults) {
    TForm1Probe probe = Start();
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), 1920) << "the test screen is 1920 x 1080";
    ASSERT_EQ(::GetSystemMetrics(SM_CYSCREEN), 1080);
    const RECT normal = Placement().rcNormalPosition;
    EXPECT_EQ(normal.left, 768);
    EXPECT_EQ(normal.top, 360);
    EXPECT_EQ(normal.right, 1152);
    EXPECT_EQ(normal.bottom, 720);
    const auto& c = probe.Controls();
    EXPECT_TRUE(IsChecked(c.RadioButtonSystemFolder));
    EXPECT_FALSE(IsChecked(c.CheckBoxCloseQuery));
    EXPECT_TRUE(IsChecked(c.CheckBoxSaveStatus));
    EXPECT_EQ(probe.AnotherFolderName(), L"");
    EXPECT_EQ(probe.LastFolderName(), L"");
    EXPECT_EQ(probe.History().Count(), 0);
    EXPECT_EQ(probe.State(), WindowState::Normal);
}

TEST_F(SettingsFile, TopAndLeftAloneDeriveRightAndBottom) {
    // Top 200 would give Bottom 400, which the 280-pixel minimum height then stretches.
    Start("[POSITION]\r\nTop=0x12C\r\nLeft=$258\r\n");
    const RECT normal = Placement().rcNormalPosition;
    EXPECT_EQ(normal.left, 600);
    EXPECT_EQ(normal.top, 300);
    EXPECT_EQ(normal.right, 900);
    EXPECT_EQ(normal.bottom, 600);
}

TEST_F(SettingsFile, LowerCaseStateTwoShowsTheWindowMaximised) {
    TForm1Probe probe = Start("[position]\r\nSTATE=2\r\n");
    EXPECT_TRUE(::IsZoomed(form->Handle()));
    EXPECT_EQ(probe.State(), WindowState::Maximized);
}

TEST_F(SettingsFile, FlagTextsAndTheLastSetModeWins) {
    TForm1Probe probe = Start("[MODE]\r\nSystemTempFolder=1\r\nSameFolder=-1\r\nAnotherFolder=2\r\n"
                              "CloseQuery=yes\r\nSaveStatus=0\r\nAnotherFolderName=D:\\work\r\n");
    const auto& c = probe.Controls();
    EXPECT_TRUE(IsChecked(c.RadioButtonAnotherFolder));
    EXPECT_FALSE(IsChecked(c.RadioButtonSameFolder));
    EXPECT_FALSE(IsChecked(c.RadioButtonSystemFolder));
    EXPECT_FALSE(IsChecked(c.CheckBoxCloseQuery));  // "yes" gives the default, off
    EXPECT_FALSE(IsChecked(c.CheckBoxSaveStatus));
    EXPECT_EQ(probe.WorkFolder(), L"D:\\work");
}

TEST_F(SettingsFile, AllModesOffEndsInTheSystemFolder) {
    TForm1Probe probe = Start("[MODE]\r\nSystemTempFolder=0\r\nSameFolder=0\r\nAnotherFolder=0\r\n");
    EXPECT_TRUE(IsChecked(probe.Controls().RadioButtonSystemFolder));
    EXPECT_EQ(probe.WorkFolder(), SystemTempFolderPath());
}

// Counts the horizontal extents set on list boxes of this thread.
class ExtentCounter {
public:
    ExtentCounter() { hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, Count, nullptr, ::GetCurrentThreadId()); }
    ~ExtentCounter() { ::UnhookWindowsHookEx(hook_); }
    ExtentCounter(const ExtentCounter&) = delete;
    ExtentCounter& operator=(const ExtentCounter&) = delete;
    static inline int count = 0;

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == LB_SETHORIZONTALEXTENT) ++count;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_;
};

TEST_F(SettingsFile, HistoryKeysAreReadInFileOrderWithTheirValuesWhole) {
    const std::string longValue = "C:\\" + std::string(2100, 'v');
    ExtentCounter extents;
    ExtentCounter::count = 0;
    TForm1Probe probe = Start("[LOG]\r\nFile2=C:\\second.txt\r\nFile1=C:\\first.txt\r\nFile3=\r\n"
                              "File4=C:\\a=b\\c.txt\r\nFile1=C:\\ignored.txt\r\nFile5=C:\\same.txt\r\n"
                              "File6=C:\\same.txt\r\nFile7=" + longValue + "\r\n");
    std::vector<std::wstring> entries = History(probe);
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[0], L"C:\\second.txt");
    EXPECT_EQ(entries[1], L"C:\\first.txt");
    EXPECT_EQ(entries[2], L"");
    EXPECT_EQ(entries[3], L"C:\\a=b\\c.txt");
    EXPECT_EQ(entries[4], L"C:\\first.txt");  // a repeated name reads the one value the reader gives
    EXPECT_EQ(entries[5], entries[6]);
    EXPECT_EQ(entries[7].size(), 2047u);
    EXPECT_EQ(ExtentCounter::count, 1) << "the extent is applied once, after the last entry";

    const IniDocument saved = Saved();
    EXPECT_EQ(saved.Value(L"LOG", L"File1"), std::wstring(L"C:\\second.txt"));
    EXPECT_EQ(saved.Value(L"LOG", L"File3"), std::wstring(L""));
    EXPECT_EQ(saved.Value(L"LOG", L"File8")->size(), 2047u);
    EXPECT_EQ(probe.Page(), kPageLog);
}

// The system's key listing, then a read by name of each listed key: the way
// the history was once loaded, and the reference for one read of the section.
std::vector<std::wstring> ReadKeyByKey(const std::wstring& path, const ProfileReader& reader) {
    std::wstring names(65536, L'\0');
    ::GetPrivateProfileStringW(L"LOG", nullptr, L"", names.data(), static_cast<DWORD>(names.size()), path.c_str());
    std::vector<std::wstring> values;
    for (const wchar_t* name = names.c_str(); *name; name += wcslen(name) + 1)
        values.push_back(reader.ReadText(L"LOG", name));
    return values;
}

TEST_F(SettingsFile, OneSectionReadGivesWhatReadingKeyByKeyGives) {
    const std::string longValue(2100, 'w');
    for (const std::string& encoding : {std::string(), std::string("\xEF\xBB\xBF")}) {
        WriteTextFile(ini, encoding + "[LOG]\r\nFile1 = C:\\spaced value  \r\nfile1=duplicate\r\nFILE2=\"quoted\"\r\n"
                           "File3='single'\r\n\tFile4\t=\t\r\nFile5=a=b=c\r\nno equals line\r\n; a comment\r\n"
                           "File6=" + longValue + "\r\n[LOG]\r\nFile7=second section\r\n[Other]\r\nFile8=elsewhere\r\n");
        const ProfileReader reader(ini);
        const std::vector<std::wstring> oneByOne = ReadKeyByKey(ini, reader);
        const ProfileSection section = reader.ReadSection(L"LOG");
        EXPECT_EQ(section.Values(), oneByOne);
        EXPECT_GE(oneByOne.size(), 7u);
        for (const wchar_t* key : {L"file1", L"File2", L"FILE3", L"file4", L"File6", L"no equals line", L"absent"})
            EXPECT_EQ(section.ReadText(key, L"default"), reader.ReadText(L"LOG", key, L"default")) << test::Utf8(key);
    }
}

TEST_F(SettingsFile, SaveKeepsOtherSectionsInOrderAheadOfTheProgramOnes) {
    TForm1Probe probe = Start("; comment\r\n[Zeta]\r\nk = v\r\n[LOG]\r\nFile1=C:\\x.txt\r\n[Alpha]\r\nplain\r\n"
                              "[zeta]\r\nk2=v2\r\n");
    probe.History().RecordSource(L"C:\\y.txt");
    const IniDocument saved = Saved();
    std::vector<std::wstring> names;
    for (const IniSection& section : saved.Sections()) names.push_back(section.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Zeta", L"Alpha", L"PROGRAM", L"POSITION", L"MODE", L"LOG"}));
    EXPECT_EQ(saved.Value(L"Zeta", L"k2"), std::wstring(L"v2"));
    EXPECT_EQ(saved.Value(L"LOG", L"File2"), std::wstring(L"C:\\y.txt"));
    EXPECT_EQ(saved.Value(L"PROGRAM", L"Version"), std::wstring(L"V2.1"));
    EXPECT_EQ(saved.Value(L"MODE", L"SaveStatus"), std::wstring(L"1"));
    const std::string bytes = ReadTextFile(ini);
    EXPECT_EQ(bytes.substr(0, 7), "[Zeta]\r");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
}

TEST_F(SettingsFile, SaveStatusOffLeavesOnlyTheProgramAndOtherSections) {
    Start("[Other]\r\na=1\r\n[LOG]\r\nFile1=C:\\x.txt\r\n[MODE]\r\nSaveStatus=0\r\n");
    const IniDocument saved = Saved();
    ASSERT_EQ(saved.Sections().size(), 2u);
    EXPECT_EQ(saved.Sections()[1].name, L"PROGRAM");
    form.reset();
    TForm1Probe next = Start();
    EXPECT_TRUE(IsChecked(next.Controls().CheckBoxSaveStatus));
    EXPECT_EQ(next.History().Count(), 0);
}

TEST_F(SettingsFile, MarkedFilesAreWrittenBackWithTheirMarks) {
    for (const std::string& mark : {std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE")}) {
        const bool utf16 = mark[0] == '\xFF';
        std::string body = "[LOG]\r\nFile1=C:\\\xE8\xB3\x87\xE6\x96\x99.txt\r\n";  // 資料 in UTF-8
        if (utf16) body = EncodeIniText(DecodeIniBytes("\xEF\xBB\xBF" + body).text, IniEncoding::Utf16LE).substr(2);
        TForm1Probe probe = Start(mark + body);
        EXPECT_EQ(probe.History().At(0), L"C:\\資料.txt");
        Saved();
        const std::string bytes = ReadTextFile(ini);
        EXPECT_EQ(bytes.substr(0, mark.size()), mark);
        EXPECT_EQ(IniDocument::Open(ini).Value(L"LOG", L"File1"), std::wstring(L"C:\\資料.txt"));
        form.reset();
    }
}

TEST_F(SettingsFile, PathsTheCodePageCannotHoldSurviveASave) {
    TForm1Probe probe = Start();
    const std::wstring path = L"C:\\\x2603 snow\\雪.txt";  // U+2603 is in neither 932 nor 1252
    probe.History().RecordSource(path);
    Saved();
    EXPECT_EQ(ReadTextFile(ini).substr(0, 2), "\xFF\xFE");
    form.reset();
    TForm1Probe next = Start();
    EXPECT_EQ(next.History().At(0), path);
}

TEST_F(SettingsFile, ReadOnlyFileReportsAndStaysIntactAndTheWindowStaysOpen) {
    const std::string original = "[LOG]\r\nFile1=C:\\keep.txt\r\n";
    TForm1Probe probe = Start(original);
    ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    probe.History().RecordSource(L"C:\\new.txt");

    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text.rfind(L"Cannot create file \"" + ini + L"\". ", 0), 0u)
        << test::Utf8(platform.messages[0].text);
    EXPECT_EQ(platform.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(::IsWindow(form->Handle()));
    EXPECT_EQ(ReadTextFile(ini), original);
    EXPECT_EQ(test::NamesIn(scratch.Path()), (std::vector<std::wstring>{L"Sorabako.ini"}));

    ::SetFileAttributesW(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(form->Handle()));
    EXPECT_EQ(IniDocument::Open(ini).Value(L"LOG", L"File2"), std::wstring(L"C:\\new.txt"));
}

}  // namespace
}  // namespace sorabako
