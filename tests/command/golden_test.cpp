// SPDX-License-Identifier: GPL-3.0-or-later
// A golden table: the whole record and every result text of a few calculations, exactly as
// this program computed them when the table was made (not worked by hand). It pins the
// arithmetic bit for bit, so a change of order, a constant off in its last digits or a moved
// record update shows here even where the four shown digits stay the same. The cases cover the
// four self-inductance formulas (long, short, flat, disc for the coil of height H), both
// sources, alternating current and field points on the axis, off it, inside a winding and far
// away. Regenerate it only for a deliberate change of results, and say so.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "command/calculate_command.h"
#include "command/control_names.h"
#include "command/text_controls.h"

namespace varnel {
namespace {

struct GoldenCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> inputs;  // changes to the defaults
    bool currentSource;
    // N, Lambda, R1, R2, H, hh, D, R, L, ZL, ZRL, Roe, Ro, Ud, FREQ, omega, x, z, j, jcond, Id,
    // P, K0, m: the record's fields in their order.
    std::array<long double, 24> record;
    std::array<const char*, 16> texts;  // eN ... em
};

// clang-format off
const GoldenCase kGolden[] = {
    {"defaults, long coil", {}, false, {0xe.52ee114b4fd53acp+4L, 0x9.99999999999999ap-4L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-9L, 0xf.5c28f5c28f5c28fp-9L, 0xa.3d70a3d70a3d70ap-10L, 0x8.3126e978d4fdf3bp-13L, 0xe.b27236697ca0211p-4L, 0xe.917249e2128182cp-13L, 0x0p+0L, 0xe.b27236697ca0211p-4L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0x8p-3L, 0x0p+0L, 0x0p+0L, 0x0p+0L, 0x0p+0L, 0xc.b0b5fe4bf7249ecp+16L, 0xa.934253e9f89e844p+17L, 0x8.b58ff19313e0d07p-3L, 0x8.b58ff19313e0d07p-3L, 0xb.a3928a47dee6ea2p-11L, 0x9.7225cd22e4fdda7p-5L}, {"229.2", "0.9186", "0.001778", "0", "0.9186", "1.089", "0.8317", "1.386", "1.089", "0.006187", "0.005683", "0", "0.006187", "0.006187", "0", "0.2952" }},
    {"long coil off the axis, 50 Hz", {{"eFREQ", "50"}, {"ex", "0.005"}, {"ez", "0.01"}}, false, {0xe.52ee114b4fd53acp+4L, 0x9.99999999999999ap-4L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-9L, 0xf.5c28f5c28f5c28fp-9L, 0xa.3d70a3d70a3d70ap-10L, 0x8.3126e978d4fdf3bp-13L, 0xe.b27236697ca0211p-4L, 0xe.917249e2128182cp-13L, 0x8.f05c111efc6072p-4L, 0x8.99d9d943e875deep-3L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0x8p-3L, 0xc.8p+2L, 0x9.d1462a1b5c7cd8ap+5L, 0xa.3d70a3d70a3d70ap-11L, 0xa.3d70a3d70a3d70ap-10L, 0xa.d7a456af6ce206p+16L, 0x9.0908f2e7856705p+17L, 0xe.e1cc5ac5c12136ap-4L, 0xc.b7067312df9a25fp-4L, 0xb.a3928a47dee6ea2p-11L, 0x9.7225cd22e4fdda7p-5L}, {"229.2", "0.9186", "0.001778", "0.5587", "1.075", "0.9301", "0.7106", "1.184", "0.7947", "0.005286", "0.005683", "-0.0003312", "0.006419", "0.006428", "-2.954", "0.2952" }},
    {"short coil, current source", {{"eH", "0.015"}, {"eSource1", "2.5"}, {"ex", "0.03"}, {"ez", "-0.02"}}, true, {0xe.52ee114b4fd53acp+3L, 0x9.99999999999999ap-4L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-9L, 0xf.5c28f5c28f5c28fp-10L, 0xa.3d70a3d70a3d70ap-10L, 0x8.3126e978d4fdf3bp-13L, 0xe.b27236697ca0211p-5L, 0xa.f4290a1b45e004cp-14L, 0x0p+0L, 0xe.b27236697ca0211p-5L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0x9.2f876201ede414bp-3L, 0x0p+0L, 0x0p+0L, 0xf.5c28f5c28f5c28fp-9L, -0xa.3d70a3d70a3d70ap-9L, 0xe.9231acc25c75d34p+17L, 0xc.247ebaa1f7b7856p+18L, 0xap-2L, 0xb.7b693a82695d19dp-2L, 0x9.558daf6f5d91798p-11L, 0x9.7225cd22e4fdda7p-6L}, {"114.6", "0.4593", "0.0006686", "0", "0.4593", "1.148", "1.91", "3.183", "2.871", "0.01139", "0.004558", "-0.001025", "-0.0004866", "0.001135", "-115.4", "0.1476" }},
    {"flat coil, 1 kHz", {{"eR1", "0.02"}, {"eR2", "0.04"}, {"eH", "0.01"}, {"ehh", "0.005"}, {"eFREQ", "1000"}, {"ex", "0.012"}, {"ez", "0.004"}}, false, {0x9.8c9eb6323538d1ep+4L, 0x9.99999999999999ap-4L, 0xa.3d70a3d70a3d70ap-9L, 0xa.3d70a3d70a3d70ap-8L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-11L, 0x8.3126e978d4fdf3bp-13L, 0x9.cc4c244653156b6p-3L, 0x8.c4ff28928d7e72cp-11L, 0xd.73c821ec1ce300bp+1L, 0xd.7759203a3a6cc82p+1L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0x8p-3L, 0xf.ap+6L, 0xc.4597b4a2339c0ecp+9L, 0xc.49ba5e353f7ced9p-10L, 0x8.3126e978d4fdf3bp-11L, 0xd.d9a7222ace68e52p+11L, 0xb.8ab5f1ce56acbeep+12L, 0x9.8159d9eecf226a7p-8L, 0xd.d505a921b42b4c1p-13L, 0xc.1c93c5ac22ddb72p-11L, 0xc.983266d93152789p-5L}, {"152.8", "1.225", "0.004282", "26.9", "26.93", "0.03713", "0.02837", "0.04728", "0.001688", "0.0002196", "0.005914", "1.194E-0005", "0.0002341", "0.0002344", "2.92", "0.3936" }},
    {"disc coil inside the winding", {{"eR1", "0.005"}, {"eR2", "0.03"}, {"eH", "0.01"}, {"ehh", "0.02"}, {"eD", "0.0005"}, {"eLambda", "0.75"}, {"ex", "0.015"}, {"ez", "0.015"}}, false, {0xe.ebb7fcae7328c7dp+6L, 0xcp-4L, 0xa.3d70a3d70a3d70ap-11L, 0xf.5c28f5c28f5c28fp-9L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-9L, 0x8.3126e978d4fdf3bp-14L, 0x8.ee3566656e64db4p+1L, 0xc.8237231aece726cp-8L, 0x0p+0L, 0x8.ee3566656e64db4p+1L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0x8p-3L, 0x0p+0L, 0x0p+0L, 0xf.5c28f5c28f5c28fp-10L, 0xf.5c28f5c28f5c28fp-10L, 0xd.0d87fe3f81dc86p+14L, 0x8.b3affed5013daeap+15L, 0xe.5538f56ced8388cp-8L, 0xe.5538f56ced8388cp-8L, 0xd.b31f66f816fbc8p-9L, 0xb.7ab89b134b9f2b5p-5L}, {"954.9", "17.86", "0.04886", "0", "17.86", "0.05599", "0.2139", "0.2851", "0.05599", "0.001498", "0.02676", "9.676E-0005", "0.001272", "0.001276", "4.349", "0.3587" }},
    {"far point, current source at 400 Hz", {{"eFREQ", "400"}, {"eSource1", "0.2"}, {"ex", "0.2"}, {"ez", "0.3"}}, true, {0xe.52ee114b4fd53acp+4L, 0x9.99999999999999ap-4L, 0xa.3d70a3d70a3d70ap-10L, 0xa.3d70a3d70a3d70ap-9L, 0xf.5c28f5c28f5c28fp-9L, 0xa.3d70a3d70a3d70ap-10L, 0x8.3126e978d4fdf3bp-13L, 0xe.b27236697ca0211p-4L, 0xe.917249e2128182cp-13L, 0x8.f05c111efc6072p-1L, 0x9.20304a687be62e4p-1L, 0x8.f73b038dde6266fp-29L, 0x8.7fp+10L, 0xe.99e6dd73f9704ap-4L, 0xc.8p+5L, 0x9.d1462a1b5c7cd8ap+8L, 0xc.ccccccccccccccdp-6L, 0x9.99999999999999ap-5L, 0x9.5352fded07f97dp+14L, 0xf.8adfa735b7f525ap+14L, 0xc.ccccccccccccccdp-6L, 0x9.67f72d104fc2a49p-8L, 0xb.a3928a47dee6ea2p-11L, 0x9.7225cd22e4fdda7p-5L}, {"229.2", "0.9186", "0.001778", "4.469", "4.563", "0.9126", "0.1528", "0.2546", "0.03674", "0.001137", "0.005683", "2.014E-0007", "1.537E-0007", "2.533E-0007", "52.65", "0.2952" }},
};
// clang-format on

TEST(GoldenTable, EveryRecordFieldAndResultTextIsAsPinned) {
    for (const GoldenCase& c : kGolden) {
        SCOPED_TRACE(c.name);
        TextControls controls;
        controls.SetCurrentSource(c.currentSource);
        for (const auto& [box, text] : c.inputs)
            controls.SetText(box, text);
        CalcRecord rec;
        bCalcClick(controls, rec);
        EXPECT_EQ(controls.Text(kStatusBox), kReadyText);
        for (std::size_t i = 0; i < std::size(kCalcRecordFields); ++i) {
            // Compared as exact values: equal means the same 64-bit significand.
            EXPECT_EQ(rec.*kCalcRecordFields[i].member, c.record[i]) << kCalcRecordFields[i].name;
        }
        for (std::size_t i = 0; i < kResultBoxes.size(); ++i)
            EXPECT_EQ(controls.Text(kResultBoxes[i].name), c.texts[i]) << kResultBoxes[i].name;
    }
}

}  // namespace
}  // namespace varnel
