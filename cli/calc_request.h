#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "command/text_controls.h"
#include "engine/calc_record.h"

namespace varnel {

// One input as varnel-calc names it, and the window's box it fills.
struct InputOption {
    std::string_view option;  // as typed after "--" and as a batch file's column
    std::string_view box;
    std::string_view help;
};

// In the order the command reads them.
inline constexpr std::array<InputOption, 12> kInputOptions = {{
    {"R1", "eR1", "inner radius of the winding, m"},
    {"R2", "eR2", "outer radius of the winding, m"},
    {"H", "eH", "height of one coil, m"},
    {"h", "ehh", "gap between the coils, m"},
    {"D", "eD", "wire diameter, m"},
    {"Lambda", "eLambda", "packing factor of the winding (< 1)"},
    {"Roe", "eRoe", "resistivity of the wire, Ohm*m"},
    {"Ro", "eRo", "density of the wire, kg/m^3"},
    {"f", "eFREQ", "supply frequency, Hz"},
    {"source", "eSource1", "RMS voltage of the supply, V (with --current: RMS current, A)"},
    {"x", "ex", "radial coordinate of the field point, m"},
    {"z", "ez", "axial coordinate of the field point from the centre, m"},
}};
inline constexpr std::size_t kXInput = 10;
inline constexpr std::size_t kZInput = 11;

std::optional<std::size_t> InputIndex(std::string_view option);

// The inputs of one calculation: the texts typed into the boxes and the source mode.
struct CalcRequest {
    std::array<std::string, kInputOptions.size()> texts;
    bool currentSource = false;

    // The window's default texts and its voltage source.
    static CalcRequest Defaults();
};

// Adds --R1 ... --z (each a text taken exactly as given) and --current. Without the point,
// --x and --z are left to the caller.
void AddInputOptions(CLI::App& app, CalcRequest& request, bool withPoint = true);

// The field as the result boxes show it, at full precision, for the record's current.
struct FieldValues {
    long double centre = 0;   // B0d
    long double radial = 0;   // Bxd
    long double axial = 0;    // Bzd
    long double modulus = 0;  // Bd
    long double angle = 0;    // degrees
};

// What one calculation gave: results, a failed check, or an error with its message.
struct CalcOutcome {
    enum class Kind { Results, CheckFailed, Error };
    Kind kind = Kind::Results;
    std::string message;  // the status text, or the error as the error box words it
    TextControls controls;
    CalcRecord rec;
    FieldValues field;
};

CalcOutcome RunCalculation(const CalcRequest& request);

}  // namespace varnel
