#include "app/AppTitle.h"
#include "app/ErrorReport.h"
#include "support/ScriptedPlatform.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

TEST(ErrorReport, AddsAFullStopUnlessTheTextEndsInOneOrBelowIt) {
    EXPECT_EQ(ErrorReportText(L"The drive cannot be found"), L"The drive cannot be found.");
    EXPECT_EQ(ErrorReportText(L"Done."), L"Done.");
    EXPECT_EQ(ErrorReportText(L"Cannot open file \"x\""), L"Cannot open file \"x\"");  // '"' < '.'
    EXPECT_EQ(ErrorReportText(L"終了"), L"終了.");
    EXPECT_EQ(ErrorReportText(L""), L"");  // no lone period
}

TEST(ErrorReport, IsAStopBoxCaptionedWithTheTitle) {
    test::ScriptedPlatform platform;
    SetApplicationTitle(L"ソラバコ");
    ShowErrorReport(platform, nullptr, AppError(L"The path format is not supported"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, L"The path format is not supported.");
    EXPECT_EQ(platform.messages[0].caption, L"ソラバコ");
    EXPECT_EQ(platform.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

}  // namespace
}  // namespace sorabako
