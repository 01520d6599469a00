// The argument texts handed to the shell and to Explorer. Launching Explorer
// would leave the test, so its arguments are checked here, where they are made.
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

TEST(ShellArguments, PathsAreQuotedWholeAndExplorerSelectsTheFile) {
    EXPECT_EQ(Quoted(L"C:\\My Files\\a.txt"), L"\"C:\\My Files\\a.txt\"");
    EXPECT_EQ(ExplorerSelectParameters(L"C:\\My Files\\a,b 資料.txt"), L"/select,\"C:\\My Files\\a,b 資料.txt\"");
    EXPECT_EQ(ExplorerSelectParameters(L"\\\\server\\share\\x.txt"), L"/select,\"\\\\server\\share\\x.txt\"");
}

}  // namespace
}  // namespace sorabako
