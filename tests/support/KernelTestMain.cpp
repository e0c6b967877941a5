// GoogleTest main for the tests without Qt: the process's own home and temporary folders, then the tests.
#include <gtest/gtest.h>

#include "tests/support/PrivateFolders.h"

int main(int argc, char** argv) {
    testsupport::UsePrivateFolders(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
