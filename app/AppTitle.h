#pragma once
// The application title: the default title until start-up sets "ソラバコ".
// Captions every message box of the program.
#include <string>

namespace sorabako {

const std::wstring& ApplicationTitle();
void SetApplicationTitle(std::wstring title);

}  // namespace sorabako
