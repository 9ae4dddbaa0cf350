// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The wires of a shipped or given table that a grade leaves out, for want of a diameter: said
// to the user, never dropped in silence.
namespace varnel::design {

// The names of the rows whose cell in the grade's overall column is empty ("metric", "awg" or
// a file, as LoadWires takes them); none when the table or the column cannot be read.
std::vector<std::string> WiresWithoutGrade(const std::string& which, const std::string& grade);

// "--grade heavy leaves out AWG 10, ..., AWG 23: the table has no diameter for them", or "".
std::string GradeGapNote(const std::string& which, const std::string& grade);

}  // namespace varnel::design
