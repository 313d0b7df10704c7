// The end-to-end suite: starts Wavelith.exe under Wine and checks it from outside.
#include "tests/e2e/harness.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Every program started by the tests inherits this: English texts whatever the system
    // language, and no opening dialog (it exists in Japanese only).
    SetEnvironmentVariableW(L"QUELLIX_LANG", L"EN");
    if (GetFileAttributesW(wavelith::e2e::builtProgramPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
        fprintf(stderr, "Wavelith.exe is not next to the test program\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
