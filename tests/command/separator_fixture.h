// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include "command/decimal_separator.h"

// Tests set the decimal separator they need and get the process default back afterwards.
class SeparatorTest : public ::testing::Test {
  protected:
    void TearDown() override { varnel::SetDecimalSeparator(U'.'); }
};
