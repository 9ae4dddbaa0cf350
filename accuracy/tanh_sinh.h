// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace varnel::exact {

// Double-exponential (tanh-sinh) quadrature on [0, 1]. Its nodes crowd towards both ends, so
// it converges fast for integrands with logarithmic or inverse-square-root singularities at an
// end, which is where the integrals over a winding put them.
class TanhSinh {
  public:
    struct Node {
        long double s;           // position in (0, 1)
        long double complement;  // 1 - s, accurate near s = 1
        long double weight;
    };

    // Step 2^-level; level 3 has 51 nodes, each level up about twice as many.
    explicit TanhSinh(int level);

    const std::vector<Node>& nodes() const { return nodes_; }

  private:
    std::vector<Node> nodes_;
};

}  // namespace varnel::exact
