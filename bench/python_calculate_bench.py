#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What varnel.calculate costs beyond the calculation: the calculation alone, timed in C++ in
the same process, against the call from Python (the compiled call and the package's). Times
are the calling thread's CPU time (the calculation runs on it), so that other work on the
machine weighs less, and the least of many interleaved rounds is taken: the overhead is a few
microseconds beside a calculation of half a millisecond, so the noise of a busy machine would
otherwise hide it. The package's own Python is also timed alone, around a stored outcome.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_calculate_bench.py [--repeat N]
"""

import argparse
import time

import varnel


def per_call(call, repeat):
    start = time.thread_time()
    for _ in range(repeat):
        call()
    return (time.thread_time() - start) / repeat


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=200)
    parser.add_argument("--rounds", type=int, default=30)
    args = parser.parse_args()
    pair = varnel.Pair()
    texts = pair.texts()
    rows = {"calculation alone (C++)": [], "_varnel.calculate": [], "varnel.calculate": []}
    for _ in range(args.rounds):
        # Interleaved rounds, so that a busy machine weighs on each alike.
        rows["calculation alone (C++)"].append(
            varnel._varnel.time_calculation(texts, False, args.repeat))
        rows["_varnel.calculate"].append(
            per_call(lambda: varnel._varnel.calculate(texts, False), args.repeat))
        rows["varnel.calculate"].append(per_call(lambda: varnel.calculate(pair), args.repeat))
    least = {name: min(times) for name, times in rows.items()}
    alone = least["calculation alone (C++)"]
    for name, seconds in least.items():
        extra = "" if name.startswith("calculation") else f"  (+{(seconds - alone) * 1e6:.1f} us)"
        print(f"{name:26s} {seconds * 1e6:9.1f} us{extra}")
    # The package's Python around the compiled call, with the call replaced by a stored outcome.
    stored = varnel._varnel.calculate(texts, False)
    compiled = varnel._varnel.calculate
    varnel._varnel.calculate = lambda *_: stored
    try:
        wrapper = min(per_call(lambda: varnel.calculate(pair, z=0.01), 20 * args.repeat)
                      for _ in range(5))
    finally:
        varnel._varnel.calculate = compiled
    print(f"{'the package around it':26s} {wrapper * 1e6:9.1f} us (with z given)")


if __name__ == "__main__":
    main()
