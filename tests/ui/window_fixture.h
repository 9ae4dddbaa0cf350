// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtTest>
#include <memory>

#include "command/decimal_separator.h"
#include "ui/main_window.h"

// A freshly opened window with "." as the decimal separator, shown and exposed.
inline std::unique_ptr<varnel::ui::Tf_V_Loops_V11> OpenWindow() {
    varnel::SetDecimalSeparator(U'.');
    auto window = std::make_unique<varnel::ui::Tf_V_Loops_V11>();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window;
}
