// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varnel::design {
class GoalError;
}

namespace varnel::studio {

// A refused design goal in the user's language, naming the studio's boxes rather than the
// command's options, its numbers with the user's decimal separator. A rule the studio has no
// words for keeps the command's sentence.
QString GoalMessage(const design::GoalError& error);

}  // namespace varnel::studio
