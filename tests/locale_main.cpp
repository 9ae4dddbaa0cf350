// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>

// The suites run in the regional settings the environment names (LC_ALL), so that a run under a
// decimal-comma locale proves that no library reads or writes numbers through the C locale.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
