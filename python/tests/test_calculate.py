# SPDX-License-Identifier: GPL-3.0-or-later
"""calculate gives what varnel-calc --json --full gives for the same inputs: the sixteen texts,
every value at full precision, the status, the check message or the error."""

import decimal
import math

import pytest

import varnel
from conftest import calc_json

# Python inputs beside the texts typed for varnel-calc; numbers on the Python side must read as
# the texts do.
CASES = [
    ("defaults", {}, []),
    ("aluminium current source at 50 Hz, point inside the winding",
     dict(Roe=2.8e-8, Ro=2700, f=50, source=2, current=True, x=0.015, z=0.02),
     ["--Roe=2.8e-8", "--Ro=2700", "--f=50", "--source=2", "--current", "--x=0.015", "--z=0.02"]),
    ("asymmetric geometry as texts, point below the centre",
     dict(R1="0.0125", R2="0.031", H="0.022", h="0.047", D="0.00071", Lambda="0.78", x="0.004",
          z="-0.013"),
     ["--R1=0.0125", "--R2=0.031", "--H=0.022", "--h=0.047", "--D=0.00071", "--Lambda=0.78",
      "--x=0.004", "--z=-0.013"]),
    ("a Decimal, an int and a float with an exponent",
     dict(R1=decimal.Decimal("0.0105"), Ro=8900, Roe=1.72e-08, source=230, f=400),
     ["--R1=0.0105", "--Ro=8900", "--Roe=1.72E-8", "--source=230", "--f=400"]),
    ("texts with blanks and a leading plus", dict(H=" +0.05 ", z="1e-3"),
     ["--H= +0.05 ", "--z=1e-3"]),
    ("a point far on the axis", dict(z=2.5), ["--z=2.5"]),
]

CHECKS = [
    ("R1 of zero", dict(R1=0), ["--R1=0"]),
    ("R2 below R1", dict(R2=0.005), ["--R2=0.005"]),
    ("a wire wider than the winding", dict(D=0.015), ["--D=0.015"]),
    ("packing factor of one", dict(Lambda=1), ["--Lambda=1"]),
    ("negative frequency with a current source", dict(f=-1, current=True), ["--f=-1", "--current"]),
    ("a point on the other side of the axis", dict(x=-0.001), ["--x=-0.001"]),
]

ERRORS = [
    ("a word", varnel.NumberTextError, dict(R1="abc"), ["--R1=abc"]),
    ("a comma, not the separator", varnel.NumberTextError, dict(R2="0,02"), ["--R2=0,02"]),
    ("an empty box", varnel.NumberTextError, dict(h=""), ["--h="]),
    ("infinity as a float", varnel.NumberTextError, dict(D=math.inf), ["--D=inf"]),
    ("a value beyond the range", varnel.NumberTextError, dict(Ro="1E5000"), ["--Ro=1E5000"]),
    ("resistivity that overflows", varnel.FloatingPointError, dict(Roe="1E4931"),
     ["--Roe=1E4931"]),
    ("a point too far for the cube of its distance", varnel.FloatingPointError, dict(x="1E2000"),
     ["--x=1E2000"]),
]

# varnel-calc's box names for the module's result names.
BOX = {"Id_or_Ud": "eSource2"}


def box(name):
    return BOX.get(name, "e" + name)


@pytest.mark.parametrize("name,inputs,args", CASES, ids=[c[0] for c in CASES])
def test_results_equal_varnel_calc(name, inputs, args):
    expected, status = calc_json(*args, "--full")
    assert status == 0
    result = varnel.calculate(**inputs)
    assert result.status == expected["status"]
    assert {box(k): v for k, v in result.texts.items()} == expected["results"]
    assert result.record == expected["values"]
    for key, text in expected["field"].items():
        assert result.extended[key] == text
    # The record's fields and the extended results are the same numbers.
    supply = "Ud" if inputs.get("current") else "Id"
    for key, field in [("N", "N"), ("R", "R"), ("L", "L"), ("P", "P"), ("K0", "K0"),
                       ("m", "m"), ("Id_or_Ud", supply)]:
        assert result.extended[key] == result.record[field]
    for key, text in result.extended.items():
        assert math.isclose(result.values[key], float(text), rel_tol=2**-52, abs_tol=1e-300)


@pytest.mark.parametrize("name,inputs,args", CHECKS, ids=[c[0] for c in CHECKS])
def test_failed_check_raises_its_message(name, inputs, args):
    expected, status = calc_json(*args)
    assert status == 1
    assert expected["status"].startswith("Введите")
    with pytest.raises(varnel.InputCheckError) as caught:
        varnel.calculate(**inputs)
    assert str(caught.value) == expected["status"]


@pytest.mark.parametrize("name,kind,inputs,args", ERRORS, ids=[e[0] for e in ERRORS])
def test_error_raises_its_kind_with_the_message(name, kind, inputs, args):
    expected, status = calc_json(*args)
    assert status == 2
    with pytest.raises(kind) as caught:
        varnel.calculate(**inputs)
    assert str(caught.value) == expected["error"]


def test_a_pair_and_keywords_combine():
    pair = varnel.Pair(R1=0.02, R2=0.035, H=0.015, h=0.02, D=0.0008)
    changed = pair.replace(f=60, source=3)
    assert pair.f == varnel.Pair().f, "replace leaves the original as it was"
    assert varnel.calculate(changed, x=0.001).texts == \
        varnel.calculate(pair, f=60, source=3, x=0.001).texts
    expected, _ = calc_json("--R1=0.02", "--R2=0.035", "--H=0.015", "--h=0.02", "--D=0.0008",
                            "--f=60", "--source=3", "--x=0.001")
    assert {box(k): v for k, v in varnel.calculate(changed, x=0.001).texts.items()} == \
        expected["results"]


def test_defaults_are_the_calculators():
    for name, text, _value, _unit, _help in varnel._varnel.inputs():
        if name in ("x", "z"):
            continue
        assert varnel.calculate(**{name: text}).record == varnel.calculate().record, name


def test_calculations_on_several_python_threads_agree_with_one_by_one():
    # The calculation runs without the GIL: threads must not disturb each other's results.
    from concurrent.futures import ThreadPoolExecutor

    inputs = [dict(R1=0.01 + i * 0.0005, f=i * 10, x=0.001 * i, z=-0.002 * i) for i in range(12)]
    alone = [varnel.calculate(**i).record for i in inputs]
    with ThreadPoolExecutor(4) as pool:
        together = list(pool.map(lambda i: varnel.calculate(**i).record, inputs))
    assert together == alone
