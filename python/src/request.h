// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "study/calc_request.h"

namespace varnel::python {

// A calculation request from the twelve input texts, in the order of kInputBoxes.
CalcRequest RequestOf(const std::vector<std::string>& texts, bool current);

}  // namespace varnel::python
