#pragma once
// Sections and keys of the settings file.

namespace sorabako::ini {

inline constexpr wchar_t kProgram[] = L"PROGRAM";
inline constexpr wchar_t kName[] = L"Name";
inline constexpr wchar_t kPath[] = L"Path";
inline constexpr wchar_t kVersion[] = L"Version";
inline constexpr wchar_t kVersionText[] = L"V2.1";

inline constexpr wchar_t kPosition[] = L"POSITION";
inline constexpr wchar_t kFlags[] = L"Flags";
inline constexpr wchar_t kShowCmd[] = L"ShowCmd";
inline constexpr wchar_t kMaxX[] = L"MaxX";
inline constexpr wchar_t kMaxY[] = L"MaxY";
inline constexpr wchar_t kLeft[] = L"Left";
inline constexpr wchar_t kTop[] = L"Top";
inline constexpr wchar_t kRight[] = L"Right";
inline constexpr wchar_t kBottom[] = L"Bottom";
inline constexpr wchar_t kStateWritten[] = L"State";
inline constexpr wchar_t kStateRead[] = L"state";

inline constexpr wchar_t kMode[] = L"MODE";
inline constexpr wchar_t kSystemTempFolder[] = L"SystemTempFolder";
inline constexpr wchar_t kSameFolder[] = L"SameFolder";
inline constexpr wchar_t kAnotherFolder[] = L"AnotherFolder";
inline constexpr wchar_t kAnotherFolderName[] = L"AnotherFolderName";
inline constexpr wchar_t kLastFolderName[] = L"LastFolderName";
inline constexpr wchar_t kCloseQuery[] = L"CloseQuery";
inline constexpr wchar_t kSaveStatus[] = L"SaveStatus";

inline constexpr wchar_t kLog[] = L"LOG";
inline constexpr wchar_t kFilePrefix[] = L"File";

}  // namespace sorabako::ini
