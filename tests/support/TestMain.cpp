#include <gtest/gtest.h>

#include <cstdlib>

#include "support/TestEnv.h"

// A test program that drives the Qt runner's real widgets defines this as true (tests/qt); every
// other program runs its dialogs headless, whatever display or Qt dialog library the machine offers.
extern "C" const bool ckw_test_drives_qt __attribute__((weak));

namespace {

// What a test means does not depend on the desktop it is run from: no display is reachable, so
// no dialog opens a window nobody answers; Qt tests get the offscreen platform. Programs the tests
// start inherit the same.
void PinDisplay() {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    if (&ckw_test_drives_qt != nullptr && ckw_test_drives_qt)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    else
        unsetenv("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    PinDisplay();
    ::testing::InitGoogleTest(&argc, argv);
    // No test may touch the real home directory or system configuration.
    ::testing::AddGlobalTestEnvironment(new ckw::test::IsolatedHome);
    return RUN_ALL_TESTS();
}
