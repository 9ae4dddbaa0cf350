// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <nlohmann/json.hpp>

#include "design/search.h"

// The designs as JSON, by the names varnel-calc design --json and the Python module share.
namespace varnel::design {

// One design: its build, its numbers hot, its sensitivity, the limits that bind, its command.
nlohmann::ordered_json DesignJson(const Design& d, const Goals& g);

// Why each wire's search ended: builds looked at, what stopped it, NLopt's result of the finish.
nlohmann::ordered_json SearchJson(const Answer& a);

// What the closest candidate reaches when no design meets the goals.
nlohmann::ordered_json ClosestJson(const Closest& c);

}  // namespace varnel::design
