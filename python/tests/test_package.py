# SPDX-License-Identifier: GPL-3.0-or-later
"""The package as a whole: its inputs follow the calculator's table, its stub names what the
compiled module has, every function says its units, and the example runs headless."""

import ast
import dataclasses
import inspect
import os
import subprocess
import sys

import varnel


def test_pair_holds_the_calculators_inputs_in_order():
    names = [row[0] for row in varnel._varnel.inputs()]
    fields = [f.name for f in dataclasses.fields(varnel.Pair)]
    assert fields == [n for n in names if n not in ("x", "z")] + ["current"]
    for name, text, value, _unit, _help in varnel._varnel.inputs():
        if name in fields:
            assert getattr(varnel.Pair(), name) == value == float(text)


def test_the_stub_names_every_function_of_the_compiled_module():
    stub = os.path.join(os.path.dirname(varnel._varnel.__file__), "_varnel.pyi")
    with open(stub, encoding="utf-8") as text:
        tree = ast.parse(text.read())
    declared = {node.name for node in tree.body
                if isinstance(node, (ast.FunctionDef, ast.ClassDef))}
    compiled = {name for name in dir(varnel._varnel) if not name.startswith("__")}
    assert declared == compiled


def test_every_public_function_documents_its_units():
    for name in ("calculate", "field", "check", "uniform", "design", "wires"):
        doc = inspect.getdoc(getattr(varnel, name))
        assert doc and len(doc) > 80, name
    for name in ("calculate", "field", "check", "uniform", "design"):
        assert " m" in inspect.getdoc(getattr(varnel, name)), name


def test_the_example_runs_headless(tmp_path, source_dir):
    picture = tmp_path / "pair.png"
    done = subprocess.run(
        [sys.executable, os.path.join(source_dir, "examples", "helmholtz_pair.py"), str(picture)],
        capture_output=True, text=True, timeout=300,
        env=dict(os.environ, MPLBACKEND="Agg"))
    assert done.returncode == 0, done.stderr
    assert picture.stat().st_size > 10_000
    assert picture.read_bytes()[:8] == b"\x89PNG\r\n\x1a\n"
    assert "varnel-calc --R1" in done.stdout
