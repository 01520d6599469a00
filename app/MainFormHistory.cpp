// The history page: the commands of the list's popup menu and the double click.
#include "app/AppTitle.h"
#include "app/ControlIds.h"
#include "app/MainForm.h"
#include "app/Strings.h"
#include "platform/FileSystem.h"
#include "settings/SettingsPath.h"

#include <algorithm>

namespace sorabako {

int TForm1::SelectedEntry() const {
    const auto selected = static_cast<int>(::SendMessageW(controls_.ListBox1, LB_GETCURSEL, 0, 0));
    return selected == LB_ERR ? -1 : selected;
}

void TForm1::PopupMenu1Popup() {
    const bool hasEntries = HistoryList_.Count() > 0;
    const bool selected = hasEntries && SelectedEntry() >= 0;
    const auto enable = [this](int item, bool enabled) {
        ::EnableMenuItem(PopupMenu1.Get(), static_cast<UINT>(item), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    enable(kIdOpenTempP1, selected);
    enable(kIdOpenLocationP1, selected);
    enable(kIdDeleteP1, selected);
    enable(kIdClearP1, hasEntries);
}

// From the keyboard the menu opens below the selected entry, kept inside the
// list; without a selection, at the list's corner.
POINT TForm1::HistoryMenuPoint() const {
    HWND list = controls_.ListBox1;
    POINT point{0, 0};
    RECT item{};
    const int index = SelectedEntry();
    if (index >= 0 && ::SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        RECT client{};
        ::GetClientRect(list, &client);
        point = POINT{std::clamp(item.left, client.left, client.right),
                      std::clamp(item.bottom, client.top, client.bottom)};
    }
    ::ClientToScreen(list, &point);
    return point;
}

// A file or folder that is still there opens as a work copy, as a drop of it
// would; an entry whose source is gone asks whether to drop the entry.
void TForm1::OpenTempP1Click() {
    const int index = SelectedEntry();
    if (index < 0) return;
    const std::wstring path = HistoryList_.At(index);
    if (IsExistingFile(path) || IsExistingFolder(path)) {
        WorkFileName = MakeWorkFileName(path);
        OpenWorkCopy(path, WorkFileName, false);
        return;
    }
    const wchar_t* question = LooksLikeFolderEntry(path) ? text::kFolderMissingQuestion : text::kSourceMissingQuestion;
    if (platform_.ShowMessageBox(window_, question, ApplicationTitle(), MB_YESNO | MB_ICONQUESTION) == IDYES)
        HistoryList_.DeleteAt(index);
}

void TForm1::OpenLocationP1Click() {
    const int index = SelectedEntry();
    if (index < 0) return;
    const std::wstring path = HistoryList_.At(index);
    if (IsExistingFile(path)) platform_.ShowInExplorer(window_, path);
    else platform_.ShellOpen(window_, Quoted(FolderWithoutDelimiter(path)));
}

void TForm1::DeleteP1Click() {
    const int index = SelectedEntry();
    if (index >= 0) HistoryList_.DeleteAt(index);
}

void TForm1::ClearP1Click() {
    if (HistoryList_.Count() > 0) HistoryList_.Clear();
}

}  // namespace sorabako
