#pragma once
// The texts of shortcut registration: its questions, its outcome messages and
// the display names of the four special folders.

namespace sorabako::text {

inline constexpr wchar_t kShortcutExists[] = L" は既に存在します。\r\n更新しますか？\r\n[はい]: 更新, [いいえ]: 削除, [Cancel]: 取消し";
inline constexpr wchar_t kShortcutUpdated[] = L"更新されました。";
inline constexpr wchar_t kShortcutNotUpdated[] = L"更新できませんでした。";
inline constexpr wchar_t kShortcutDeleted[] = L"削除しました。";
inline constexpr wchar_t kShortcutNotDeleted[] = L"削除できませんでした。\r\n削除済み、または他で使用中です。";
inline constexpr wchar_t kShortcutCreated[] = L"新規作成しました。";
inline constexpr wchar_t kShortcutNotCreated[] = L"新規作成できませんでした。";
inline constexpr wchar_t kFolderQuestionHead[] = L"フォルダ ";
inline constexpr wchar_t kFolderQuestionTail[] = L" を開きますか？";
inline constexpr wchar_t kFolderSendTo[] = L"送る";
inline constexpr wchar_t kFolderDesktop[] = L"デスクトップ";
inline constexpr wchar_t kFolderPrograms[] = L"スタートメニューのプログラム";
inline constexpr wchar_t kFolderStartup[] = L"スタートアップ";

}  // namespace sorabako::text
