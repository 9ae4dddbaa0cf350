// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

// The wires and materials a design is made from, read from CSV tables that ship with the
// program (share/varnel-coils) or that the user gives with the same columns.
namespace varnel::design {

// A table that cannot be used; the message names the file and, for a bad row, its line.
class CatalogueError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Wire {
    std::string name;
    long double bare = 0;     // conductor diameter, m
    long double overall = 0;  // largest diameter over the enamel, m
};

struct Material {
    std::string name;
    long double resistivity20 = 0;  // ohm*m at 20 degrees C
    long double alpha = 0;          // temperature coefficient of resistance at 20 C, 1/K
    long double density = 0;        // kg/m^3
    long double specificHeat = 0;   // J/(kg*K)
};

// The folder holding the shipped tables: beside the installed program
// (../share/varnel-coils), then the installation folder, then the source tree's data/.
std::string DataDirectory();

// Wires from a table with columns name, bare_mm and one or more overall_GRADE_mm. `grade`
// picks the overall column (empty: the first); rows whose cell for it is empty are left out,
// since no value was found for them. `file` names the table in messages.
std::vector<Wire> ParseWires(const std::string& text, const std::string& file,
                             const std::string& grade);

// "metric" and "awg" name the shipped tables; anything else is a file to read.
std::vector<Wire> LoadWires(const std::string& which, const std::string& grade);

std::vector<Material> ParseMaterials(const std::string& text, const std::string& file);

// A material of the shipped table by a name or the start of one ("copper", "aluminium").
Material LoadMaterial(const std::string& name);

}  // namespace varnel::design
