// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calc_record.h"
#include "engine/field.h"

namespace varnel::reference {

// The field sum of one coil as it was before its per-point tables: every element formed whole
// from the point, the ring, the layer and the azimuth's cosine. Kept here, never in the
// program, as the reference the tabulated sum must equal bit for bit.
CoilSums CoilFieldSums(const CalcRecord& rec, long double x, long double z);

// Both coils of the pair at one point, lower coil first, as PairFieldSums places them.
PairSums PairFieldSums(const CalcRecord& rec, long double x, long double z);

}  // namespace varnel::reference
