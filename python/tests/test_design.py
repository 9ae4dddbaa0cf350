# SPDX-License-Identifier: GPL-3.0-or-later
"""design gives the designs varnel-calc design gives for the same goals; its errors; wires."""

import csv
import json
import os
import subprocess
import sys

import pytest

import varnel
from conftest import calc_json

CASES = [
    ("field, uniformity, voltage, power, bore and rise",
     dict(B0=0.01, uniform=(0.001, 0.005), voltage=12, max_power=20, bore=0.04,
          max_temp_rise=60, count=2),
     ["--B0", "0.01", "--uniform", "0.001:0.005", "--voltage", "12", "--max-power", "20",
      "--bore", "0.04", "--max-temp-rise", "60", "--count", "2"]),
    ("aluminium AWG on a current source, least power, layer winding",
     dict(B0=0.004, current=3, material="aluminium", wires="awg", minimise="power",
          winding="layer", max_outer=0.07, max_power=30, ambient=35, count=1),
     ["--B0", "0.004", "--current", "3", "--material", "aluminium", "--wires", "awg",
      "--minimise", "power", "--winding", "layer", "--max-outer", "0.07", "--max-power", "30",
      "--ambient", "35", "--count", "1"]),
    ("a former's wall and cheeks, a wet winding, the search's own bounds",
     dict(B0=0.005, voltage=12, bore=0.02, former_wall=0.002, cheek=0.0015,
          winding_conductivity=0.7, search_outer=0.12, search_length=0.2, search_inner=0.005,
          search_reach=0.5, max_power=15, ambient=27, count=2),
     ["--B0", "0.005", "--voltage", "12", "--bore", "0.02", "--former-wall", "0.002",
      "--cheek", "0.0015", "--winding-conductivity", "0.7", "--search-outer", "0.12",
      "--search-length", "0.2", "--search-inner", "0.005", "--search-reach", "0.5",
      "--max-power", "15", "--ambient", "27", "--count", "2"]),
    ("robust across the gap, the radius, a turn and the wire's tolerance, on a voltage",
     dict(B0=0.002, B0_tol=0.05, voltage=6, bore=0.02, max_power=10, uniform=(0.01, 0.003),
          robust={"h": 1e-4, "R1": 2e-4, "turns": 1, "wire": True}, count=1),
     ["--B0", "0.002", "--B0-tol", "0.05", "--voltage", "6", "--bore", "0.02",
      "--max-power", "10", "--uniform", "0.01:0.003", "--robust",
      "h=0.1mm,R1=0.0002,turns=1,wire", "--count", "1"]),
]


@pytest.mark.parametrize("name,goals,args", CASES, ids=[c[0] for c in CASES])
def test_designs_equal_varnel_calc(name, goals, args):
    expected, status = calc_json("design", *args)
    assert status == 0
    designs = varnel.design(**goals)
    assert len(designs) == len(expected["designs"])
    for design, row in zip(designs, expected["designs"]):
        for key, value in row.items():
            got = getattr(design, key)
            assert (list(got) if isinstance(got, tuple) else got) == value, key


def test_a_design_calculates_as_its_command_says():
    design = varnel.design(B0=0.01, uniform=(0.001, 0.005), voltage=12, max_power=20,
                           bore=0.04, count=1)[0]
    result = varnel.calculate(design.pair())
    expected, _ = calc_json(*design.command.split()[1:])
    assert result.texts["B0d"] == expected["results"]["eB0d"]
    assert result.values["B0d"] == pytest.approx(design.B0, rel=1e-15)
    assert design.pair().current is False


def test_uniformity_texts_are_read_with_blanks_at_the_ends_as_the_command_reads_them():
    # The command line drops blanks (and other characters of code 32 or less) at either end
    # of each number; a text typed with them gives the designs of the plain one.
    expected, status = calc_json("design", "--B0", "0.01", "--uniform", " 0.002\t: 0.004 ",
                                 "--voltage", "12", "--max-power", "20", "--bore", "0.04",
                                 "--count", "1")
    assert status == 0
    designs = varnel.design(B0=0.01, uniform=(" 0.002\t", "\n0.004  "), voltage=12,
                            max_power=20, bore=0.04, count=1)
    assert [d.command for d in designs] == [row["command"] for row in expected["designs"]]
    assert designs[0].uniform_tol == pytest.approx(0.002, rel=1e-15)
    with pytest.raises(varnel.GoalError, match="uniform radius"):
        varnel.design(B0=0.01, uniform=("0.002", "0. 004"), voltage=12, count=1)


