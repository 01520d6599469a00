#pragma once
// The message that follows the launch of a work copy with missing entries.
// The wording comes from the caller (the program keeps its texts in one
// place); this file only puts the pieces together.
#include "workcopy/CopyOutcome.h"

#include <functional>
#include <string>

namespace sorabako {

struct SkippedReportWording {
    const wchar_t* filesCount;    // "{n}" stands for the number of files
    const wchar_t* foldersCount;  // "{n}" stands for the number of folders
    const wchar_t* joiner;        // between the two counts
    const wchar_t* headTail;      // ends the first line
    const wchar_t* reasonSeparator;
    const wchar_t* moreLine;      // "{n}" stands for the entries not listed
};

inline constexpr std::size_t kSkippedListedAtMost = 10;

// Empty when nothing was skipped. Otherwise the counts, then the first ten
// entries as "relative path<separator>reason", then one line for the rest;
// lines end with CR LF as every composed message does.
std::wstring SkippedReportText(const std::vector<SkippedEntry>& skipped, const SkippedReportWording& wording,
                               const std::function<std::wstring(DWORD)>& reasonOf);

}  // namespace sorabako
