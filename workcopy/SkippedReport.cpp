#include "workcopy/SkippedReport.h"

#include <algorithm>

namespace sorabako {
namespace {

std::wstring WithCount(const wchar_t* pattern, std::size_t count) {
    std::wstring text = pattern;
    const std::size_t mark = text.find(L"{n}");
    if (mark != std::wstring::npos) text.replace(mark, 3, std::to_wstring(count));
    return text;
}

std::wstring CountsLine(const std::vector<SkippedEntry>& skipped, const SkippedReportWording& wording) {
    std::size_t folders = 0;
    for (const SkippedEntry& entry : skipped) folders += entry.folder ? 1 : 0;
    const std::size_t files = skipped.size() - folders;
    std::wstring line;
    if (files > 0) line += WithCount(wording.filesCount, files);
    if (files > 0 && folders > 0) line += wording.joiner;
    if (folders > 0) line += WithCount(wording.foldersCount, folders);
    return line + wording.headTail;
}

}  // namespace

std::wstring SkippedReportText(const std::vector<SkippedEntry>& skipped, const SkippedReportWording& wording,
                               const std::function<std::wstring(DWORD)>& reasonOf) {
    if (skipped.empty()) return {};
    std::wstring text = CountsLine(skipped, wording);
    const std::size_t listed = std::min(skipped.size(), kSkippedListedAtMost);
    for (std::size_t i = 0; i < listed; ++i) {
        const std::wstring& path = skipped[i].path;
        text += L"\r\n" + (path.empty() ? std::wstring(L".") : path) + wording.reasonSeparator +
                reasonOf(skipped[i].error);
    }
    if (skipped.size() > listed) text += L"\r\n" + WithCount(wording.moreLine, skipped.size() - listed);
    return text;
}

}  // namespace sorabako
