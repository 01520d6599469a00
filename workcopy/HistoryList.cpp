#include "workcopy/HistoryList.h"

namespace sorabako {

bool LooksLikeFolderEntry(const std::wstring& path) {
    const std::size_t delimiter = path.find_last_of(L"\\/");
    const std::size_t nameStart = delimiter == std::wstring::npos ? 0 : delimiter + 1;
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring::npos || dot < nameStart || dot + 1 == path.size();
}

void HistoryList::BeginLoad() {
    Clear();
    TakeListFont();
}

void HistoryList::TakeListFont() {
    LOGFONTW font{};
    auto listFont = reinterpret_cast<HFONT>(::SendMessageW(listBox_, WM_GETFONT, 0, 0));
    if (!listFont) listFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectW(listFont, sizeof(font), &font);
    measuringFont_.Reset(::CreateFontIndirectW(&font));
}

void HistoryList::AppendLoadedEntries(const std::vector<std::wstring>& entries) {
    std::size_t characters = 0;
    for (const std::wstring& entry : entries) characters += entry.size() + 1;
    ::SendMessageW(listBox_, LB_INITSTORAGE, entries.size(), characters * sizeof(wchar_t));
    ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    for (const std::wstring& entry : entries)
        ::SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    MeasureEach(entries);
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(listBox_, nullptr, TRUE);
}

void HistoryList::FollowDpiChange(UINT fromDpi, UINT toDpi) {
    TakeListFont();
    maxEntryWidth_ = ::MulDiv(maxEntryWidth_, static_cast<int>(toDpi), static_cast<int>(fromDpi));
    std::vector<std::wstring> entries;
    for (int i = 0; i < Count(); ++i) entries.push_back(At(i));
    MeasureEach(entries);
    ApplyHistoryExtent();
}

// One device context with the measuring font for all of them; before any
// load, the list's own font.
void HistoryList::MeasureEach(const std::vector<std::wstring>& texts) {
    WindowDC dc(listBox_);
    HGDIOBJ font = measuringFont_ ? measuringFont_.Get()
                                  : reinterpret_cast<HGDIOBJ>(::SendMessageW(listBox_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    for (const std::wstring& text : texts) Measure(dc.Get(), text);
}

void HistoryList::Measure(HDC dc, const std::wstring& text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    if (size.cx > maxEntryWidth_) maxEntryWidth_ = size.cx;
}

void HistoryList::ApplyHistoryExtent() {
    ::SendMessageW(listBox_, LB_SETHORIZONTALEXTENT, HistoryExtentFor(maxEntryWidth_), 0);
}

void HistoryList::RecordSource(const std::wstring& source) {
    const auto found = static_cast<int>(::SendMessageW(
        listBox_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(source.c_str())));
    if (found == LB_ERR) {
        ::SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(source.c_str()));
        MeasureEach({source});
        ApplyHistoryExtent();
        return;
    }
    const std::wstring stored = At(found);
    ::SendMessageW(listBox_, LB_DELETESTRING, found, 0);
    ::SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(stored.c_str()));
}

int HistoryList::Count() const {
    return static_cast<int>(::SendMessageW(listBox_, LB_GETCOUNT, 0, 0));
}

std::wstring HistoryList::At(int index) const {
    const auto length = ::SendMessageW(listBox_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(listBox_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void HistoryList::DeleteAt(int index) {
    ::SendMessageW(listBox_, LB_DELETESTRING, index, 0);
}

void HistoryList::Clear() {
    ::SendMessageW(listBox_, LB_RESETCONTENT, 0, 0);
}

}  // namespace sorabako
