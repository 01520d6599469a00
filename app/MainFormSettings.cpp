// Loading the form's state from the settings file and saving it back.
#include "app/MainForm.h"

#include "platform/FileSystem.h"
#include "settings/IniDocument.h"
#include "settings/ProfileReader.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsPath.h"

#include <shellapi.h>

namespace sorabako {
namespace {

WindowState StateFromStored(std::int32_t stored) {
    switch (stored & 0xFF) {  // only the low eight bits carry the state
        case 1: return WindowState::Minimized;
        case 2: return WindowState::Maximized;
        default: return WindowState::Normal;
    }
}

void ReadPlacement(const ProfileSection& position, WINDOWPLACEMENT& placement) {
    using namespace ini;
    placement.flags = static_cast<UINT>(position.ReadInteger(kFlags, static_cast<int>(placement.flags)));
    placement.showCmd = static_cast<UINT>(position.ReadInteger(kShowCmd, static_cast<int>(placement.showCmd)));
    placement.ptMaxPosition.x = position.ReadInteger(kMaxX, placement.ptMaxPosition.x);
    placement.ptMaxPosition.y = position.ReadInteger(kMaxY, placement.ptMaxPosition.y);
    RECT& normal = placement.rcNormalPosition;
    normal.top = position.ReadInteger(kTop, ::GetSystemMetrics(SM_CYSCREEN) / 3);
    normal.left = position.ReadInteger(kLeft, ::GetSystemMetrics(SM_CXSCREEN) / 5 * 2);
    normal.right = position.ReadInteger(kRight, normal.left * 3 / 2);
    normal.bottom = position.ReadInteger(kBottom, normal.top * 2);
}

void WritePlacement(IniDocument& document, const WINDOWPLACEMENT& placement, WindowState state) {
    using namespace ini;
    document.EraseSection(kPosition);
    document.SetInteger(kPosition, kFlags, static_cast<std::int32_t>(placement.flags));
    document.SetInteger(kPosition, kShowCmd, static_cast<std::int32_t>(placement.showCmd));
    document.SetInteger(kPosition, kMaxX, placement.ptMaxPosition.x);
    document.SetInteger(kPosition, kMaxY, placement.ptMaxPosition.y);
    document.SetInteger(kPosition, kLeft, placement.rcNormalPosition.left);
    document.SetInteger(kPosition, kTop, placement.rcNormalPosition.top);
    document.SetInteger(kPosition, kRight, placement.rcNormalPosition.right);
    document.SetInteger(kPosition, kBottom, placement.rcNormalPosition.bottom);
    document.SetInteger(kPosition, kStateWritten, static_cast<std::int32_t>(state));
}

}  // namespace

std::wstring TForm1::SettingsFile() const {
    if (!options_.settingsFile.empty()) return options_.settingsFile;
    return SettingsFilePath(ModuleFileName(nullptr));
}

void TForm1::LoadSettings() {
    using namespace ini;
    const ProfileReader reader(SettingsFile());

    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window_, &placement);
    const ProfileSection position = reader.ReadSection(kPosition);
    ReadPlacement(position, placement);
    if (::IsWindowVisible(window_)) {
        ::SetWindowPlacement(window_, &placement);
    } else {
        // Placed while hidden; the state takes effect when the window road shows it.
        placement.showCmd = SW_HIDE;
        ::SetWindowPlacement(window_, &placement);
        windowState_ = StateFromStored(
            position.ReadInteger(kStateRead, static_cast<std::int32_t>(CurrentWindowState())));
    }

    const ProfileSection mode = reader.ReadSection(kMode);
    // In this order, so that the last mode whose flag is set ends up checked.
    SetModeButtonFromFlag(controls_.RadioButtonSystemFolder, mode.ReadFlag(kSystemTempFolder, true));
    SetModeButtonFromFlag(controls_.RadioButtonSameFolder, mode.ReadFlag(kSameFolder, false));
    SetModeButtonFromFlag(controls_.RadioButtonAnotherFolder, mode.ReadFlag(kAnotherFolder, false));

    AnotherFolderName = mode.ReadText(kAnotherFolderName);
    LastFolderName = mode.ReadText(kLastFolderName);
    SetCheckBox(controls_.CheckBoxCloseQuery, mode.ReadFlag(kCloseQuery, false));
    SetCheckBox(controls_.CheckBoxSaveStatus, mode.ReadFlag(kSaveStatus, true));

    HistoryList_.BeginLoad();
    HistoryList_.AppendLoadedEntries(reader.ReadSection(kLog).Values());
    HistoryList_.ApplyHistoryExtent();
}

void TForm1::SaveSettings() {
    using namespace ini;
    if (!HasLiveControls()) return;  // its controls would read as unchecked and erase the sections
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window_, &placement);

    const std::wstring path = SettingsFile();
    IniDocument document = IniDocument::Open(path);

    const std::wstring executable = ModuleFileName(nullptr);
    document.EraseSection(kProgram);
    document.SetText(kProgram, kName, FileNameOf(executable));
    document.SetText(kProgram, kPath, FolderWithoutDelimiter(executable));
    document.SetText(kProgram, kVersion, kVersionText);

    if (IsChecked(controls_.CheckBoxSaveStatus)) {
        WritePlacement(document, placement, CurrentWindowState());

        document.EraseSection(kMode);
        document.SetFlag(kMode, kSystemTempFolder, IsChecked(controls_.RadioButtonSystemFolder));
        document.SetFlag(kMode, kSameFolder, IsChecked(controls_.RadioButtonSameFolder));
        document.SetFlag(kMode, kAnotherFolder, IsChecked(controls_.RadioButtonAnotherFolder));
        document.SetText(kMode, kAnotherFolderName, AnotherFolderName);
        document.SetText(kMode, kLastFolderName, LastFolderName);
        document.SetFlag(kMode, kCloseQuery, IsChecked(controls_.CheckBoxCloseQuery));
        document.SetFlag(kMode, kSaveStatus, IsChecked(controls_.CheckBoxSaveStatus));

        document.EraseSection(kLog);
        for (int i = 0; i < HistoryList_.Count(); ++i)
            document.SetText(kLog, kFilePrefix + std::to_wstring(i + 1), HistoryList_.At(i));
    } else {
        document.EraseSection(kPosition);
        document.EraseSection(kMode);
        document.EraseSection(kLog);
    }

    document.Write(path);
    ::DragAcceptFiles(window_, FALSE);
}

}  // namespace sorabako
