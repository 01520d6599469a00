#include "platform/UniqueHandle.h"
#include "workcopy/HistoryList.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

UniqueFont MakeFont(int height) {
    return UniqueFont(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                                    L"Meiryo UI"));
}

int TextWidth(HWND window, HFONT font, const std::wstring& text) {
    WindowDC dc(window);
    SelectedObject selected(dc.Get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

class HistoryListTest : public testing::Test {
protected:
    void SetUp() override {
        listBox.Reset(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                                        0, 0, 300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(listBox);
        ::SendMessageW(listBox.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
        history = HistoryList(listBox.Get());
        history.BeginLoad();
    }

    int Extent() const { return static_cast<int>(::SendMessageW(listBox.Get(), LB_GETHORIZONTALEXTENT, 0, 0)); }
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> entries;
        for (int i = 0; i < history.Count(); ++i) entries.push_back(history.At(i));
        return entries;
    }

    UniqueFont font = MakeFont(-11);
    UniqueWindow listBox;
    HistoryList history;
};

TEST_F(HistoryListTest, ExtentIsTwelveTenthsOfTheWidestEntry) {
    EXPECT_EQ(HistoryExtentFor(205), 246);
    EXPECT_EQ(HistoryExtentFor(0), 0);
    EXPECT_EQ(HistoryExtentFor(9), 10);

    history.RecordSource(L"C:\\a.txt");
    const std::wstring wide = L"C:\\長いフォルダ名\\さらに長いフォルダ名\\document.txt";
    history.RecordSource(wide);
    EXPECT_EQ(history.MaxEntryWidth(), TextWidth(listBox.Get(), font.Get(), wide));
    EXPECT_EQ(Extent(), HistoryExtentFor(history.MaxEntryWidth()));
}

TEST_F(HistoryListTest, RecordingAKnownSourceMovesTheFirstMatchKeepingItsText) {
    history.AppendLoadedEntries({L"C:\\Docs\\Plan.xlsx", L"D:\\b.txt", L"c:\\docs\\plan.XLSX"});
    history.ApplyHistoryExtent();
    const int extentBefore = Extent();

    history.RecordSource(L"C:\\DOCS\\PLAN.xlsx");
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"D:\\b.txt", L"c:\\docs\\plan.XLSX", L"C:\\Docs\\Plan.xlsx"}));
    EXPECT_EQ(Extent(), extentBefore);
}

TEST_F(HistoryListTest, ExtentNeverShrinksWhenEntriesGo) {
    const std::wstring wide = L"C:\\a very very very long folder name\\and a long file name.txt";
    history.RecordSource(wide);
    const int extent = Extent();
    ASSERT_GT(extent, 0);

    history.DeleteAt(0);
    EXPECT_EQ(Extent(), extent);
    history.RecordSource(L"C:\\x");
    EXPECT_EQ(Extent(), extent);
    history.Clear();
    EXPECT_EQ(history.Count(), 0);
    EXPECT_EQ(Extent(), extent);
}

TEST_F(HistoryListTest, MeasuresInTheFontOfTheLoadNotALaterOne) {
    UniqueFont huge = MakeFont(-60);
    ::SendMessageW(listBox.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(huge.Get()), FALSE);
    const std::wstring entry = L"C:\\photos\\2026\\夏休み.jpg";
    history.RecordSource(entry);
    EXPECT_EQ(history.MaxEntryWidth(), TextWidth(listBox.Get(), font.Get(), entry));
    EXPECT_LT(history.MaxEntryWidth(), TextWidth(listBox.Get(), huge.Get(), entry));
    ::SendMessageW(listBox.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

TEST_F(HistoryListTest, LoadingKeepsOrderAndDuplicatesAndMeasuresTheWidest) {
    history.RecordSource(L"C:\\old.txt");
    const int extentBefore = Extent();
    history.BeginLoad();
    EXPECT_EQ(history.Count(), 0);
    const std::vector<std::wstring> entries = {L"C:\\a.txt", L"C:\\一番長い項目の名前\\ファイル.txt", L"", L"C:\\a.txt"};
    history.AppendLoadedEntries(entries);
    EXPECT_EQ(Entries(), entries);
    EXPECT_EQ(history.MaxEntryWidth(), TextWidth(listBox.Get(), font.Get(), entries[1]));
    EXPECT_EQ(Extent(), extentBefore) << "the extent waits for the end of the load";
    history.ApplyHistoryExtent();
    EXPECT_EQ(Extent(), HistoryExtentFor(history.MaxEntryWidth()));
}

// The list gets the font of the new scale first, as the window gives it.
TEST_F(HistoryListTest, ADpiChangeScalesTheWidestWidthMeasuresAnewAndSetsTheExtent) {
    const std::wstring gone = L"C:\\a long folder name that was deleted\\report.txt";
    history.RecordSource(gone);
    history.DeleteAt(0);
    history.RecordSource(L"C:\\b.txt");
    const int before = history.MaxEntryWidth();

    UniqueFont larger = MakeFont(-17);
    ::SendMessageW(listBox.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(larger.Get()), FALSE);
    history.FollowDpiChange(96, 144);
    EXPECT_EQ(history.MaxEntryWidth(), ::MulDiv(before, 144, 96)) << "the deleted entry's width, scaled";
    EXPECT_EQ(Extent(), HistoryExtentFor(history.MaxEntryWidth()));

    const std::wstring wider = L"C:\\" + std::wstring(80, L'W') + L"\\file.txt";
    history.RecordSource(wider);
    EXPECT_EQ(history.MaxEntryWidth(), TextWidth(listBox.Get(), larger.Get(), wider)) << "measured in the new font";
    EXPECT_EQ(Extent(), HistoryExtentFor(history.MaxEntryWidth()));

    // Never narrower than an entry still in the list, whatever the scaling gives.
    ::SendMessageW(listBox.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    history.FollowDpiChange(288, 96);
    EXPECT_EQ(history.MaxEntryWidth(), TextWidth(listBox.Get(), font.Get(), wider));
}

TEST(HistoryEntryKind, ANameWithoutExtensionOrAnEndingDelimiterIsTakenForAFolder) {
    EXPECT_TRUE(LooksLikeFolderEntry(L"C:\\photos\\2026 trip"));
    EXPECT_TRUE(LooksLikeFolderEntry(L"E:\\"));
    EXPECT_TRUE(LooksLikeFolderEntry(L"C:\\v1.2\\notes"));
    EXPECT_TRUE(LooksLikeFolderEntry(L"C:\\work\\draft."));
    EXPECT_FALSE(LooksLikeFolderEntry(L"C:\\work\\plan.xlsx"));
    EXPECT_FALSE(LooksLikeFolderEntry(L"C:\\work\\.gitignore"));
    EXPECT_FALSE(LooksLikeFolderEntry(L"plan.txt"));
}

}  // namespace
}  // namespace sorabako
