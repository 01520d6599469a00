#pragma once
// Command identifiers of the main window's controls and menu items. None is
// IDOK (1) or IDCANCEL (2): those arrive from the dialog manager when Enter
// or Esc finds no default button, and must click nothing.
namespace sorabako {

enum ControlId : int {
    kIdPageControl = 100,
    kIdButtonSelect = 110,
    kIdButtonSendTo,
    kIdButtonDeskTop,
    kIdButtonStartMenu,
    kIdButtonStartUp,
    kIdRadioButtonSystemFolder = 120,
    kIdButtonOpenSystemTempFolder,
    kIdRadioButtonSameFolder,
    kIdRadioButtonAnotherFolder,
    kIdButtonSelectAnotherTempFolder,
    kIdButtonOpenAnotherFolder,
    kIdCheckBoxCloseQuery,
    kIdCheckBoxSaveStatus,
    kIdGroupBox2,
    kIdGroupBox1,
    kIdListBox1 = 140,
    kIdButtonHelp = 150,
    kIdButtonAbout,
    kIdButtonProperties,
    kIdButtonDonation,
    kIdButtonHomeSite,
    kIdOpenTempP1 = 160,
    kIdOpenLocationP1,
    kIdDeleteP1,
    kIdClearP1,
};

}  // namespace sorabako
