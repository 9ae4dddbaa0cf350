// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/circuit.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

double D(long double v) {
    return static_cast<double>(v);
}

// An aluminium pair, worked by hand: R1 0.05, R2 0.08, H 0.04, D 0.002, Lambda 0.7,
// Roe 2.69e-8, Ro 2300, L 0.01 H at 50 Hz from a 10 V source.
CalcRecord AluminiumPair() {
    CalcRecord rec;
    rec.R1 = 0.05L;
    rec.R2 = 0.08L;
    rec.H = 0.04L;
    rec.D = 0.002L;
    rec.Lambda = 0.7L;
    rec.Roe = 2.69e-8L;
    rec.Ro = 2300;
    rec.L = 0.01L;
    rec.FREQ = 50;
    rec.Ud = 10;
    return rec;
}

TEST(Circuit, QuantitiesOfAnAluminiumPair) {
    CalcRecord rec = AluminiumPair();
    // R = 2.69e-8*16*0.7*0.04*(0.0064 - 0.0025)*2/(pi*1.6e-11) = 1.8700579 ohm
    rec.R = Resistance(rec);
    EXPECT_NEAR(D(rec.R), 1.8700579, 1e-7);
    // N = 0.04*4*0.03*0.7/(pi*4e-6) = 267.3803
    EXPECT_NEAR(D(TurnsOfOneCoil(rec)), 267.3803, 1e-4);
    // omega = 50*6.2831852 = 314.15926; ZL = 3.1415926 ohm
    rec.omega = AngularFrequency(rec);
    EXPECT_EQ(rec.omega, 50 * 6.2831852L);
    rec.ZL = Reactance(rec);
    EXPECT_NEAR(D(rec.ZL), 3.1415926, 1e-7);
    // ZRL = sqrt(1.8700579^2 + 3.1415926^2) = 3.6560526; Id = 10/ZRL = 2.7351904
    rec.ZRL = ImpedanceModulus(rec);
    EXPECT_NEAR(D(rec.ZRL), 3.6560526, 1e-7);
    rec.Id = CurrentFromVoltage(rec);
    EXPECT_NEAR(D(rec.Id), 2.7351904, 1e-7);
    EXPECT_NEAR(D(VoltageFromCurrent(rec)), 10.0, 1e-15);
    // j = 0.7*4*Id/(pi*4e-6) = 609446.7 A/m^2; jcond = 4*Id/(pi*4e-6) = 870638.2 A/m^2
    EXPECT_NEAR(D(WindingCurrentDensity(rec)), 609446.7, 0.1);
    EXPECT_NEAR(D(WireCurrentDensity(rec)), 870638.2, 0.1);
    // P = Id^2*R = 13.990402 W; m = 2300*2*0.7*pi*0.04*0.0039 = 1.578085 kg
    EXPECT_NEAR(D(Power(rec)), 13.990402, 1e-6);
    EXPECT_NEAR(D(WireMass(rec)), 1.578085, 1e-6);
}

TEST(Circuit, ZeroFrequencyMeansNoReactanceWhateverTheInductance) {
    CalcRecord rec = AluminiumPair();
    rec.FREQ = 0;
    rec.L = 1e30L;
    rec.omega = AngularFrequency(rec);
    EXPECT_EQ(Reactance(rec), 0.0L);
}

}  // namespace
}  // namespace varnel
