// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// The wires and materials a design is made from, read from CSV tables that ship with the
// program (share/varnel-coils) or that the user gives with the same columns.
namespace varnel::design {

// A table that cannot be used; the message names the file and, for a bad row, its line. The
// message is kept whole: a cell may hold any byte, a NUL included, where what() stops.
class CatalogueError : public std::runtime_error {
  public:
    explicit CatalogueError(const std::string& message)
        : std::runtime_error(message), message_(message) {}
    const std::string& message() const { return message_; }

  private:
    std::string message_;
};

// The largest catalogue read, and its longest line: a wire table is a few kilobytes, so
// anything near these is not one (and /dev/zero is never read without end).
constexpr std::size_t kMaxCatalogueBytes = 4 * 1024 * 1024;
constexpr std::size_t kMaxCatalogueLine = 4096;

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
// since no value was found for them. `file` names the table in messages. Numbers are written
// with "." whatever the locale; a column or a wire named twice, a line longer than
// kMaxCatalogueLine or a text longer than kMaxCatalogueBytes is refused.
std::vector<Wire> ParseWires(const std::string& text, const std::string& file,
                             const std::string& grade);

// "metric" and "awg" name the shipped tables; anything else is a file to read, which must be a
// regular file of at most kMaxCatalogueBytes.
std::vector<Wire> LoadWires(const std::string& which, const std::string& grade);

std::vector<Material> ParseMaterials(const std::string& text, const std::string& file);

// The one table of conductor materials: the shipped data/materials.csv, read once. Throws
// CatalogueError when it cannot be read.
const std::vector<Material>& ShippedMaterials();

// A material's short key: the first word of its name ("copper", "aluminium").
std::string MaterialKey(const Material& m);

// A shipped material by its whole name or its key; the start of a word ("cop") names nothing.
// None when no material has that name or the table cannot be read.
std::optional<Material> FindMaterial(const std::string& name);

// The same, or CatalogueError naming the table.
Material LoadMaterial(const std::string& name);

}  // namespace varnel::design
