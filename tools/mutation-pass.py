#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plausible small mistakes, each built alone and tested: a mutant the tests pass is a hole.

The mutants are in tools/mutants.py. Usage:
  mutation-pass.py --check [ROOT]      each original text occurs exactly once; nothing is built
  mutation-pass.py TREE BUILD [NAME ...] build and test each mutant in TREE, or those named by
                                       their id or their library (design, studio ...)

Run the second form through tools/mutation-pass.sh, which works on a copy of the committed
tree: this script edits the sources of the tree it is given (and puts them back).
Each mutant builds only the test programs of the suites its library reaches and runs its
`first` suite, then the others, stopping at the first failure; the verdict names the test.
"""
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from mutants import MUTANTS, QT_TESTS, SUITES, library_of  # noqa: E402

TIMEOUT = 600  # s for one test program: a mutant that loops forever is caught by it


def check(root):
    bad = 0
    for m in MUTANTS:
        path = os.path.join(root, m.file)
        try:
            n = open(path, encoding='utf-8').read().count(m.original)
        except OSError:
            n = -1
        if n != 1:
            bad += 1
            where = 'file missing' if n < 0 else f'found {n} times'
            print(f'{m.file}: {m.id}: {where}')
    ids = [m.id for m in MUTANTS]
    for i in sorted({i for i in ids if ids.count(i) > 1}):
        bad += 1
        print(f'{i}: the id is given twice')
    print(f'{len(MUTANTS) - bad} of {len(MUTANTS)} mutants found exactly once')
    return 0 if bad == 0 else 1


def binary(build, target):
    for folder, _, files in os.walk(os.path.join(build, 'tests')):
        path = os.path.join(folder, target)
        if target in files and os.access(path, os.X_OK):
            return path
    raise FileNotFoundError(target)


def suites_of(m):
    """The (target, gtest filter) pairs to run, the mutant's own first."""
    first = []
    if m.first:
        target, _, flt = m.first.partition(':')
        first.append((target, flt))
    rest = [(t, '') for t in SUITES[library_of(m.file)] if (t, '') not in first]
    return first + rest


def run_suite(build, target, flt):
    """Builds and runs one suite; returns (failed, name of the failing test)."""
    b = subprocess.run(['nice', '-n', '5', 'cmake', '--build', build, '-j2', '--target', target],
                       capture_output=True, text=True)
    if b.returncode != 0:
        errors = [l for l in (b.stdout + b.stderr).splitlines() if 'error' in l]
        return None, ' | '.join(errors[:2]) or b.stdout[-300:]
    env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
    try:
        if target in QT_TESTS:
            # Qt Test programs: through ctest, which gives each its environment.
            t = subprocess.run(['ctest', '--test-dir', build, '-R', f'^{target}$',
                                '--output-on-failure', '--timeout', str(TIMEOUT)],
                               capture_output=True, text=True, env=env, timeout=TIMEOUT + 60)
            if t.returncode == 0:
                return False, ''
            fails = re.findall(r'FAIL!\s*:\s*(\S+)', t.stdout)
            return True, f'{target} ' + (fails[0] if fails else '(crashed or timed out)')
        cmd = [binary(build, target), '--gtest_brief=1', '--gtest_fail_fast']
        if flt:
            cmd.append(f'--gtest_filter={flt}')
        t = subprocess.run(cmd, capture_output=True, text=True, env=env, timeout=TIMEOUT,
                           cwd=build)
    except subprocess.TimeoutExpired:
        return True, f'{target} (timed out after {TIMEOUT} s)'
    if t.returncode == 0:
        return False, ''
    fails = re.findall(r'\[  FAILED  \] (\S+)', t.stdout)
    return True, f'{target} ' + (fails[0] if fails else f'(exit {t.returncode})')


def selected(m, only):
    """Named by its id or by its library; every mutant when none is named."""
    return not only or m.id in only or library_of(m.file) in only


def run_pass(root, build, only):
    results = []
    t_all = time.time()
    # Every suite to be run must pass on the tree as it is, or its failures would kill mutants.
    chosen = [m for m in MUTANTS if selected(m, only)]
    for target in sorted({t for m in chosen for t, _ in suites_of(m)}):
        failed, what = run_suite(build, target, '')
        if failed is not False:
            print(f'the unchanged tree fails {target}: {what}')
            return 1
    print(f'the unchanged tree passes every suite ({time.time() - t_all:.0f} s)', flush=True)
    for m in MUTANTS:
        if not selected(m, only):
            continue
        full = os.path.join(root, m.file)
        text = open(full, encoding='utf-8').read()
        if text.count(m.original) != 1:
            results.append((m, 'NO-MATCH', ''))
            print(f'[{library_of(m.file)}] {m.id}: NO-MATCH', flush=True)
            continue
        open(full, 'w', encoding='utf-8').write(text.replace(m.original, m.mutant))
        t0 = time.time()
        verdict, detail = 'SURVIVED', m.reason
        try:
            for target, flt in suites_of(m):
                failed, what = run_suite(build, target, flt)
                if failed is None:
                    verdict, detail = 'STILLBORN', what
                    break
                if failed:
                    verdict, detail = 'KILLED', what
                    break
        finally:
            open(full, 'w', encoding='utf-8').write(text)
        if verdict == 'SURVIVED' and not detail:
            detail = '(no reason given)'
        results.append((m, verdict, detail))
        print(f'[{library_of(m.file)}] {m.id}: {verdict} ({time.time() - t0:.0f} s) {detail}',
              flush=True)
    print()
    by_lib = {}
    for m, verdict, _ in results:
        k, n = by_lib.get(library_of(m.file), (0, 0))
        if verdict in ('KILLED', 'SURVIVED'):
            by_lib[library_of(m.file)] = (k + (verdict == 'KILLED'), n + 1)
    for lib, (k, n) in by_lib.items():
        print(f'{lib}: {k} of {n} killed')
    killed = sum(k for k, _ in by_lib.values())
    valid = sum(n for _, n in by_lib.values())
    print(f'score: {killed} of {valid} killed ({100 * killed / max(valid, 1):.1f} %) '
          f'in {(time.time() - t_all) / 60:.1f} min')
    for m, verdict, detail in results:
        if verdict != 'KILLED':
            print(f'not killed: {m.id}: {verdict}: {detail}')
    return 0


def main():
    args = sys.argv[1:]
    if args and args[0] == '--check':
        root = args[1] if len(args) > 1 else os.path.dirname(
            os.path.dirname(os.path.abspath(__file__)))
        return check(root)
    if len(args) < 2:
        print(__doc__)
        return 2
    return run_pass(args[0], args[1], args[2:])


if __name__ == '__main__':
    sys.exit(main())
