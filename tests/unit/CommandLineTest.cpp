#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

using Arguments = std::vector<std::wstring>;

TEST(CommandLine, BlanksSeparateAndQuotesJoin) {
    EXPECT_EQ(SplitArguments(L"C:\\a.txt C:\\b.txt"), (Arguments{L"C:\\a.txt", L"C:\\b.txt"}));
    EXPECT_EQ(SplitArguments(L"\"C:\\My Files\\a.txt\""), (Arguments{L"C:\\My Files\\a.txt"}));
    EXPECT_EQ(SplitArguments(L"C:\\My\" \"Files\\a.txt"), (Arguments{L"C:\\My Files\\a.txt"}));
    EXPECT_EQ(SplitArguments(L"\tC:\\a.txt\x01\x1f  x"), (Arguments{L"C:\\a.txt", L"x"}));
}

TEST(CommandLine, EmptyQuotesAreAnEmptyArgumentAndNothingIsNone) {
    EXPECT_EQ(SplitArguments(L"\"\""), (Arguments{L""}));
    EXPECT_EQ(FirstArgument(L"   "), std::nullopt);
    EXPECT_EQ(FirstArgument(L""), std::nullopt);
    EXPECT_EQ(FirstArgument(L"\"C:\\a b\\1.txt\" \"C:\\2.txt\""), std::wstring(L"C:\\a b\\1.txt"));
    // An unclosed quote runs to the end of the line.
    EXPECT_EQ(FirstArgument(L"\"C:\\a b"), std::wstring(L"C:\\a b"));
}

}  // namespace
}  // namespace sorabako