def test_goals_that_make_no_sense_raise_the_search_message():
    expected, status = calc_json("design", "--B0", "-0.01", "--voltage", "12")
    assert status == 2
    with pytest.raises(varnel.GoalError) as caught:
        varnel.design(B0=-0.01, voltage=12)
    assert str(caught.value) == expected["error"]
    with pytest.raises(varnel.GoalError, match="supply"):
        varnel.design(B0=0.01)
    with pytest.raises(varnel.GoalError, match="minimise"):
        varnel.design(B0=0.01, voltage=12, minimise="cost")


def test_unreachable_goals_raise_with_the_closest_design():
    args = ["--B0", "0.05", "--voltage", "12", "--max-power", "10", "--bore", "0.02",
            "--count", "1"]
    expected, status = calc_json("design", *args)
    assert status == 1
    with pytest.raises(varnel.NoDesignError) as caught:
        varnel.design(B0=0.05, voltage=12, max_power=10, bore=0.02, count=1)
    assert str(caught.value) == expected["error"]
    assert caught.value.best.command == expected["best"]["command"]


def test_wires_are_the_shipped_table(source_dir):
    with open(os.path.join(source_dir, "data", "wires-metric.csv"), newline="") as table:
        rows = [row for row in csv.DictReader(line for line in table
                                              if not line.startswith("#"))]
    wires = varnel.wires("metric")
    assert len(wires) == len(rows)
    for wire, row in zip(wires, rows):
        assert wire.name == row["name"]
        assert wire.bare == pytest.approx(float(row["bare_mm"]) / 1000, rel=1e-15)
    awg = varnel.wires("awg", grade="heavy")
    assert all(w.overall > w.bare for w in awg)
    with pytest.raises(varnel.GoalError):
        varnel.wires("/nonexistent/wires.csv")


def test_a_decimal_comma_locale_changes_nothing():
    # A notebook may set the user's locale; the catalogues and the designs' printed inputs are
    # written with "." whatever it says.
    script = """
import locale, json, varnel
locale.setlocale(locale.LC_ALL, "ru_RU.UTF-8")
assert locale.localeconv()["decimal_point"] == ","
d = varnel.design(B0=0.01, uniform=(0.001, 0.005), voltage=12, max_power=20, bore=0.04,
                  count=1, winding="random:0.65")[0]
print(json.dumps([d.command, d.winding, len(varnel.wires("awg"))]))
"""
    done = subprocess.run([sys.executable, "-c", script], capture_output=True, text=True,
                          timeout=300)
    assert done.returncode == 0, done.stderr
    command, winding, awg = json.loads(done.stdout)
    expected, _ = calc_json("design", "--B0", "0.01", "--uniform", "0.001:0.005", "--voltage",
                            "12", "--max-power", "20", "--bore", "0.04", "--count", "1",
                            "--winding", "random:0.65")
    assert command == expected["designs"][0]["command"]
    assert winding == expected["designs"][0]["winding"] == "random:0.65"
    assert awg == len(varnel.wires("awg"))


def test_robust_strays_are_checked_as_the_command_checks_them():
    for strays in ({"gap": 1e-4}, {"turns": 2}, {"turns": True}, {"wire": 1}):
        with pytest.raises(varnel.GoalError, match="robust takes"):
            varnel.design(B0=0.01, voltage=12, robust=strays)
    with pytest.raises(TypeError, match="robust h"):
        varnel.design(B0=0.01, voltage=12, robust={"h": "0.1mm"})


def test_every_goal_of_the_command_is_a_keyword():
    # varnel-calc design --help names its options; each (but the output's) is a keyword here,
    # with "-" written "_" and --class as thermal_class.
    out = subprocess.run([os.environ["VARNEL_CALC"], "design", "--help"], capture_output=True,
                         text=True, check=True).stdout
    options = {word.split("=")[0].strip(",") for word in out.split() if word.startswith("--")}
    options -= {"--help", "--json", "--csv"}
    names = {"thermal_class" if o == "--class" else o[2:].replace("-", "_") for o in options}
    keywords = set(varnel.design.__code__.co_varnames[:varnel.design.__code__.co_kwonlyargcount])
    assert names, out
    assert names <= keywords, names - keywords
