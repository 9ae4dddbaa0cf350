#include "accuracy/filament.h"

#include <cmath>
#include <numbers>

#include "accuracy/elliptic.h"

namespace varnel::exact {

FieldComponents LoopField(long double a, long double rho, long double da, long double dz) {
    const long double far2 = (a + rho) * (a + rho) + dz * dz;  // (a + rho)^2 + dz^2
    const long double near2 = da * da + dz * dz;               // (a - rho)^2 + dz^2
    if (rho == 0) {
        // On the axis: mu0 a^2 / (2 (a^2 + dz^2)^(3/2)), axial only.
        return {0, kMu0 * a * a / (2 * far2 * std::sqrt(far2))};
    }
    const long double k2 = 4 * a * rho / far2;
    const long double kc = std::sqrt(near2 / far2);
    const CompleteElliptic ke = EllipticKE(k2, kc);
    const long double scale = kMu0 / (2 * std::numbers::pi_v<long double> * std::sqrt(far2));
    // a^2 - rho^2 - dz^2, formed from the offsets so it keeps its digits near the filament.
    const long double axialRatio = (da * (2 * rho + da) - dz * dz) / near2;
    const long double radialRatio = (a * a + rho * rho + dz * dz) / near2;
    FieldComponents b;
    b.axial = scale * (ke.K + axialRatio * ke.E);
    b.radial = scale * dz / rho * (-ke.K + radialRatio * ke.E);
    return b;
}

long double LoopMutualInductance(long double a, long double b, long double db, long double d) {
    const long double far2 = (a + b) * (a + b) + d * d;
    const long double k2 = 4 * a * b / far2;
    const long double k = std::sqrt(k2);
    const long double kc = std::sqrt((db * db + d * d) / far2);
    const CompleteElliptic ke = EllipticKE(k2, kc);
    return kMu0 * std::sqrt(a * b) * ((2 / k - k) * ke.K - 2 / k * ke.E);
}

}  // namespace varnel::exact
