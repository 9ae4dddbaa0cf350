#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plausible small mistakes, each built alone and tested: a mutant the tests pass is a hole.

Run through tools/mutation-pass.sh, which works on a copy of the committed tree: this script
edits the sources of the tree it is given. Usage: mutation-pass.py TREE BUILD [NAME ...]
"""
import subprocess, sys, time, os
ROOT = sys.argv[1]
BUILD = sys.argv[2]
M = [
 # (id, file, original, mutant)
 ('mu0 7th digit', 'engine/field.cpp', 'kMu0 = 1.25663704e-6L', 'kMu0 = 1.25663714e-6L'),
 ('azimuth step 7th digit', 'engine/field.cpp', 'kAzimuthStep = 0.20943950666666666667L', 'kAzimuthStep = 0.20943960666666666667L'),
 ('disc coefficient 7th digit', 'engine/inductance.cpp', '1.7424L + 3.29L', '1.742401L + 3.29L'),
 ('2pi*1e-7 literal', 'engine/inductance.cpp', 'kTwoPiE7 = 6.2831852e-7L', 'kTwoPiE7 = 6.2831862e-7L'),
 ('pi/3 literal', 'engine/inductance.cpp', 'kPiOver3 = 1.04719753333333333L', 'kPiOver3 = 1.04719763333333333L'),
 ('S2 last coefficient', 'engine/inductance.cpp', '21571.0L / 1024', '21572.0L / 1024'),
 ('long boundary >= to >', 'engine/inductance.cpp', 'shape.l >= 0.75L', 'shape.l > 0.75L'),
 ('short boundary <= to <', 'engine/inductance.cpp', 'shape.t <= 1)', 'shape.t < 1)'),
 ('disc boundary > to >=', 'engine/inductance.cpp', 'shape.g > 0.5L', 'shape.g >= 0.5L'),
 ('pair: self term once', 'engine/inductance.cpp', 'long double a = 2 * CoilInductance(', 'long double a = 1 * CoilInductance('),
 ('pair: last turns from H', 'engine/inductance.cpp', 'return {a - 2 * last.inductance, last.turns};', 'return {a - 2 * last.inductance, CoilInductance(R1, R2, H, D, Lambda).turns};'),
 ('rho inverted', 'engine/inductance.cpp', 'shape.rho = R1 / R2;', 'shape.rho = R2 / R1;'),
 ('resistance factor', 'engine/circuit.cpp', 'rec.Roe * 16 * rec.Lambda', 'rec.Roe * 15 * rec.Lambda'),
 ('mass: one coil', 'engine/circuit.cpp', 'rec.Ro * 2 * rec.Lambda', 'rec.Ro * 1 * rec.Lambda'),
 ('winding density without Lambda', 'engine/circuit.cpp', 'return rec.Lambda * 4 * rec.Id', 'return 4 * rec.Id'),
 ('power Id*R', 'engine/circuit.cpp', 'return rec.Id * rec.Id * rec.R;', 'return rec.Id * rec.R;'),
 ('field offset', 'engine/field.cpp', 'return rec.H / 2 + rec.hh / 2;', 'return rec.H / 2 + rec.hh;'),
 ('D checks swapped', 'command/calculate_command.cpp',
  '''    if (!(rec.D <= rec.R2 - rec.R1))
        return "Введите D < R2 - R1";
    if (!(rec.D <= rec.H))
        return "Введите D < H";''',
  '''    if (!(rec.D <= rec.H))
        return "Введите D < H";
    if (!(rec.D <= rec.R2 - rec.R1))
        return "Введите D < R2 - R1";'''),
 ('D <= to <', 'command/calculate_command.cpp', 'if (!(rec.D <= rec.R2 - rec.R1))', 'if (!(rec.D < rec.R2 - rec.R1))'),
 ('Lambda < to <=', 'command/calculate_command.cpp', 'if (!(rec.Lambda < 1))', 'if (!(rec.Lambda <= 1))'),
 ('FREQ >= to >', 'command/calculate_command.cpp', 'if (!(rec.FREQ >= 0))', 'if (!(rec.FREQ > 0))'),
 ('negligible share 1e-5', 'command/calculate_command.cpp', 'kNegligibleComponent = 1e-6L', 'kNegligibleComponent = 1e-5L'),
 ('negligible angle <', 'command/calculate_command.cpp', 'return std::fabs(degrees) <= kNegligibleAngle;', 'return std::fabs(degrees) < kNegligibleAngle;'),
 ('mm2 factor', 'command/calculate_command.cpp', 'kSquareMillimetresPerSquareMetre = 1000000;', 'kSquareMillimetresPerSquareMetre = 100000;'),
 ('j and jcond assignments swapped', 'command/calculate_command.cpp',
  '''    rec.j = Checked(WindingCurrentDensity(rec));
    rec.jcond = Checked(WireCurrentDensity(rec));''',
  '''    rec.j = Checked(WireCurrentDensity(rec));
    rec.jcond = Checked(WindingCurrentDensity(rec));'''),
 ('zero field test dropped', 'command/calculate_command.cpp', 'if (Checked(field.Modulus(rec.x, rec.z, rec.Id)) == 0)', 'if (Checked(field.Modulus(rec.x, rec.z, rec.Id)) < 0)'),
 ('full columns: j and jcond swapped', 'study/table_study.cpp', 'r.j / 1000000, r.jcond / 1000000', 'r.jcond / 1000000, r.j / 1000000'),
 ('full columns: source swapped', 'study/table_study.cpp', 'currentSource ? r.Ud : r.Id', 'currentSource ? r.Id : r.Ud'),
 ('grid step count', 'study/grid.cpp', '(stop - start) * i / (count - 1)', '(stop - start) * i / count'),
 ('uniform: one-sided tolerance', 'study/field_study.cpp', 'return std::fabs(d) > tolerance;', 'return d > tolerance;'),
 ('check: no refinement estimate', 'study/accuracy_check.cpp', 'classicSelf, self.value, self.change});', 'classicSelf, self.value, 0});'),
 ('check: exact Bx sign', 'study/accuracy_check.cpp', 'classic.radial, point.radial.value, point.radial.change', 'classic.radial, -point.radial.value, point.radial.change'),
 ('check: exact angle sign', 'study/accuracy_check.cpp', 'FieldAngleOf(point.radial.value, point.axial.value)', 'FieldAngleOf(-point.radial.value, point.axial.value)'),
 ('profile title coordinate', 'plot/pictures.cpp', 'Millimetres(picture.at)', 'Millimetres(0)'),
]
TARGETS = ['engine_tests', 'command_tests', 'accuracy_tests', 'cli_tests', 'plot_tests', 'varnel-calc']
EXCLUDE = 'package_check|window_|presets_test|russian_locale_test'

def run(cmd, **kw):
    return subprocess.run(cmd, cwd=ROOT, capture_output=True, text=True, **kw)

only = sys.argv[3:]
results = []
for mid, path, orig, mut in M:
    if only and mid not in only:
        continue
    full = os.path.join(ROOT, path)
    text = open(full, encoding='utf-8').read()
    if text.count(orig) != 1:
        results.append((mid, 'NO-MATCH', ''))
        print(f'{mid}: NO-MATCH', flush=True)
        continue
    open(full, 'w', encoding='utf-8').write(text.replace(orig, mut))
    t0 = time.time()
    try:
        b = run(['nice', '-n', '5', 'cmake', '--build', BUILD, '-j2', '--target'] + TARGETS)
        if b.returncode != 0:
            verdict, detail = 'STILLBORN', b.stdout[-400:]
        else:
            env = dict(os.environ, QT_QPA_PLATFORM='offscreen')
            t = run(['ctest', '--test-dir', BUILD, '-j2', '-E', EXCLUDE, '--stop-on-failure'], env=env)
            failed = [l.strip() for l in t.stdout.splitlines() if '***Failed' in l or 'Failed  ' in l]
            verdict = 'KILLED' if t.returncode != 0 else 'SURVIVED'
            detail = failed[0] if failed else ''
    finally:
        open(full, 'w', encoding='utf-8').write(text)
    results.append((mid, verdict, detail))
    print(f'{mid}: {verdict} ({time.time() - t0:.0f} s) {detail}', flush=True)

killed = sum(1 for r in results if r[1] == 'KILLED')
valid = sum(1 for r in results if r[1] in ('KILLED', 'SURVIVED'))
print(f'score: {killed} of {valid} killed')
for r in results:
    if r[1] != 'KILLED':
        print('not killed:', r[0], r[1])
