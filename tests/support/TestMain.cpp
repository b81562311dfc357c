#include <gtest/gtest.h>

#include "support/TestEnv.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No test may touch the real home directory or system configuration.
    ::testing::AddGlobalTestEnvironment(new ckw::test::IsolatedHome);
    return RUN_ALL_TESTS();
}
