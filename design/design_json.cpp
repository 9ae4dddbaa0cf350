// SPDX-License-Identifier: GPL-3.0-or-later
#include "design/design_json.h"

#include "design/winding.h"

namespace varnel::design {

nlohmann::ordered_json DesignJson(const Design& d, const Goals& g) {
    const Evaluation& m = d.model;
    nlohmann::ordered_json j;
    j["R1"] = static_cast<double>(m.geometry.R1);
    j["R2"] = static_cast<double>(m.geometry.R2);
    j["H"] = static_cast<double>(m.geometry.H);
    j["h"] = static_cast<double>(m.geometry.h);
    j["wire"] = d.wire.name;
    j["D"] = static_cast<double>(d.wire.bare);
    j["D_overall"] = static_cast<double>(d.wire.overall);
    j["winding"] = WindingName(g.winding);
    j["Lambda"] = static_cast<double>(m.fit.lambda);
    j["turns"] = m.fit.turns;
    j["layers"] = m.fit.layers;
    j["turns_per_layer"] = m.fit.turnsPerLayer;
    j["R20"] = static_cast<double>(d.R20);
    j["R_hot"] = static_cast<double>(d.Rhot);
    j["L"] = static_cast<double>(d.L);
    j["I"] = static_cast<double>(d.I);
    j["U"] = static_cast<double>(d.U);
    j["P_hot"] = static_cast<double>(d.P);
    j["B0"] = static_cast<double>(d.B0classic);
    j["B0_exact"] = static_cast<double>(d.B0exact);
    j["uniform_tol"] = static_cast<double>(d.extentsTol);
    j["uniform_axis"] = static_cast<double>(d.extents.axial);
    j["uniform_radial"] = static_cast<double>(d.extents.radial);
    j["uniform_radial_is_lower_bound"] = !d.extents.radialReliable;
    if (g.uniform)
        j["sphere_deviation"] = static_cast<double>(d.sphereExact);
    j["dT"] = static_cast<double>(m.hot.rise);
    j["dT_hot_spot"] = static_cast<double>(m.hot.hotSpot);
    j["thermal_time_constant"] = static_cast<double>(d.thermalTimeConstant);
    j["B0_switch_on"] = static_cast<double>(d.B0switchOn);
    j["mass"] = static_cast<double>(m.mass);
    j["wire_length"] = static_cast<double>(m.wireLength);
    j["L_over_R"] = static_cast<double>(d.timeConstant);
    j["heating_rate"] = static_cast<double>(d.heatingRate);
    j["Roe_hot"] = static_cast<double>(d.hotResistivity);
    j["sensitivity"] = nlohmann::ordered_json::array();
    for (const Sensitivity& x : d.sensitivity) {
        nlohmann::ordered_json item;
        item["what"] = x.what;
        item["change"] = static_cast<double>(x.change);
        item["B0_change"] = static_cast<double>(x.B0);
        if (g.uniform)
            item["sphere_deviation"] = static_cast<double>(x.deviation);
        j["sensitivity"].push_back(item);
    }
    j["binding"] = d.binding;
    j["command"] = d.command;
    return j;
}

nlohmann::ordered_json SearchJson(const Answer& a) {
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (const WireSummary& s : a.summaries) {
        nlohmann::ordered_json item;
        item["wire"] = s.wire;
        item["builds"] = s.builds;
        item["stopped"] = s.stopped;
        item["finish"] = s.finish;
        if (s.objective)
            item["objective"] = static_cast<double>(*s.objective);
        out.push_back(item);
    }
    return out;
}

nlohmann::ordered_json ClosestJson(const Closest& c) {
    return {{"B0", static_cast<double>(c.B0)},
            {"sphere_deviation", static_cast<double>(c.deviation)},
            {"P_hot", static_cast<double>(c.power)},
            {"dT", static_cast<double>(c.rise)},
            {"runaway", c.runaway}};
}

}  // namespace varnel::design
