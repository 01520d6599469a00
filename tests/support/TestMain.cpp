// Every test executable: one STA thread with COM, as in the program.
#include "platform/ComApartment.h"

#include <gtest/gtest.h>

#include <commctrl.h>

int wmain(int argc, wchar_t** argv) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    sorabako::ComApartment com;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
