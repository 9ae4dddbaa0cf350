# SPDX-License-Identifier: GPL-3.0-or-later
"""check and uniform give what varnel-calc check --json and uniform --json give."""

import pytest

import varnel
from conftest import calc_json

PAIR = varnel.Pair(R1=0.018, R2=0.03, H=0.02, h=0.009, D=0.0007, Roe="2.8E-8", Ro=2700,
                   source=5)
ARGS = ["--R1=0.018", "--R2=0.03", "--H=0.02", "--h=0.009", "--D=0.0007", "--Roe=2.8E-8",
        "--Ro=2700", "--source=5"]


def test_check_equals_varnel_calc():
    expected, status = calc_json("check", *ARGS, "--x=0.006", "--z=0.011")
    assert status == 0
    rows = varnel.check(PAIR, x=0.006, z=0.011)
    assert [r.quantity for r in rows] == [e["quantity"] for e in expected]
    for row, e in zip(rows, expected):
        assert row.unit == e["unit"]
        assert row.classic == (None if e["classic"] is None else float(e["classic"]))
        assert row.exact == float(e["exact"])
        assert row.estimated_error == float(e["estimated_error"])
        assert row.relative_difference == e["relative_difference"]


def test_check_of_a_pair_that_fails_raises():
    with pytest.raises(varnel.InputCheckError, match="^Введите x >= 0$"):
        varnel.check(PAIR, x=-1)


@pytest.mark.parametrize("model", ["exact", "classic"])
@pytest.mark.parametrize("tol", ["0.01", "0.0002"])
def test_uniform_equals_varnel_calc(tol, model):
    expected, status = calc_json("uniform", *ARGS, "--tol", tol, "--model", model)
    assert status == 0
    region = varnel.uniform(PAIR, tol=float(tol), model=model)
    assert region.tolerance == expected["tolerance"]
    assert region.B0d == float(expected["B0d"])
    for got, text in [(region.axial, expected["axial"]), (region.radial, expected["radial"])]:
        assert got == (None if text is None else float(text))
    assert region.scanned.axial == float(expected["scanned"]["axial"])
    assert region.scanned.radial == float(expected["scanned"]["radial"])
    # The field at the region's ends is off B0d by the tolerance.
    if region.axial is not None:
        end = varnel.field(0, region.axial, PAIR, model=model)
        assert abs(end.B / region.B0d - 1) == pytest.approx(float(tol), rel=1e-3)


@pytest.mark.parametrize("tol", [0, 1, -0.1, "x"])
def test_uniform_refuses_a_tolerance_outside_zero_to_one(tol):
    with pytest.raises(varnel.GoalError, match="tol"):
        varnel.uniform(PAIR, tol=tol)


def test_uniform_without_a_supply_has_no_region():
    with pytest.raises(varnel.GoalError, match="zero everywhere"):
        varnel.uniform(PAIR.replace(source=0))
