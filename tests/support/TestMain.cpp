// Every test executable: one STA thread with COM, as in the program.
#include "platform/ComApartment.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

// CTest names the ANSI code page each run is meant for (SORABAKO_CODE_PAGE);
// a run started another way is meant for the users' 932. A locale lost on the
// way to Wine would otherwise let a 1252 run pass under 932 unnoticed.
TEST(TestRun, UsesTheCodePageItIsMeantFor) {
    wchar_t expected[16]{};
    const std::wstring meant = ::GetEnvironmentVariableW(L"SORABAKO_CODE_PAGE", expected, 16) ? expected : L"932";
    EXPECT_EQ(std::to_wstring(::GetACP()), meant);
}

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    sorabako::ComApartment com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
