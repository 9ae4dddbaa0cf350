// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <clocale>

// The studio core's suites: an application object for the event loop and the translators, in
// the regional settings the environment names (LC_ALL).
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
