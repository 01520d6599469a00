#include "shellext/ShortcutToggle.h"

#include "shellext/ShellTexts.h"
#include "platform/FileSystem.h"
#include "platform/ShellLink.h"

namespace sorabako {
namespace {

constexpr wchar_t kLinkExtension[] = L".Lnk";

void ShowOutcome(const ShortcutContext& context, const std::wstring& linkPath, const std::wstring& outcome) {
    context.platform.ShowPlainMessage(context.mainWindow, linkPath + L"\r\n" + outcome, context.title);
}

void UpdateOrDelete(const ShortcutContext& context, const std::wstring& linkPath, bool& cancelled) {
    const int answer = context.platform.ShowMessageBox(context.mainWindow, ShortcutExistsQuestion(context.title),
                                                       context.title, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        ShowOutcome(context, linkPath,
                    SaveShortcut(linkPath, context.executable) == S_OK ? text::kShortcutUpdated : text::kShortcutNotUpdated);
    } else if (answer == IDNO) {
        ShowOutcome(context, linkPath,
                    ::DeleteFileW(linkPath.c_str()) ? text::kShortcutDeleted : text::kShortcutNotDeleted);
    } else {
        cancelled = true;
    }
}

}  // namespace

std::wstring ShortcutLinkPath(const std::wstring& folder, const std::wstring& title) {
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path + title + kLinkExtension;
}

std::wstring ShortcutExistsQuestion(const std::wstring& title) {
    return title + kLinkExtension + text::kShortcutExists;
}

std::wstring FolderOpenQuestion(const std::wstring& folderDisplayName) {
    return text::kFolderQuestionHead + folderDisplayName + text::kFolderQuestionTail;
}

void ToggleShortcut(const ShortcutContext& context, int csidl, const std::wstring& folderDisplayName) {
    const std::wstring folder = context.specialFolder(csidl);
    if (folder.empty()) {
        // A folder without a file-system path: nothing can be written, and there is no folder to offer.
        ShowOutcome(context, context.title + kLinkExtension, text::kShortcutNotCreated);
        return;
    }
    const std::wstring linkPath = ShortcutLinkPath(folder, context.title);
    if (IsExistingFile(linkPath)) {
        bool cancelled = false;
        UpdateOrDelete(context, linkPath, cancelled);
        if (cancelled) return;
    } else {
        ShowOutcome(context, linkPath,
                    SaveShortcut(linkPath, context.executable) == S_OK ? text::kShortcutCreated : text::kShortcutNotCreated);
    }

    if (context.platform.ShowMessageBox(context.mainWindow, FolderOpenQuestion(folderDisplayName), context.title,
                                        MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (IsExistingFile(linkPath)) context.platform.ShowInExplorer(context.mainWindow, linkPath);
    else context.platform.ShellOpen(context.mainWindow, Quoted(linkPath.substr(0, linkPath.rfind(L'\\') + 1)));
}

}  // namespace sorabako
