// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDoubleSpinBox>
#include <QtTest>

#include "studio/numbers_view.h"
#include "studio/studio_window.h"

// Waits until the window shows the numbers of its newest inputs, exact values included.
inline bool Settled(varnel::studio::StudioWindow* window) {
    const auto& n = window->numbersView()->numbers();
    return !window->study()->busy() &&
           (n.checked || n.kind != varnel::studio::StudyNumbers::Kind::Results);
}

inline QDoubleSpinBox* Spin(varnel::studio::StudioWindow* window, const char* name) {
    auto* spin = window->findChild<QDoubleSpinBox*>(QLatin1String(name));
    if (spin == nullptr)
        qFatal("no spin box %s", name);
    return spin;
}
