// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The steady temperature of the coil pair: the power it dissipates leaves through its exposed
// surfaces at a heat-transfer coefficient that lumps natural convection and radiation, and the
// resistance rises with the temperature. The winding is taken to be at one temperature.
namespace varnel::design {

struct ThermalInput {
    long double resistance20 = 0;  // both coils, ohm at 20 degrees C
    long double alpha = 0;         // 1/K, referred to 20 degrees C
    long double ambient = 20;      // degrees C
    long double reactance = 0;     // omega*L, ohm; taken as fixed
    long double heatTransfer = 0;  // W/(m^2*K)
    long double area = 0;          // exposed surface, m^2
    bool currentSource = false;
    long double source = 0;  // RMS volts, or RMS amperes for a current source
};

struct ThermalState {
    bool runaway = false;  // no steady state: the temperature would rise without bound
    long double rise = 0;  // K above ambient
    long double resistance = 0;
    long double current = 0;
    long double voltage = 0;
    long double power = 0;
};

ThermalState SteadyState(const ThermalInput& in);

// Every surface of both windings: inside, outside and both ends.
long double ExposedArea(long double R1, long double R2, long double H);

}  // namespace varnel::design
