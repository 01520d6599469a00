#pragma once
// The history of opened sources, most recent last. The list box is the only
// store of the entries; this class keeps nothing but the widest width seen
// and the font it was measured in.
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace sorabako {

// The horizontal extent for a widest entry: width × 12 / 10, truncated.
constexpr int HistoryExtentFor(int maxEntryWidth) { return maxEntryWidth * 12 / 10; }

class HistoryList {
public:
    HistoryList() = default;
    explicit HistoryList(HWND listBox) : listBox_(listBox) {}

    // Loading: clears the entries and takes a copy of the list's current font
    // for measuring; later font changes of the list do not reach it.
    void BeginLoad();
    // Appends and measures, without touching the extent.
    void AppendLoadedEntry(const std::wstring& entry);
    // AppendLoadedEntry for each entry in order, measured in one device
    // context with the list's drawing held off: a long history loads at once.
    void AppendLoadedEntries(const std::vector<std::wstring>& entries);
    void ApplyHistoryExtent();

    // Moves an entry equal to source (ignoring case, first match) to the end
    // keeping its stored text; appends source when there is none.
    void RecordSource(const std::wstring& source);

    // Plain operations: they change neither MaxEntryWidth nor the extent.
    int Count() const;
    std::wstring At(int index) const;
    void DeleteAt(int index);
    void Clear();

    int MaxEntryWidth() const noexcept { return maxEntryWidth_; }
    HWND ListBox() const noexcept { return listBox_; }

private:
    void Append(const std::wstring& entry);
    int MeasureWidth(const std::wstring& text) const;
    void Measure(HDC dc, const std::wstring& text);

    HWND listBox_ = nullptr;
    UniqueFont measuringFont_;
    int maxEntryWidth_ = 0;  // only grows during a run
};

}  // namespace sorabako
