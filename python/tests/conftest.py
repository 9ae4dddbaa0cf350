# SPDX-License-Identifier: GPL-3.0-or-later
"""What the tests share: varnel-calc, run as a user would, to compare the module with."""

import json
import os
import subprocess

import pytest


def run_calc(*args):
    """varnel-calc with these arguments: (exit status, standard output, standard error)."""
    done = subprocess.run([os.environ["VARNEL_CALC"], *args], capture_output=True, text=True,
                          timeout=300)
    return done.returncode, done.stdout, done.stderr


def calc_json(*args):
    """varnel-calc's JSON answer and its exit status."""
    status, out, err = run_calc(*args, "--json")
    assert out, err
    return json.loads(out), status


@pytest.fixture
def source_dir():
    return os.environ["VARNEL_SOURCE_DIR"]
