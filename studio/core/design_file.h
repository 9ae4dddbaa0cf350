// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <variant>

#include "studio/core/design_inputs.h"
#include "studio/core/study_bridge.h"

// Design files: the inputs as a JSON object with the version of its layout under "schema".
namespace varnel::studio {

// The layout this program writes; it reads this one and older ones.
inline constexpr int kDesignSchema = 2;

// Writes the inputs to `path` through a temporary file renamed into place, so a crash leaves
// either the old file or the new one. Returns an empty string, or what went wrong.
QString SaveDesign(const QString& path, const DesignInputs& inputs);

// The inputs a design file holds, or a message saying why it cannot be read.
std::variant<DesignInputs, QString> OpenDesign(const QString& path);

// The same from the file's bytes.
std::variant<DesignInputs, QString> ReadDesign(const QByteArray& bytes);
QByteArray WriteDesign(const DesignInputs& inputs);

// The same with the design goals under "goals", and the goals of a file: none where it has
// none (an older file) or they cannot be read, whereupon the window keeps its own.
QByteArray WriteDesign(const DesignInputs& inputs, const DesignGoals& goals);
QString SaveDesign(const QString& path, const DesignInputs& inputs, const DesignGoals& goals);
std::optional<DesignGoals> ReadDesignGoals(const QByteArray& bytes);

}  // namespace varnel::studio
