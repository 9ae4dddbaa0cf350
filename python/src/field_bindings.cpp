// SPDX-License-Identifier: GPL-3.0-or-later
#include "python/src/field_bindings.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "python/src/entry_points.h"
#include "python/src/errors.h"
#include "python/src/interrupts.h"
#include "python/src/request.h"
#include "study/parallel_runner.h"

namespace py = pybind11;

namespace varnel::python {
namespace {

using Points = py::array_t<double, py::array::c_style | py::array::forcecast>;

// Points handed to the runner as one item: enough that its bookkeeping costs nothing beside
// them, few enough that a stop is heard at once.
constexpr std::size_t kBlock = 512;

py::tuple FieldOnPoints(const Points& x, const Points& z, const std::vector<std::string>& texts,
                        bool current, const std::string& model, unsigned threads) {
    if (x.ndim() != z.ndim() || !std::equal(x.shape(), x.shape() + x.ndim(), z.shape()))
        throw std::invalid_argument("x and z must have the same shape");
    const bool exact = model == "exact";
    if (!exact && model != "classic")
        throw std::invalid_argument("model: '" + model + "' is not \"exact\" or \"classic\"");
    const CalcOutcome base = FieldBase(RequestOf(texts, current));
    ThrowUnlessResults(base);
    const std::vector<py::ssize_t> shape(x.shape(), x.shape() + x.ndim());
    py::array_t<double> radial(shape), axial(shape), modulus(shape);
    const std::size_t count = static_cast<std::size_t>(x.size());
    const double* xs = x.data();
    const double* zs = z.data();
    double* bx = radial.mutable_data();
    double* bz = axial.mutable_data();
    double* b = modulus.mutable_data();
    const CalcRecord& rec = base.rec;
    auto compute = [&](std::size_t block) {
        const std::size_t end = std::min(count, (block + 1) * kBlock);
        for (std::size_t i = block * kBlock; i < end; ++i) {
            const FieldVector v =
                exact ? ExactField(rec, xs[i], zs[i]) : ClassicField(rec, xs[i], zs[i]);
            bx[i] = v.radial;
            bz[i] = v.axial;
            b[i] = v.modulus;
        }
    };
    SignalWatch watch;
    {
        const py::gil_scoped_release released;
        RunInOrder((count + kBlock - 1) / kBlock, threads > 0 ? threads : AllThreads(), compute,
                   [](std::size_t) {}, watch.token(),
                   [&](std::size_t, std::size_t) { watch.Poll(); });
    }
    watch.ThrowIfRaised();
    return py::make_tuple(radial, axial, modulus);
}

}  // namespace

void AddFieldBindings(py::module_& module) {
    module.def("field", &FieldOnPoints, py::arg("x"), py::arg("z"), py::arg("texts"),
               py::arg("current"), py::arg("model"), py::arg("threads"),
               "Bx, Bz and |B| (T) at the points (x, z) (m) for the pair of the input texts.");
}

}  // namespace varnel::python
