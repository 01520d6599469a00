#pragma once
// Points the test prefix's "open" verb for folders and for ".sbtest" files at
// LaunchRecorder.exe for the life of the test program, so that work copies
// the program launches are logged instead of opening Explorer windows.
#include <gtest/gtest.h>

namespace sorabako::test {

class ShellAssociations : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace sorabako::test
