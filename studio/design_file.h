// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <variant>

#include "studio/design_inputs.h"

// Design files: the inputs as a JSON object with the version of its layout under "schema".
namespace varnel::studio {

// The layout this program writes; it reads this one and older ones.
inline constexpr int kDesignSchema = 1;

// Writes the inputs to `path` through a temporary file renamed into place, so a crash leaves
// either the old file or the new one. Returns an empty string, or what went wrong.
QString SaveDesign(const QString& path, const DesignInputs& inputs);

// The inputs a design file holds, or a message saying why it cannot be read.
std::variant<DesignInputs, QString> OpenDesign(const QString& path);

// The same from the file's bytes.
std::variant<DesignInputs, QString> ReadDesign(const QByteArray& bytes);
QByteArray WriteDesign(const DesignInputs& inputs);

}  // namespace varnel::studio
