// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The steady temperature of the coil pair: the power it dissipates leaves through its exposed
// surfaces at a heat-transfer coefficient that lumps natural convection and radiation, and the
// resistance rises with the temperature. The winding's mean temperature sets its resistance;
// given its section and conductivity, the hottest point inside it is estimated as well, and
// given its heat capacity, how fast it settles.
namespace varnel::design {

// Effective conductivity across the turns of a dry (not impregnated) enamelled winding,
// W/(m*K): just above the bound for copper in air at the 65-75 % copper share of layer windings
// (0.13-0.18), below the 0.5-1 measured on varnish-impregnated ones (data/README.md). The low
// end is taken since the hot spot it gives is a limit not to pass.
constexpr long double kDryWindingConductivity = 0.2L;

struct ThermalInput {
    long double resistance20 = 0;  // both coils, ohm at 20 degrees C
    long double alpha = 0;         // 1/K, referred to 20 degrees C
    long double ambient = 20;      // degrees C
    long double reactance = 0;     // omega*L, ohm; taken as fixed
    long double heatTransfer = 0;  // W/(m^2*K)
    long double area = 0;          // surface that cools, m^2 (CooledArea)
    bool currentSource = false;
    long double source = 0;  // RMS volts, or RMS amperes for a current source
    // One coil's winding section, m, and its conductivity across the turns, W/(m*K); with a
    // conductivity of 0 the winding is taken at one temperature and the hot spot is the mean.
    long double R1 = 0, R2 = 0, H = 0;
    long double conductivity = 0;
    long double heatCapacity = 0;  // J/K, both coils' conductor: m*c; 0 leaves out the time
};

struct ThermalState {
    bool runaway = false;  // no steady state: the temperature would rise without bound
    long double rise = 0;  // K above ambient, the winding's mean (what its resistance tells)
    long double resistance = 0;
    long double current = 0;
    long double voltage = 0;
    long double power = 0;
    long double hotSpot = 0;      // K above ambient at the hottest point, >= rise
    long double coldCurrent = 0;  // at switch-on, the winding at the ambient
    // Time constant of the approach to the steady rise, s: m*c over the surfaces' conductance
    // less the slope of the power with the temperature. 0 in a runaway or without m*c.
    long double timeConstant = 0;
};

ThermalState SteadyState(const ThermalInput& in);

// Every surface of both windings: inside, outside and both ends.
long double ExposedArea(long double R1, long double R2, long double H);

// The share of its cooling that an end face keeps when it faces the other coil's end face
// across a gap (m); `faceDepth` is the face's radial extent R2 - R1 (m). 0 at no gap, 1 far
// apart, half at about 0.8 of FacingFaceGap.
long double FacingFaceShare(long double gap, long double faceDepth);

// The gap at which a face of that depth keeps (1 - 1/e)^(3/4) = 71 % of its cooling, m; the
// transition runs from about half of it to 1.4 times it.
long double FacingFaceGap(long double faceDepth);

// The surfaces of both windings that cool, m^2: inside, outside and outer ends in full, the
// two end faces that face each other across the gap h by FacingFaceShare.
long double CooledArea(long double R1, long double R2, long double H, long double h);

// How far the hottest point of a winding section R1..R2 lies above the section's mean
// temperature (weighted by volume, as its resistance weighs it), K: heat generated uniformly
// at `powerDensity` W/m^3 flows radially through `conductivity` W/(m*K) to the inner and outer
// surfaces, which pass it on at hInner and hOuter W/(m^2*K); infinite when neither does.
long double InternalRise(long double powerDensity, long double R1, long double R2,
                         long double conductivity, long double hInner, long double hOuter);

}  // namespace varnel::design
