# SPDX-License-Identifier: GPL-3.0-or-later
"""field on arrays: the same numbers as point by point, as the calculator's sums (classic) and
as the accuracy library's integrals (exact); shapes, threads and the pair's current."""

import numpy
import pytest

import varnel

# A thick pair far from the defaults: a current source, the gap wider than the coils.
PAIR = varnel.Pair(R1=0.021, R2=0.034, H=0.012, h=0.018, D=0.0006, Lambda=0.71, source=1.5,
                   current=True, f=50)
# Points on the axis, in the mid-plane, inside a winding, beyond it and on the other side.
X = numpy.array([0.0, 0.004, 0.025, 0.03, 0.05, -0.012, 0.0])
Z = numpy.array([0.0, 0.003, 0.02, -0.021, 0.0, 0.007, 0.06])


@pytest.mark.parametrize("model", ["exact", "classic"])
def test_array_equals_point_by_point(model):
    on_array = varnel.field(X, Z, PAIR, model=model)
    for i, (x, z) in enumerate(zip(X, Z)):
        one = varnel.field(float(x), float(z), PAIR, model=model)
        assert (one.Bx, one.Bz, one.B) == (on_array.Bx[i], on_array.Bz[i], on_array.B[i])


@pytest.mark.parametrize("model", ["exact", "classic"])
def test_shapes_are_kept_and_broadcast(model):
    xs = numpy.linspace(0, 0.04, 12).reshape(2, 3, 2)
    zs = numpy.linspace(-0.03, 0.03, 12).reshape(2, 3, 2)
    grid = varnel.field(xs, zs, PAIR, model=model, threads=2)
    assert grid.Bx.shape == grid.Bz.shape == grid.B.shape == (2, 3, 2)
    flat = varnel.field(xs.ravel(), zs.ravel(), PAIR, model=model, threads=1)
    assert numpy.array_equal(grid.Bz.ravel(), flat.Bz)
    assert numpy.array_equal(grid.Bx.ravel(), flat.Bx)
    # A column of x against a row of z: every combination.
    cross = varnel.field(X[:, None], Z[None, :], PAIR, model=model)
    assert cross.B.shape == (len(X), len(Z))
    assert cross.Bz[2, 3] == varnel.field(X[2], Z[3], PAIR, model=model).Bz
    assert numpy.allclose(cross.B, numpy.hypot(cross.Bx, cross.Bz), rtol=1e-15, atol=0)


def test_many_points_on_every_thread_count_agree():
    rng = numpy.random.default_rng(26)
    xs = rng.uniform(-0.06, 0.06, 5000)
    zs = rng.uniform(-0.06, 0.06, 5000)
    one = varnel.field(xs, zs, PAIR, threads=1)
    for threads in (2, 3, None):
        other = varnel.field(xs, zs, PAIR, threads=threads)
        assert numpy.array_equal(one.Bx, other.Bx) and numpy.array_equal(one.Bz, other.Bz)


def test_classic_is_the_calculators_field_at_the_point():
    for x, z in [(0.004, 0.003), (0.025, 0.02), (0.05, 0.0)]:
        result = varnel.calculate(PAIR, x=x, z=z)
        point = varnel.field(x, z, PAIR, model="classic")
        # x and z reach the calculator as texts, the field as floats: a rounding apart.
        assert point.Bx == pytest.approx(float(result.extended["Bxd"]), rel=1e-14, abs=1e-18)
        assert point.Bz == pytest.approx(float(result.extended["Bzd"]), rel=1e-14)
        assert point.B == pytest.approx(float(result.extended["Bd"]), rel=1e-14)
    centre = varnel.field(0, 0, PAIR, model="classic")
    assert centre.B == pytest.approx(varnel.calculate(PAIR).values["B0d"], rel=1e-15)


def test_exact_agrees_with_the_accuracy_library():
    # The accuracy check integrates filament formulas over the windings: an independent method.
    for x, z in [(0.0, 0.0), (0.01, 0.012), (0.027, 0.015), (0.045, -0.03)]:
        rows = {row.quantity: row for row in varnel.check(PAIR, x=x, z=z)}
        point = varnel.field(x, z, PAIR)
        scale = rows["B0d"].exact
        assert abs(point.Bx - rows["Bxd at the point"].exact) < 1e-8 * scale
        assert abs(point.Bz - rows["Bzd at the point"].exact) < 1e-8 * scale


@pytest.mark.parametrize("model", ["exact", "classic"])
def test_the_field_is_mirrored_in_the_axis_and_the_mid_plane(model):
    right = varnel.field(0.013, 0.009, PAIR, model=model)
    left = varnel.field(-0.013, 0.009, PAIR, model=model)
    below = varnel.field(0.013, -0.009, PAIR, model=model)
    assert (left.Bx, left.Bz) == (-right.Bx, right.Bz)
    assert below.Bx == pytest.approx(-right.Bx, rel=1e-12)
    assert below.Bz == pytest.approx(right.Bz, rel=1e-12)


@pytest.mark.parametrize("model", ["exact", "classic"])
def test_the_field_follows_the_supply_current(model):
    # A current source of 2 A drives twice the field of 1 A: scaling by two is exact.
    one = varnel.field(X, Z, PAIR.replace(source=1), model=model)
    two = varnel.field(X, Z, PAIR.replace(source=2), model=model)
    assert numpy.array_equal(2 * one.Bz, two.Bz)
    assert numpy.array_equal(2 * one.Bx, two.Bx)


def test_wrong_shapes_models_and_threads_are_refused():
    with pytest.raises(ValueError):
        varnel.field(numpy.zeros(3), numpy.zeros(4), PAIR)
    with pytest.raises(ValueError, match="fast"):
        varnel.field(0, 0, PAIR, model="fast")
    with pytest.raises(ValueError, match="threads"):
        varnel.field(0, 0, PAIR, threads=0)
    with pytest.raises(TypeError, match="threads"):
        varnel.field(0, 0, PAIR, threads=1.5)


def test_an_empty_array_gives_empty_results():
    empty = varnel.field(numpy.zeros((0, 3)), numpy.zeros((0, 3)), PAIR)
    assert empty.Bz.shape == (0, 3)
