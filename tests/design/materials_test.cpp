// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "design/catalogue.h"
#include "design/winding.h"

namespace {

using namespace varnel::design;

// Published values of the two conductor grades: annealed copper of IEC 60028 (17.241 nOhm m,
// 0.00393 /K, 8890 kg/m^3) and aluminium EC 1350 of IEC 60889, 61 % IACS (28.264 nOhm m,
// 0.00403 /K, 2703 kg/m^3, 897 J/(kg K)).
TEST(Materials, TheRegistryKnowsEachConductorByItsKeyAndWholeName) {
    const std::optional<Material> aluminium = FindMaterial("aluminium");
    ASSERT_TRUE(aluminium);
    EXPECT_EQ(aluminium->name, "aluminium_EC_1350");
    EXPECT_EQ(MaterialKey(*aluminium), "aluminium");
    EXPECT_NEAR(aluminium->resistivity20, 28.264e-9L, 1e-15L);
    EXPECT_NEAR(aluminium->alpha, 0.00403L, 1e-12L);
    EXPECT_NEAR(aluminium->density, 2703.0L, 1e-9L);
    EXPECT_NEAR(aluminium->specificHeat, 897.0L, 1e-9L);

    const std::optional<Material> copper = FindMaterial("copper_annealed_IEC60028");
    ASSERT_TRUE(copper);
    EXPECT_EQ(MaterialKey(*copper), "copper");
    EXPECT_NEAR(copper->resistivity20, 17.241e-9L, 1e-15L);
    EXPECT_NEAR(copper->alpha, 0.00393L, 1e-12L);
    EXPECT_NEAR(copper->density, 8890.0L, 1e-9L);
}

TEST(Materials, TheStartOfAWordOrAnUnknownNameIsNoMaterial) {
    EXPECT_FALSE(FindMaterial("alu"));
    EXPECT_FALSE(FindMaterial(""));
    EXPECT_FALSE(FindMaterial("silver"));
    EXPECT_THROW(LoadMaterial("silver"), CatalogueError);
    EXPECT_EQ(LoadMaterial("aluminium").name, "aluminium_EC_1350");
}

TEST(Materials, TheTableIsReadOnce) {
    EXPECT_EQ(&ShippedMaterials(), &ShippedMaterials());
    EXPECT_EQ(ShippedMaterials().size(), 2u);
}

// The calculator's Lambda for an ideal section, worked by hand with its pi = 3.1415926:
// orthocyclic turns of equal bare and overall diameter, 3.1415926 / (2 sqrt 3) = 0.906899667;
// layer on layer with bare/overall = 0.9, 3.1415926 / 4 * 0.81 = 0.636172502; a random fill of
// 0.6 of circles (true pi) read with the calculator's pi, 0.6 * 3.1415926 / pi = 0.59999998977.
TEST(Materials, IdealPackingUsesTheCalculatorsPiForEveryStyle) {
    const Wire thin{"", 0.9e-3L, 1.0e-3L}, bare{"", 1.0e-3L, 1.0e-3L};
    EXPECT_NEAR(IdealPackingFactor({WindingStyle::Orthocyclic, 0}, bare), 0.9068996666L, 1e-9L);
    EXPECT_NEAR(IdealPackingFactor({WindingStyle::LayerOnLayer, 0}, thin), 0.6361725015L, 1e-9L);
    const long double random = IdealPackingFactor({WindingStyle::Random, 0.6L}, bare);
    EXPECT_NEAR(random, 0.5999999898L, 2e-10L);  // the true pi would give 0.6 exactly
}

}  // namespace
