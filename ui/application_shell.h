// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>
#include <utility>

#include "command/errors.h"

class QApplication;
class QWidget;

namespace varnel::ui {

// The caption of error boxes and the program's name in the task bar.
QString ApplicationTitle();

// Sets the program's name, style, font and decimal separator, before any window is made.
void ConfigureApplication(QApplication& app);

// The decimal separator from the user's regional settings ("." when they give none).
void ReadDecimalSeparator();

// Shows an error that ended a command: a modal critical box captioned with the application
// title, the message with its full stop, one OK button.
void ShowError(QWidget* parent, const QString& message);

// Runs a handler; an error that escapes it is shown and the window goes on. Exceptions must
// not travel through Qt's event dispatch, so every handler is run through this.
template <typename Handler>
void RunGuarded(QWidget* parent, Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const CommandError& e) {
        const std::string& m = e.message();
        ShowError(parent, QString::fromUtf8(m.data(), static_cast<qsizetype>(m.size())));
    } catch (const std::exception& e) {
        ShowError(parent, QString::fromUtf8(e.what()));
    }
}

}  // namespace varnel::ui
