# SPDX-License-Identifier: GPL-3.0-or-later
"""Ctrl-C stops a long field or design call: KeyboardInterrupt, and the module still works."""

import os
import signal
import threading

import numpy
import pytest

import varnel


def interrupted(call, after):
    """Runs call() with a SIGINT sent `after` seconds in; returns whether it raised
    KeyboardInterrupt."""
    timer = threading.Timer(after, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    try:
        call()
    except KeyboardInterrupt:
        return True
    finally:
        timer.cancel()
    return False


def test_ctrl_c_stops_a_long_field_call():
    # The classic sums on a million points would take many minutes.
    xs = numpy.linspace(0, 0.05, 1_000_000)
    assert interrupted(lambda: varnel.field(xs, xs, model="classic"), 0.5)
    assert varnel.field(0.0, 0.0, model="classic").B > 0


def test_ctrl_c_stops_a_design_search():
    goals = dict(B0=0.01, uniform=(0.001, 0.005), voltage=12, max_power=20, bore=0.04, count=1,
                 threads=1, wires="awg")
    assert interrupted(lambda: varnel.design(**goals), 0.2)


def test_a_handler_that_does_not_raise_lets_the_call_finish():
    previous = signal.signal(signal.SIGINT, lambda *_: None)
    try:
        xs = numpy.linspace(0, 0.05, 5_000)
        assert not interrupted(lambda: varnel.field(xs, xs, model="classic"), 0.2)
    finally:
        signal.signal(signal.SIGINT, previous)
