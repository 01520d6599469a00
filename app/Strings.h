#pragma once
// Every text the user sees and every fixed name, in one place.
#include <windows.h>

namespace sorabako::text {

inline constexpr wchar_t kTitle[] = L"ソラバコ";
inline constexpr wchar_t kAlreadyRunning[] = L"既に起動されています。";

// Mode captions; the radio buttons carry them.
inline constexpr wchar_t kModeSystemFolder[] = L"システム設定";
inline constexpr wchar_t kModeSameFolder[] = L"同じフォルダ";
inline constexpr wchar_t kModeAnotherFolder[] = L"任意フォルダ";

}  // namespace sorabako::text

namespace sorabako::names {

inline constexpr wchar_t kMainWindowClass[] = L"TForm1";
inline constexpr wchar_t kMainWindowFont[] = L"Meiryo UI";
// Value of the window property that marks the running instance.
inline constexpr UINT_PTR kInstanceMarker = 1111;

}  // namespace sorabako::names
