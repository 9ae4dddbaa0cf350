// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/circuit.h"

#include <cmath>

#include "engine/constants.h"

namespace varnel {

long double Resistance(const CalcRecord& rec) {
    return rec.Roe * 16 * rec.Lambda * rec.H * (rec.R2 * rec.R2 - rec.R1 * rec.R1) * 2 /
           (kPi * rec.D * rec.D * rec.D * rec.D);
}

long double TurnsOfOneCoil(const CalcRecord& rec) {
    return rec.H * 4 * (rec.R2 - rec.R1) * rec.Lambda / (kPi * rec.D * rec.D);
}

long double AngularFrequency(const CalcRecord& rec) {
    return rec.FREQ * kTwoPi;
}

long double Reactance(const CalcRecord& rec) {
    return rec.omega * rec.L;
}

long double ImpedanceModulus(const CalcRecord& rec) {
    return std::sqrt(rec.R * rec.R + rec.ZL * rec.ZL);
}

long double CurrentFromVoltage(const CalcRecord& rec) {
    return rec.Ud / std::sqrt(rec.R * rec.R + rec.ZL * rec.ZL);
}

long double VoltageFromCurrent(const CalcRecord& rec) {
    return std::sqrt(rec.R * rec.R + rec.ZL * rec.ZL) * rec.Id;
}

long double WindingCurrentDensity(const CalcRecord& rec) {
    return rec.Lambda * 4 * rec.Id / (kPi * rec.D * rec.D);
}

long double WireCurrentDensity(const CalcRecord& rec) {
    return rec.Id * 4 / (kPi * rec.D * rec.D);
}

long double Power(const CalcRecord& rec) {
    return rec.Id * rec.Id * rec.R;
}

long double WireMass(const CalcRecord& rec) {
    return rec.Ro * 2 * rec.Lambda * kPi * rec.H * (rec.R2 * rec.R2 - rec.R1 * rec.R1);
}

}  // namespace varnel
