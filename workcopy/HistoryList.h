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

// What an entry whose source is gone named can no longer be asked of the
// disk; its name tells: one ending in a delimiter (a drive's root) or without
// an extension is taken for a folder, any other for a file.
bool LooksLikeFolderEntry(const std::wstring& path);

class HistoryList {
public:
    HistoryList() = default;
    explicit HistoryList(HWND listBox) : listBox_(listBox) {}

    // Loading: clears the entries and takes a copy of the list's current font
    // for measuring; later font changes of the list do not reach it, except
    // the one that comes with a change of DPI.
    void BeginLoad();
    // Appends and measures each entry in order, without touching the extent:
    // one device context, the list's drawing held off, so a long history
    // loads at once.
    void AppendLoadedEntries(const std::vector<std::wstring>& entries);
    void ApplyHistoryExtent();
    // The window moved to a monitor of another scale and the list has its
    // font for it: measuring takes that font, the widest width seen so far is
    // scaled (and is at least the widest entry now in the list) and the
    // extent follows.
    void FollowDpiChange(UINT fromDpi, UINT toDpi);

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
    void TakeListFont();
    void MeasureEach(const std::vector<std::wstring>& texts);
    void Measure(HDC dc, const std::wstring& text);

    HWND listBox_ = nullptr;
    UniqueFont measuringFont_;
    int maxEntryWidth_ = 0;  // only grows during a run
};

}  // namespace sorabako
