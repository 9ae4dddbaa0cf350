#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What varnel.calculate costs beyond the calculation: the calculation alone, timed in C++ in
the same process, against the call from Python (the compiled call and the package's).

    PYTHONPATH=build/python /usr/bin/python3 bench/python_calculate_bench.py [--repeat N]
"""

import argparse
import statistics
import time

import varnel


def per_call(call, repeat):
    start = time.perf_counter()
    for _ in range(repeat):
        call()
    return (time.perf_counter() - start) / repeat


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=2000)
    parser.add_argument("--rounds", type=int, default=7)
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
    medians = {name: statistics.median(times) for name, times in rows.items()}
    alone = medians["calculation alone (C++)"]
    for name, seconds in medians.items():
        extra = "" if name.startswith("calculation") else f"  (+{(seconds - alone) * 1e6:.1f} us)"
        print(f"{name:26s} {seconds * 1e6:9.1f} us{extra}")


if __name__ == "__main__":
    main()
