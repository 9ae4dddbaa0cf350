// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "command/field_source.h"
#include "engine/field.h"

namespace varnel {

// The windings' sums at a point depend only on the geometry (R1, R2, H, h) and the point, not
// on the wire, the turns, the material or the supply. The rows of a study that share those (a
// sweep over the frequency or the supply, a batch of wires for one former) share the sums
// through this store: each is computed once, on whichever thread asks first, and every row
// gets the same numbers it would have computed itself. Safe to use from several threads.
class SharedFieldSums {
  public:
    // The pair's sums for the record's geometry at (x, z).
    PairSums At(const CalcRecord& rec, long double x, long double z);
    // How many sums were computed rather than found: for tests and benchmarks.
    std::size_t computed() const;

  private:
    struct Entry {
        long double R1, R2, H, hh, x, z;
        PairSums sums;
    };
    // Enough for the centre and a point of a few geometries in flight on every thread; the
    // oldest go first, so a long sweep holds no more than this.
    static constexpr std::size_t kKept = 256;
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
    std::size_t next_ = 0;  // the entry to replace when full
    std::size_t computed_ = 0;
};

// A field source answering from the shared sums, for one calculation's record.
class SharedSumsFieldSource : public FieldSource {
  public:
    SharedSumsFieldSource(const CalcRecord& rec, SharedFieldSums& shared)
        : rec_(rec), shared_(shared) {}
    long double Radial(long double x, long double z, long double I) override;
    long double Axial(long double x, long double z, long double I) override;
    long double Modulus(long double x, long double z, long double I) override;
    long double Angle(long double x, long double z, long double I) override;

  private:
    const CalcRecord& rec_;
    SharedFieldSums& shared_;
};

}  // namespace varnel
