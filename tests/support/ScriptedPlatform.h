#pragma once
// The platform double: records every launch instead of starting a program
// and answers message boxes from a script instead of waiting for a user.
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace sorabako::test {

struct Launch {
    enum class Kind { Open, Explorer, Properties } kind;
    HWND owner;
    std::wstring target;
};

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT flags;  // 0 for a plain message
};

class ScriptedPlatform final : public Platform {
public:
    std::vector<Launch> launches;
    std::vector<ShownMessage> messages;
    std::deque<int> answers;  // button ids, consumed by message boxes in order
    std::vector<FileOpenRequest> fileDialogs;
    std::deque<std::optional<std::wstring>> fileChoices;  // nullopt: Cancel
    std::vector<std::wstring> folderBrowses;               // the preselected folder of each
    std::deque<std::optional<std::wstring>> folderChoices;  // nullopt: Cancel
    std::vector<std::wstring> shutdownBlockReasons;         // each one set or (empty) withdrawn, in order

    void ShellOpen(HWND owner, const std::wstring& target) override {
        launches.push_back({Launch::Kind::Open, owner, target});
    }
    void ShowInExplorer(HWND owner, const std::wstring& path) override {
        launches.push_back({Launch::Kind::Explorer, owner, path});
    }
    void ShowFileProperties(HWND owner, const std::wstring& path) override {
        launches.push_back({Launch::Kind::Properties, owner, path});
    }
    int ShowMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT flags) override {
        messages.push_back({text, caption, flags});
        if ((flags & MB_TYPEMASK) == MB_OK) return IDOK;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question";
            return IDCANCEL;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowPlainMessage(HWND, const std::wstring& text, const std::wstring& caption) override {
        messages.push_back({text, caption, 0});
    }
    std::optional<std::wstring> ChooseFileToOpen(const FileOpenRequest& request) override {
        fileDialogs.push_back(request);
        if (fileChoices.empty()) return std::nullopt;
        auto choice = fileChoices.front();
        fileChoices.pop_front();
        return choice;
    }
    std::optional<std::wstring> BrowseForFolder(HWND, const std::wstring&, const std::wstring& preselected) override {
        folderBrowses.push_back(preselected);
        if (folderChoices.empty()) return std::nullopt;
        auto choice = folderChoices.front();
        folderChoices.pop_front();
        return choice;
    }
    void SetShutdownBlockReason(HWND, const std::wstring& reason) override { shutdownBlockReasons.push_back(reason); }
};

}  // namespace sorabako::test
