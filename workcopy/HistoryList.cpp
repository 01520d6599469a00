#include "workcopy/HistoryList.h"

namespace sorabako {

void HistoryList::BeginLoad() {
    Clear();
    LOGFONTW font{};
    auto listFont = reinterpret_cast<HFONT>(::SendMessageW(listBox_, WM_GETFONT, 0, 0));
    if (!listFont) listFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    ::GetObjectW(listFont, sizeof(font), &font);
    measuringFont_.Reset(::CreateFontIndirectW(&font));
}

void HistoryList::AppendLoadedEntry(const std::wstring& entry) {
    Append(entry);
}

void HistoryList::AppendLoadedEntries(const std::vector<std::wstring>& entries) {
    std::size_t characters = 0;
    for (const std::wstring& entry : entries) characters += entry.size() + 1;
    ::SendMessageW(listBox_, LB_INITSTORAGE, entries.size(), characters * sizeof(wchar_t));
    ::SendMessageW(listBox_, WM_SETREDRAW, FALSE, 0);
    {
        WindowDC dc(listBox_);
        SelectedObject selected(dc.Get(), measuringFont_ ? measuringFont_.Get() : ::GetStockObject(DEFAULT_GUI_FONT));
        for (const std::wstring& entry : entries) {
            ::SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            Measure(dc.Get(), entry);
        }
    }
    ::SendMessageW(listBox_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(listBox_, nullptr, TRUE);
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
        Append(source);
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

void HistoryList::Append(const std::wstring& entry) {
    ::SendMessageW(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    const int width = MeasureWidth(entry);
    if (width > maxEntryWidth_) maxEntryWidth_ = width;
}

int HistoryList::MeasureWidth(const std::wstring& text) const {
    WindowDC dc(listBox_);
    HGDIOBJ font = measuringFont_ ? measuringFont_.Get()
                                  : reinterpret_cast<HGDIOBJ>(::SendMessageW(listBox_, WM_GETFONT, 0, 0));
    SelectedObject selected(dc.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace sorabako
