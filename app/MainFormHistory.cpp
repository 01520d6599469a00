// The history page: the commands of the list's popup menu and the double click.
#include "app/AppTitle.h"
#include "app/ControlIds.h"
#include "app/MainForm.h"
#include "app/Strings.h"
#include "platform/FileSystem.h"
#include "settings/SettingsPath.h"

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

// A folder entry or a file that is gone asks whether to drop the entry.
void TForm1::OpenTempP1Click() {
    const int index = SelectedEntry();
    if (index < 0) return;
    const std::wstring path = HistoryList_.At(index);
    if (IsExistingFile(path)) {
        WorkFileName = MakeWorkFileName(path);
        OpenWorkCopy(path, WorkFileName, false);
        return;
    }
    if (platform_.ShowMessageBox(window_, text::kSourceMissingQuestion, ApplicationTitle(),
                                 MB_YESNO | MB_ICONQUESTION) == IDYES)
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
