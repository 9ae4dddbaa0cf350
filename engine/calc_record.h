// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <limits>

// Every quantity is carried in 80-bit extended precision; the results depend on it.
static_assert(std::numeric_limits<long double>::digits == 64,
              "Varnel Coils needs long double with a 64-bit significand (x87 extended)");

namespace varnel {

// The inputs and results of one calculation, in SI units. N doubles as scratch space: each
// self-inductance evaluation leaves the turns of the coil height it was given there.
struct CalcRecord {
    long double N = 0;       // turns of one coil
    long double Lambda = 0;  // packing factor of the winding
    long double R1 = 0;      // inner radius of the winding, m
    long double R2 = 0;      // outer radius of the winding, m
    long double H = 0;       // height of one coil, m
    long double hh = 0;      // axial gap between the coils, m
    long double D = 0;       // wire diameter, m
    long double R = 0;       // resistance of both coils in series, ohm
    long double L = 0;       // inductance of the pair in series, H
    long double ZL = 0;      // inductive reactance, ohm
    long double ZRL = 0;     // modulus of the impedance, ohm
    long double Roe = 0;     // resistivity of the wire, ohm*m
    long double Ro = 0;      // density of the wire, kg/m^3
    long double Ud = 0;      // RMS supply voltage, V
    long double FREQ = 0;    // supply frequency, Hz
    long double omega = 0;   // angular frequency, rad/s
    long double x = 0;       // radial coordinate of the field point, m
    long double z = 0;       // axial coordinate of the field point from the centre, m
    long double j = 0;       // RMS current density over the winding cross-section, A/m^2
    long double jcond = 0;   // RMS current density in the wire, A/m^2
    long double Id = 0;      // RMS current, A
    long double P = 0;       // power dissipated in both coils, W
    long double K0 = 0;      // flux density at the centre per ampere, T/A
    long double m = 0;       // mass of wire in both coils, kg
};

// The record's fields by name, in record order: for printing and for tests that walk them all.
struct CalcRecordField {
    const char* name;
    long double CalcRecord::*member;
};

inline constexpr CalcRecordField kCalcRecordFields[] = {
    {"N", &CalcRecord::N},         {"Lambda", &CalcRecord::Lambda}, {"R1", &CalcRecord::R1},
    {"R2", &CalcRecord::R2},       {"H", &CalcRecord::H},           {"hh", &CalcRecord::hh},
    {"D", &CalcRecord::D},         {"R", &CalcRecord::R},           {"L", &CalcRecord::L},
    {"ZL", &CalcRecord::ZL},       {"ZRL", &CalcRecord::ZRL},       {"Roe", &CalcRecord::Roe},
    {"Ro", &CalcRecord::Ro},       {"Ud", &CalcRecord::Ud},         {"FREQ", &CalcRecord::FREQ},
    {"omega", &CalcRecord::omega}, {"x", &CalcRecord::x},           {"z", &CalcRecord::z},
    {"j", &CalcRecord::j},         {"jcond", &CalcRecord::jcond},   {"Id", &CalcRecord::Id},
    {"P", &CalcRecord::P},         {"K0", &CalcRecord::K0},         {"m", &CalcRecord::m},
};

}  // namespace varnel
