// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "engine/calc_record.h"
#include "engine/field.h"

namespace varnel {

// The field values the calculate command asks for, by the arguments of the field routines.
// The command asks for the same values several times while it writes its results.
class FieldSource {
  public:
    virtual ~FieldSource() = default;
    virtual long double Radial(long double x, long double z, long double I) = 0;
    virtual long double Axial(long double x, long double z, long double I) = 0;
    virtual long double Modulus(long double x, long double z, long double I) = 0;
    virtual long double Angle(long double x, long double z, long double I) = 0;
};

// Runs the field routines anew for every question: the reference the fast source must match.
class RecomputingFieldSource : public FieldSource {
  public:
    explicit RecomputingFieldSource(const CalcRecord& rec) : rec_(rec) {}
    long double Radial(long double x, long double z, long double I) override;
    long double Axial(long double x, long double z, long double I) override;
    long double Modulus(long double x, long double z, long double I) override;
    long double Angle(long double x, long double z, long double I) override;

  private:
    const CalcRecord& rec_;
};

// Sums the windings once per point and applies each current to the stored sums: the same
// values as RecomputingFieldSource, bit for bit. Valid while the record's geometry and turns
// stay as they were at the first question.
class ReusingFieldSource : public FieldSource {
  public:
    explicit ReusingFieldSource(const CalcRecord& rec) : rec_(rec) {}
    long double Radial(long double x, long double z, long double I) override;
    long double Axial(long double x, long double z, long double I) override;
    long double Modulus(long double x, long double z, long double I) override;
    long double Angle(long double x, long double z, long double I) override;

  private:
    const PairSums& SumsAt(long double x, long double z);

    struct Point {
        long double x, z;
        PairSums sums;
    };
    const CalcRecord& rec_;
    std::vector<Point> points_;  // a command asks about two points: the centre and its own
};

}  // namespace varnel
