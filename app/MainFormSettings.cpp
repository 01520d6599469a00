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

void ReadPlacement(const ProfileReader& reader, WINDOWPLACEMENT& placement) {
    using namespace ini;
    placement.flags = static_cast<UINT>(reader.ReadInteger(kPosition, kFlags, static_cast<int>(placement.flags)));
    placement.showCmd = static_cast<UINT>(reader.ReadInteger(kPosition, kShowCmd, static_cast<int>(placement.showCmd)));
    placement.ptMaxPosition.x = reader.ReadInteger(kPosition, kMaxX, placement.ptMaxPosition.x);
    placement.ptMaxPosition.y = reader.ReadInteger(kPosition, kMaxY, placement.ptMaxPosition.y);
    RECT& normal = placement.rcNormalPosition;
    normal.top = reader.ReadInteger(kPosition, kTop, ::GetSystemMetrics(SM_CYSCREEN) / 3);
    normal.left = reader.ReadInteger(kPosition, kLeft, ::GetSystemMetrics(SM_CXSCREEN) / 5 * 2);
    normal.right = reader.ReadInteger(kPosition, kRight, normal.left * 3 / 2);
    normal.bottom = reader.ReadInteger(kPosition, kBottom, normal.top * 2);
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
    ReadPlacement(reader, placement);
    if (::IsWindowVisible(window_)) {
        ::SetWindowPlacement(window_, &placement);
    } else {
        // Placed while hidden; the state takes effect when the window road shows it.
        placement.showCmd = SW_HIDE;
        ::SetWindowPlacement(window_, &placement);
        windowState_ = StateFromStored(
            reader.ReadInteger(kPosition, kStateRead, static_cast<std::int32_t>(CurrentWindowState())));
    }

    // In this order, so that the last mode whose flag is set ends up checked.
    SetModeButtonFromFlag(controls_.RadioButtonSystemFolder, reader.ReadFlag(kMode, kSystemTempFolder, true));
    SetModeButtonFromFlag(controls_.RadioButtonSameFolder, reader.ReadFlag(kMode, kSameFolder, false));
    SetModeButtonFromFlag(controls_.RadioButtonAnotherFolder, reader.ReadFlag(kMode, kAnotherFolder, false));

    AnotherFolderName = reader.ReadText(kMode, kAnotherFolderName);
    LastFolderName = reader.ReadText(kMode, kLastFolderName);
    SetCheckBox(controls_.CheckBoxCloseQuery, reader.ReadFlag(kMode, kCloseQuery, false));
    SetCheckBox(controls_.CheckBoxSaveStatus, reader.ReadFlag(kMode, kSaveStatus, true));

    HistoryList_.BeginLoad();
    HistoryList_.AppendLoadedEntries(reader.ReadSectionValues(kLog));
    HistoryList_.ApplyHistoryExtent();
}

void TForm1::SaveSettings() {
    using namespace ini;
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
