// The registration buttons of the File page and the buttons of the Help page.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/ResourceIds.h"
#include "app/Strings.h"
#include "platform/FileSystem.h"
#include "platform/FileVersion.h"
#include "platform/ShellFolders.h"
#include "settings/SettingsKeys.h"
#include "shellext/AboutBox.h"
#include "shellext/HelpFile.h"
#include "shellext/ProjectConstants.h"
#include "shellext/ShellTexts.h"
#include "shellext/ShortcutToggle.h"

#include <shlobj.h>

namespace sorabako {

void TForm1::ToggleShortcut(int csidl, const std::wstring& folderDisplayName) {
    const ShortcutContext context{platform_, window_, ApplicationTitle(), ModuleFileName(nullptr),
                                  [this](int folder) { return GetSpecialFolderPath(window_, folder); }};
    sorabako::ToggleShortcut(context, csidl, folderDisplayName);
}

void TForm1::ButtonSendToClick() { ToggleShortcut(CSIDL_SENDTO, text::kFolderSendTo); }
void TForm1::ButtonDeskTopClick() { ToggleShortcut(CSIDL_DESKTOP, text::kFolderDesktop); }
void TForm1::ButtonStartMenuClick() { ToggleShortcut(CSIDL_PROGRAMS, text::kFolderPrograms); }
void TForm1::ButtonStartUpClick() { ToggleShortcut(CSIDL_STARTUP, text::kFolderStartup); }

void TForm1::ButtonHelpClick() {
    platform_.ShellOpen(window_, Quoted(HelpFilePath(ModuleFileName(nullptr))));
}

void TForm1::ButtonAboutClick() {
    const std::wstring executable = ModuleFileName(nullptr);
    const AboutFacts facts{ApplicationTitle(), ini::kVersionText, GetFileVersionText(executable), executable,
                           ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SORABAKO),
                                                IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    AboutBox box(window_, ApplicationTitle(), AboutText(facts), icon);
    box.Create();
    box.RunModal();
}

void TForm1::ButtonPropertiesClick() {
    platform_.ShowFileProperties(window_, ModuleFileName(nullptr));
}

void TForm1::ButtonDonationClick() {
    platform_.ShellOpen(window_, std::wstring(project::kHomePage) + project::kSupportPageTail);
}

void TForm1::ButtonHomeSiteClick() {
    platform_.ShellOpen(window_, project::kHomePage);
}

}  // namespace sorabako
