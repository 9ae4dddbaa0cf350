// SPDX-License-Identifier: GPL-3.0-or-later
#include "study/shared_sums.h"

namespace varnel {

PairSums SharedFieldSums::At(const CalcRecord& rec, long double x, long double z) {
    {
        const std::lock_guard lock(mutex_);
        // Equal numbers give equal sums (-0 and +0 too: see ReusingFieldSource).
        for (const Entry& e : entries_) {
            if (e.R1 == rec.R1 && e.R2 == rec.R2 && e.H == rec.H && e.hh == rec.hh && e.x == x &&
                e.z == z)
                return e.sums;
        }
    }
    // Computed outside the lock; two threads that meet here compute the same numbers.
    const PairSums sums = PairFieldSums(rec, x, z);
    const std::lock_guard lock(mutex_);
    ++computed_;
    const Entry entry{rec.R1, rec.R2, rec.H, rec.hh, x, z, sums};
    if (entries_.size() < kKept) {
        entries_.push_back(entry);
    } else {
        entries_[next_] = entry;
        next_ = (next_ + 1) % kKept;
    }
    return sums;
}

std::size_t SharedFieldSums::computed() const {
    const std::lock_guard lock(mutex_);
    return computed_;
}

long double SharedSumsFieldSource::Radial(long double x, long double z, long double I) {
    return PairRadialFromSums(rec_, shared_.At(rec_, x, z), I);
}

long double SharedSumsFieldSource::Axial(long double x, long double z, long double I) {
    return PairAxialFromSums(rec_, shared_.At(rec_, x, z), I);
}

long double SharedSumsFieldSource::Modulus(long double x, long double z, long double I) {
    const PairSums sums = shared_.At(rec_, x, z);
    return FieldModulusOf(PairRadialFromSums(rec_, sums, I), PairAxialFromSums(rec_, sums, I));
}

long double SharedSumsFieldSource::Angle(long double x, long double z, long double I) {
    const PairSums sums = shared_.At(rec_, x, z);
    return FieldAngleOf(PairRadialFromSums(rec_, sums, I), PairAxialFromSums(rec_, sums, I));
}

}  // namespace varnel
