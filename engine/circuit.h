// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/calc_record.h"

// Circuit quantities of the coil pair. Each reads the record fields it names and returns the
// value; the calculate command stores it. Each product and quotient is evaluated left to right
// in the order of its expression: that order fixes the rounding the results depend on.
namespace varnel {

// Two coils of N turns of mean length pi*(R1 + R2), wire cross-section pi*D*D/4.
long double Resistance(const CalcRecord& rec);
// Winding cross-section H*(R2 - R1) times Lambda over the wire cross-section; not rounded.
long double TurnsOfOneCoil(const CalcRecord& rec);
long double AngularFrequency(const CalcRecord& rec);
long double Reactance(const CalcRecord& rec);
long double ImpedanceModulus(const CalcRecord& rec);
// Current of a voltage source Ud, and voltage of a current source Id, over sqrt(R^2 + ZL^2).
long double CurrentFromVoltage(const CalcRecord& rec);
long double VoltageFromCurrent(const CalcRecord& rec);
// N*Id over the winding cross-section, in A/m^2.
long double WindingCurrentDensity(const CalcRecord& rec);
// Id over the wire cross-section, in A/m^2.
long double WireCurrentDensity(const CalcRecord& rec);
// Mean power of the RMS current.
long double Power(const CalcRecord& rec);
// Winding volume of both coils times the packing factor times the density.
long double WireMass(const CalcRecord& rec);

}  // namespace varnel
