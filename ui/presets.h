// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

// The fixed texts that the preset labels and radio buttons put into the input boxes, written
// with "." and shown with the current decimal separator.
namespace varnel::ui {

struct Material {
    std::string_view radio;
    std::string_view resistivity;  // eRoe, ohm*m
    std::string_view density;      // eRo, kg/m^3
};

inline constexpr Material kCopper{"rbCu", "1.67E-8", "8700"};
inline constexpr Material kAluminium{"rbAl", "2.69E-8", "2300"};
inline constexpr Material kIron{"rbFe", "9.71E-8", "8300"};

// Packing factors: the middle of the range each label names.
inline constexpr std::string_view kRandomWinding = "0.55";
inline constexpr std::string_view kLayerWinding = "0.65";
inline constexpr std::string_view kBarWinding = "0.75";

}  // namespace varnel::ui
