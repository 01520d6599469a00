#include "app/SingleInstance.h"

#include <gtest/gtest.h>

namespace sorabako {
namespace {

TEST(InstanceNames, InstanceNameDropsOnlyTheLastExtension) {
    EXPECT_EQ(InstanceNameFromPath(L"C:\\Tools\\Sorabako.exe"), L"Sorabako");
    EXPECT_EQ(InstanceNameFromPath(L"C:\\Tools\\my.tool.exe"), L"my.tool");
    EXPECT_EQ(InstanceNameFromPath(L"C:\\Tools.d\\Sorabako2"), L"Sorabako2");
}

TEST(InstanceNames, DefaultTitleCutsAtTheFirstDotAndLowersTheRest) {
    EXPECT_EQ(DefaultTitleFromPath(L"C:\\Tools\\Sorabako.exe"), L"Sorabako");
    EXPECT_EQ(DefaultTitleFromPath(L"C:\\Tools\\my.tool.exe"), L"my");
    EXPECT_EQ(DefaultTitleFromPath(L"C:\\Tools\\SORABAKO.EXE"), L"Sorabako");
    EXPECT_EQ(DefaultTitleFromPath(L"C:\\Tools.d\\X"), L"X");
}

}  // namespace
}  // namespace sorabako
