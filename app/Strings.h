#pragma once
// Every text the user sees and every fixed name, in one place.
#include <windows.h>

namespace sorabako::text {

inline constexpr wchar_t kTitle[] = L"ソラバコ";
inline constexpr wchar_t kAlreadyRunning[] = L"既に起動されています。";
inline constexpr wchar_t kCloseQuestion[] = L"終了してよいですか？";
inline constexpr wchar_t kChooseWorkFolder[] = L"作業フォルダを選択";
inline constexpr wchar_t kAnotherFolderChosen[] = L"任意フォルダを作業用に選択しました。";
// Re-opening a history entry whose source is gone: a file, or by its name a folder.
inline constexpr wchar_t kSourceMissingQuestion[] = L"元のファイルが有りません。この履歴を削除しますか？";
inline constexpr wchar_t kFolderMissingQuestion[] = L"元のフォルダが有りません。この履歴を削除しますか？";
// While a cancelled copy is removed: the progress dialog's line, and why the
// end of the session waits when it stopped the copy.
inline constexpr wchar_t kRemovingPartialCopy[] = L"途中までの作業コピーを削除しています。";

// After the launch of a work copy that lacks entries; "{n}" stands for a count.
inline constexpr wchar_t kSkippedFiles[] = L"ファイル {n} 個";
inline constexpr wchar_t kSkippedFolders[] = L"フォルダ {n} 個";
inline constexpr wchar_t kSkippedJoiner[] = L"と";
inline constexpr wchar_t kSkippedHeadTail[] = L"をコピーできませんでした。";
inline constexpr wchar_t kSkippedReasonSeparator[] = L"：";
inline constexpr wchar_t kSkippedMore[] = L"ほか {n} 個";
// After a cancelled copy that left entries behind; the rest as above.
inline constexpr wchar_t kNotRemovedHeadTail[] = L"を削除できませんでした。";

// Pages, in their order.
inline constexpr wchar_t kTabFile[] = L"ファイル";
inline constexpr wchar_t kTabSettings[] = L"設 定";
inline constexpr wchar_t kTabLog[] = L"履 歴";
inline constexpr wchar_t kTabHelp[] = L"ヘルプ";

// File page.
inline constexpr wchar_t kButtonSelect[] = L"開くファイルを選択";
inline constexpr wchar_t kButtonSendTo[] = L"「送る」に 登録・削除";
inline constexpr wchar_t kButtonDeskTop[] = L"デスクトップに登録・削除";
inline constexpr wchar_t kButtonStartMenu[] = L"スタートメニューに登録・削除";
inline constexpr wchar_t kButtonStartUp[] = L"スタートアップに登録・削除";

// Settings page.
inline constexpr wchar_t kGroupWorkFolder[] = L"作業フォルダは";
inline constexpr wchar_t kGroupOnExit[] = L"終了時に";
inline constexpr wchar_t kModeSystemFolder[] = L"システム設定";
inline constexpr wchar_t kModeSameFolder[] = L"同じフォルダ";
inline constexpr wchar_t kModeAnotherFolder[] = L"任意フォルダ";
inline constexpr wchar_t kButtonOpen[] = L"開く";
inline constexpr wchar_t kButtonChoose[] = L"選択";
inline constexpr wchar_t kCheckCloseQuery[] = L"確認する";
inline constexpr wchar_t kCheckSaveStatus[] = L"状態を保存する";

// Help page.
inline constexpr wchar_t kButtonHelp[] = L"ヘルプ表示";
inline constexpr wchar_t kButtonAbout[] = L"バージョン情報";
inline constexpr wchar_t kButtonProperties[] = L"プロパティ表示";
inline constexpr wchar_t kButtonDonation[] = L"開発支援";
inline constexpr wchar_t kButtonHomeSite[] = L"ホームページ";

// History popup menu.
inline constexpr wchar_t kMenuOpenTemp[] = L"作業ファイルで開く";
inline constexpr wchar_t kMenuOpenLocation[] = L"ファイルの場所を開く";
inline constexpr wchar_t kMenuDelete[] = L"この履歴を削除";
inline constexpr wchar_t kMenuClear[] = L"履歴をクリア";

// File types of the file-open dialog, in order: display name, mask.
inline constexpr const wchar_t* kFileTypes[][2] = {
    {L"All", L"*.*"},     {L"Text", L"*.txt"},  {L"Doc", L"*.doc*"}, {L"Excel", L"*.xls*"},
    {L"Ppt", L"*.ppt*"},  {L"Pdf", L"*.pdf"},   {L"html", L"*.htm*"}, {L"Jpeg", L"*.jp*"},
    {L"Png", L"*.png"},   {L"ShortCut", L"*.Lnk"},
};

}  // namespace sorabako::text

namespace sorabako::names {

inline constexpr wchar_t kMainWindowClass[] = L"TForm1";
inline constexpr wchar_t kTabSheetClass[] = L"TTabSheet";
inline constexpr wchar_t kMainWindowFont[] = L"Meiryo UI";
// Value of the window property that marks the running instance.
inline constexpr UINT_PTR kInstanceMarker = 1111;

}  // namespace sorabako::names
