# SPDX-License-Identifier: GPL-3.0-or-later
"""The mutation pass's plausible small mistakes, grouped by library.

Each mutant is found by its file and its original text, which must occur exactly once there
(`tools/mutation-pass.sh --check` verifies that without building). `first` names the suite
expected to catch it, tried before the rest of the library's suites: "target" runs a whole
test program, "target:Filter.*" a Google Test filter within one. `reason` explains a mutant
that is known to survive (none should).
"""
from dataclasses import dataclass


@dataclass
class Mutant:
    id: str
    file: str
    original: str
    mutant: str
    first: str = ''
    reason: str = ''


GTESTS_ALL = ['engine_tests', 'command_tests', 'accuracy_tests', 'cli_tests', 'plot_tests',
              'study_tests', 'design_tests']
STUDIO_TESTS = ['studio_bridge_values_test', 'studio_numbers_test', 'studio_live_test',
                'studio_files_test', 'studio_map_test', 'studio_design_test',
                'studio_typing_test', 'studio_field_lines_test', 'studio_probe_test',
                'studio_russian_test']
# The studio's widget tests are Qt Test programs, run through ctest for their environment;
# every other suite is a Google Test program.
QT_TESTS = set(STUDIO_TESTS)

# The suites each library reaches, in the order they are run (the quickest to fail first).
SUITES = {
    'engine': ['command_tests', 'engine_tests', 'accuracy_tests', 'cli_tests', 'plot_tests',
               'study_tests', 'design_tests'],
    'command': ['command_tests', 'cli_tests', 'engine_tests', 'accuracy_tests', 'plot_tests',
                'study_tests', 'design_tests'],
    'study': ['study_tests', 'cli_tests', 'plot_tests', 'command_tests', 'design_tests'],
    'accuracy': ['design_tests', 'accuracy_tests', 'cli_tests'],
    'design': ['design_tests', 'cli_tests'],
    'plot': ['plot_tests', 'studio_map_test', 'studio_field_lines_test'],
    'studio': ['studio_core_tests'] + STUDIO_TESTS,
}


def library_of(path):
    return path.split('/', 1)[0]


M = Mutant

ENGINE = [
    M('mu0 7th digit', 'engine/field.cpp', 'kMu0 = 1.25663704e-6L', 'kMu0 = 1.25663714e-6L'),
    M('azimuth step 7th digit', 'engine/field.cpp', 'kAzimuthStep = 0.20943950666666666667L',
      'kAzimuthStep = 0.20943960666666666667L'),
    M('disc coefficient 7th digit', 'engine/inductance.cpp', '1.7424L + 3.29L',
      '1.742401L + 3.29L'),
    M('2pi*1e-7 literal', 'engine/inductance.cpp', 'kTwoPiE7 = 6.2831852e-7L',
      'kTwoPiE7 = 6.2831862e-7L'),
    M('pi/3 literal', 'engine/inductance.cpp', 'kPiOver3 = 1.04719753333333333L',
      'kPiOver3 = 1.04719763333333333L'),
    M('S2 last coefficient', 'engine/inductance.cpp', '21571.0L / 1024', '21572.0L / 1024'),
    M('long boundary >= to >', 'engine/inductance.cpp', 'shape.l >= 0.75L', 'shape.l > 0.75L'),
    M('short boundary <= to <', 'engine/inductance.cpp', 'shape.t <= 1)', 'shape.t < 1)'),
    M('disc boundary > to >=', 'engine/inductance.cpp', 'shape.g > 0.5L', 'shape.g >= 0.5L'),
    M('pair: self term once', 'engine/inductance.cpp', 'long double a = Step(2 * CoilInductance(',
      'long double a = Step(1 * CoilInductance('),
    M('pair: last turns from H', 'engine/inductance.cpp',
      'return {a - 2 * last.inductance, last.turns};',
      'return {a - 2 * last.inductance, CoilInductance(R1, R2, H, D, Lambda).turns};'),
    M('rho inverted', 'engine/inductance.cpp', 'shape.rho = R1 / R2;', 'shape.rho = R2 / R1;'),
    M('resistance factor', 'engine/circuit.cpp', 'rec.Roe * 16 * rec.Lambda',
      'rec.Roe * 15 * rec.Lambda'),
    M('mass: one coil', 'engine/circuit.cpp', 'rec.Ro * 2 * rec.Lambda', 'rec.Ro * 1 * rec.Lambda'),
    M('winding density without Lambda', 'engine/circuit.cpp', 'return rec.Lambda * 4 * rec.Id',
      'return 4 * rec.Id'),
    M('power Id*R', 'engine/circuit.cpp', 'return rec.Id * rec.Id * rec.R;',
      'return rec.Id * rec.R;'),
    M('field offset', 'engine/field.cpp', 'return rec.H / 2 + rec.hh / 2;',
      'return rec.H / 2 + rec.hh;'),
]

COMMAND = [
    M('D checks swapped', 'command/calculate_command.cpp',
      '''    if (!(rec.D <= rec.R2 - rec.R1))
        return "Введите D < R2 - R1";
    if (!(rec.D <= rec.H))
        return "Введите D < H";''',
      '''    if (!(rec.D <= rec.H))
        return "Введите D < H";
    if (!(rec.D <= rec.R2 - rec.R1))
        return "Введите D < R2 - R1";'''),
    M('D <= to <', 'command/calculate_command.cpp', 'if (!(rec.D <= rec.R2 - rec.R1))',
      'if (!(rec.D < rec.R2 - rec.R1))'),
    M('Lambda < to <=', 'command/calculate_command.cpp', 'if (!(rec.Lambda < 1))',
      'if (!(rec.Lambda <= 1))'),
    M('FREQ >= to >', 'command/calculate_command.cpp', 'if (!(rec.FREQ >= 0))',
      'if (!(rec.FREQ > 0))'),
    M('negligible share 1e-5', 'command/calculate_command.cpp', 'kNegligibleComponent = 1e-6L',
      'kNegligibleComponent = 1e-5L'),
    M('negligible angle <', 'command/calculate_command.cpp',
      'return std::fabs(degrees) <= kNegligibleAngle;',
      'return std::fabs(degrees) < kNegligibleAngle;'),
    M('mm2 factor', 'command/calculate_command.cpp', 'kSquareMillimetresPerSquareMetre = 1000000;',
      'kSquareMillimetresPerSquareMetre = 100000;'),
    M('j and jcond assignments swapped', 'command/calculate_command.cpp',
      '''    rec.j = Checked(WindingCurrentDensity(rec));
    rec.jcond = Checked(WireCurrentDensity(rec));''',
      '''    rec.j = Checked(WireCurrentDensity(rec));
    rec.jcond = Checked(WindingCurrentDensity(rec));'''),
    M('zero field test dropped', 'command/calculate_command.cpp',
      'if (Checked(field.Modulus(rec.x, rec.z, rec.Id)) == 0)',
      'if (Checked(field.Modulus(rec.x, rec.z, rec.Id)) < 0)'),
]

STUDY = [
    # The calculator-era mutants of the studies.
    M('full columns: j and jcond swapped', 'study/calc_output.cpp',
      '{"j", r.j / 1000000},\n             {"jcond", r.jcond / 1000000},',
      '{"j", r.jcond / 1000000},\n             {"jcond", r.j / 1000000},',
      'cli_tests:Studies.FullColumnsAreTheSingleCalculationsValues'),
    M('full columns: source swapped', 'study/calc_output.cpp', 'currentSource ? r.Ud : r.Id',
      'currentSource ? r.Id : r.Ud', 'cli_tests:Studies.FullColumnsAreTheSingleCalculationsValues'),
    M('grid step count', 'study/grid.cpp', 'return start + width * i / (count - 1);',
      'return start + width * i / count;'),
    M('uniform: one-sided tolerance', 'study/field_study.cpp',
      'return std::fabs(d) > tolerance;', 'return d > tolerance;',
      'cli_tests:Studies.UniformRegionOfAThinHelmholtzPair'),
    M('check: no refinement estimate', 'study/accuracy_check.cpp',
      'classicSelf, self.value, self.change});', 'classicSelf, self.value, 0});', 'cli_tests:Check.*'),
    M('check: exact Bx sign', 'study/accuracy_check.cpp',
      'classic.radial, point.radial.value, point.radial.change',
      'classic.radial, -point.radial.value, point.radial.change', 'cli_tests:Check.*'),
    M('check: exact angle sign', 'study/accuracy_check.cpp',
      'exact::AngleDegrees(point.radial.value, point.axial.value)',
      'exact::AngleDegrees(-point.radial.value, point.axial.value)', 'cli_tests:Check.*'),
    # Since.
    M('exact field: Bx and Bz swapped', 'study/field_study.cpp',
      '''    p.field.radial = Checked(static_cast<long double>(b.radial));
    p.field.axial = Checked(static_cast<long double>(b.axial));''',
      '''    p.field.radial = Checked(static_cast<long double>(b.axial));
    p.field.axial = Checked(static_cast<long double>(b.radial));''', 'study_tests'),
    M('uniform region: radial scan to 2 R1', 'study/field_study.cpp',
      'region.scanRadial = 2 * rec.R2;', 'region.scanRadial = 2 * rec.R1;', 'study_tests'),
    M('uniform region: axial scan stops at the inner faces', 'study/field_study.cpp',
      'region.scanAxial = 2 * (rec.H + rec.hh / 2) + rec.R2;',
      'region.scanAxial = 2 * (rec.hh / 2) + rec.R2;', 'study_tests'),
    M('profile: along z and across swapped', 'study/field_study.cpp',
      'return alongZ ? PointAt(base, m, at, along[i]) : PointAt(base, m, along[i], at);',
      'return alongZ ? PointAt(base, m, along[i], at) : PointAt(base, m, at, along[i]);',
      'study_tests'),
    M('map: mirrored half keeps the sign of Bx', 'study/map_field.cpp',
      'return MapVector{-m.radial, m.axial};', 'return MapVector{m.radial, m.axial};',
      'study_tests'),
    M('flux: coil height and gap swapped', 'study/map_flux.cpp',
      'static_cast<double>(rec.H), static_cast<double>(rec.hh),',
      'static_cast<double>(rec.hh), static_cast<double>(rec.H),', 'study_tests'),
    M('check: classic mutual without its factor 2', 'study/accuracy_check.cpp',
      '- 2 * classicCoil(H + h)) / 2;', '- classicCoil(H + h)) / 2;', 'study_tests'),
    M('check: force with the current once', 'study/accuracy_check.cpp',
      'outcome.rec.Id * outcome.rec.Id * mutual.derivative.value',
      'outcome.rec.Id * mutual.derivative.value', 'study_tests'),
    M('shared sums: a stale entry for another z', 'study/shared_sums.cpp',
      'e.x == x &&\n                e.z == z)', 'e.x == x)', 'study_tests'),
]

DESIGN = [
    # The thermal model.
    M('thermal: resistance right only at 20 C ambient', 'design/thermal.cpp',
      'in.alpha * (in.ambient + rise - 20)', 'in.alpha * rise', 'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: current source coefficient not referred to the ambient', 'design/thermal.cpp',
      'const long double a = in.alpha * in.resistance20 / ra;', 'const long double a = in.alpha;',
      'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: power slope sign with a voltage source', 'design/thermal.cpp',
      '(x2 - r2) / ((r2 + x2) * (r2 + x2))', '(r2 - x2) / ((r2 + x2) * (r2 + x2))',
      'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: generation over one coil\'s volume', 'design/thermal.cpp',
      'const long double volume = 2 * kTruePi * (in.R2 * in.R2 - in.R1 * in.R1) * in.H;',
      'const long double volume = kTruePi * (in.R2 * in.R2 - in.R1 * in.R1) * in.H;',
      'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: narrow-gap share as s^2', 'design/thermal.cpp', 'return s * s * s;',
      'return s * s;', 'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: inner and outer films swapped', 'design/thermal.cpp',
      '(hi * ho * ln + k * hi / R2 + k * ho / R1)', '(hi * ho * ln + k * hi / R1 + k * ho / R2)',
      'design_tests:ThermalAwayFrom20C.*'),
    M('thermal: end faces counted once', 'design/thermal.cpp',
      '(R1 + R2) * H + 2 * kTruePi * (R2 * R2 - R1 * R1);',
      '(R1 + R2) * H + kTruePi * (R2 * R2 - R1 * R1);', 'design_tests:ThermalAwayFrom20C.*'),
    # Winding styles.
    M('winding: random pitch from half the fill', 'design/winding.cpp',
      'std::sqrt(kTruePi / (4 * w.fill))', 'std::sqrt(kTruePi / (2 * w.fill))',
      'design_tests:WindingStyles.*'),
    M('winding: orthocyclic rows without the first layer', 'design/winding.cpp',
      'const long double rows = depth < d ? 0 : 1 + (depth - d) / pitch;',
      'const long double rows = depth < d ? 0 : (depth - d) / pitch;',
      'design_tests:WindingStyles.*'),
    M('winding: sheet far end shifted outwards', 'design/winding.cpp',
      's.farEnd = b.height - shift;', 's.farEnd = b.height + shift;',
      'design_tests:WindingStyles.*'),
    M('winding: mean turn offset by one layer', 'design/winding.cpp',
      '(static_cast<long double>(b.layers) - 1) * b.radialPitch / 2',
      'static_cast<long double>(b.layers) * b.radialPitch / 2', 'design_tests:WindingStyles.*'),
    M('winding: shifted layers without their half pitch', 'design/winding.cpp',
      'b.height = (n + (b.shifted ? 0.5L : 0)) * d;', 'b.height = n * d;',
      'design_tests:WindingStyles.*'),
    # Catalogues.
    M('catalogue: overall diameter read from the bare column', 'design/catalogue.cpp',
      'const std::size_t overallColumn = header.at(overallName);',
      'const std::size_t overallColumn = bareColumn;', 'design_tests:CatalogueColumns.*'),
    M('catalogue: density and specific heat columns swapped', 'design/catalogue.cpp',
      '''    const std::size_t density = Column(header, "density_kg_m3", file);
    const std::size_t heat = Column(header, "specific_heat_J_kgK", file);''',
      '''    const std::size_t density = Column(header, "specific_heat_J_kgK", file);
    const std::size_t heat = Column(header, "density_kg_m3", file);''',
      'design_tests:CatalogueColumns.*'),
    # Goals and limits.
    M('goals: allowed rise right only at 20 C ambient', 'design/goals.cpp',
      'const long double byClass = g.thermalClass - g.ambient;',
      'const long double byClass = g.thermalClass - 20;', 'design_tests:GoalsAwayFromDefaults.*'),
    M('goals: class load from the mean rise, not the hot spot', 'design/goals.cpp',
      't.hotSpot / (g.thermalClass - g.ambient)', 't.rise / (g.thermalClass - g.ambient)',
      'design_tests:GoalsAwayFromDefaults.*'),
    M('goals: least gap from one cheek', 'design/goals.cpp', 'std::max(kLeastGap, 2 * g.cheek)',
      'std::max(kLeastGap, g.cheek)', 'design_tests:GoalsAwayFromDefaults.*'),
    M('goals: bore meets the sphere without margin', 'design/goals.cpp',
      'g.uniform->radius * 1.05L', 'g.uniform->radius', 'design_tests:GoalsAwayFromDefaults.*'),
    M('candidate: reactance without 2 pi', 'design/candidate.cpp',
      't.reactance = 2 * kTruePi * g.frequency * heat.inductance;',
      't.reactance = g.frequency * heat.inductance;', 'design_tests:CandidateByHand.*'),
    M('candidate: resistance of one coil', 'design/candidate.cpp',
      'g.material.resistivity20 * N * 16 * meanRadius', 'g.material.resistivity20 * N * 8 * meanRadius',
      'design_tests:CandidateByHand.*'),
    M('candidate: --minimise size ranks by mass', 'design/candidate.cpp',
      'case Minimise::Size:\n            return e.size;',
      'case Minimise::Size:\n            return e.mass;', 'design_tests:CandidateByHand.*'),
    M('candidate: length limit without the cheeks', 'design/candidate.cpp',
      '(2 * e.geometry.H + e.geometry.h + 2 * g.cheek) / box.lengthMax',
      '(2 * e.geometry.H + e.geometry.h) / box.lengthMax', 'design_tests:CandidateByHand.*'),
    M('report: mass limit reported only once broken', 'design/report.cpp',
      'if (g.maxMass && c[kMass] > -0.02L)', 'if (g.maxMass && c[kMass] > 0)',
      'design_tests:BindingReport.*'),
    M('report: class binds right only at 20 C ambient', 'design/report.cpp',
      'e.hot.hotSpot / (g.thermalClass - g.ambient) > 0.98L',
      'e.hot.hotSpot / (g.thermalClass - 20) > 0.98L', 'design_tests:BindingReport.*'),
    M('report: cheeks bind only below the least gap', 'design/report.cpp',
      'e.geometry.h < box.gapMin * 1.02L', 'e.geometry.h < box.gapMin',
      'design_tests:BindingReport.*'),
    # The field of a pair about its centre.
    M('zonal field: mid-plane series loses the sign of P_2n(0)', 'accuracy/zonal_field.cpp',
      'p0 *= -static_cast<long double>(n + 1)', 'p0 *= static_cast<long double>(n + 1)',
      'design_tests:CentreSeries.*'),
    M('zonal field: reach from the whole gap', 'accuracy/zonal_field.cpp',
      'return std::hypot(g.R1, g.h / 2);', 'return std::hypot(g.R1, g.h);',
      'design_tests:CentreSeries.*'),
    M('zonal field: sphere deviation ignores the fall of Bz', 'accuracy/zonal_field.cpp',
      'std::max({out.deviation, modulus / b0 - 1, 1 - f.axial / b0})',
      'std::max(out.deviation, modulus / b0 - 1)', 'design_tests:CentreSeries.*'),
    # The check and report of a found design.
    M('verify: hot resistivity right only at 20 C ambient', 'design/verify.cpp',
      '(1 + g.material.alpha * (g.ambient + found.eval.hot.rise - 20))',
      '(1 + g.material.alpha * found.eval.hot.rise)', 'design_tests:FoundDesign.*'),
    M('verify: switch-on field inverted', 'design/verify.cpp',
      'd.B0exact * found.eval.hot.coldCurrent / found.eval.hot.current',
      'd.B0exact * found.eval.hot.current / found.eval.hot.coldCurrent',
      'design_tests:FoundDesign.*'),
    M('sensitivity: the enamel grows instead of going', 'design/sensitivity.cpp',
      'const long double wireChange = -(c.wire->overall - c.wire->bare);',
      'const long double wireChange = c.wire->overall - c.wire->bare;',
      'design_tests:Robustness.*'),
    M('sensitivity: a taller coil moves its layers out', 'design/sensitivity.cpp',
      'b.firstLayer *= radial;', 'b.firstLayer *= axial;', 'design_tests:Robustness.*'),
    M('robust: a stray turn only added, never missing', 'design/sensitivity.cpp',
      '        changes.push_back({"turn", 1});\n        changes.push_back({"turn", -1});',
      '        changes.push_back({"turn", 1});', 'design_tests:Robustness.*'),
    M('wire search: least R1 right only at 20 C ambient', 'design/wire_search.cpp',
      'const long double hottest = g.ambient + AllowedRise(g);',
      'const long double hottest = 20 + AllowedRise(g);', 'design_tests:SearchBounds.*'),
    M('wire search: size bound without the cheeks', 'design/wire_search.cpp',
      'return kTruePi * R2 * R2 * (2 * b.height + box.gapMin + 2 * g.cheek);',
      'return kTruePi * R2 * R2 * (2 * b.height + box.gapMin);', 'design_tests:SearchBounds.*'),
    M('wire search: power bound at 20 C', 'design/wire_search.cpp',
      '''(1 + g.material.alpha * (g.ambient - 20));
                return g.source * g.source * R;''',
      '''1;
                return g.source * g.source * R;''', 'design_tests:SearchBounds.*'),
]

PLOT = [
    M('profile title coordinate', 'plot/profile_picture.cpp', 'Millimetres(picture.at)',
      'Millimetres(0)', 'plot_tests:PictureGeometry.*'),
    M('map image: z drawn downwards', 'plot/map_picture.cpp',
      'cells.setPixel(i, z.count - 1 - j, colourOf(points[k]).rgb());',
      'cells.setPixel(i, j, colourOf(points[k]).rgb());', 'plot_tests:PictureGeometry.*'),
    M('profile: along z placed by x', 'plot/profile_picture.cpp',
      'picture.alongZ ? pt.z : pt.x', 'picture.alongZ ? pt.x : pt.z',
      'plot_tests:PictureGeometry.*'),
    M('slanted profile: z projected on the x direction', 'plot/profile_picture.cpp',
      '(pt.z - picture.lineZ) * picture.lineUz', '(pt.z - picture.lineZ) * picture.lineUx',
      'plot_tests:PictureGeometry.*'),
    M('field lines: slope along z with its sign lost', 'plot/map_picture.cpp',
      'static_cast<double>(-pt.x * pt.field.radial)', 'static_cast<double>(pt.x * pt.field.radial)',
      'plot_tests:PictureGeometry.*'),
    M('map frame: first cell starts at its centre', 'plot/map_picture.cpp',
      'const double x0 = xs - dx / 2, x1', 'const double x0 = xs, x1',
      'plot_tests:PictureGeometry.*'),
]

STUDIO = [
    M('studio: aluminium heats with copper\'s coefficient', 'studio/core/study_bridge.cpp',
      'design::FindMaterial(inputs.material.toStdString());',
      'design::FindMaterial("copper");', 'studio_bridge_values_test'),
    M('studio: temperature rise at a 20 C ambient', 'studio/core/study_bridge.cpp',
      'in.ambient = inputs.ambientC;', 'in.ambient = 20;', 'studio_bridge_values_test'),
    M('studio: cooled area with R1 and R2 swapped', 'studio/core/study_bridge.cpp',
      'design::CooledArea(inputs.innerRadiusMm / 1000, inputs.outerRadiusMm / 1000,',
      'design::CooledArea(inputs.outerRadiusMm / 1000, inputs.innerRadiusMm / 1000,',
      'studio_bridge_values_test'),
    M('studio: exact Bx and Bz shown in each other\'s place', 'studio/core/study_bridge.cpp',
      'return Result::RadialField;\n    if (name == "Bzd at the point")\n        return Result::AxialField;',
      'return Result::AxialField;\n    if (name == "Bzd at the point")\n        return Result::RadialField;',
      'studio_bridge_values_test'),
    M('studio: the point\'s x and z swapped', 'studio/core/study_bridge.cpp',
      'DecimalText(in.pointXMm, -3),\n        DecimalText(in.pointZMm, -3),',
      'DecimalText(in.pointZMm, -3),\n        DecimalText(in.pointXMm, -3),',
      'studio_bridge_values_test'),
    M('studio: radial extent falls back to the axial scan', 'studio/core/study_bridge.cpp',
      'region.radialFound ? region.radial : region.scanRadial',
      'region.radialFound ? region.radial : region.scanAxial', 'studio_bridge_values_test'),
    M('studio: probe shows Bz as Bx', 'studio/core/study_bridge.cpp',
      'f.radial = static_cast<double>(p.field.radial);\n    f.axial = static_cast<double>(p.field.axial);',
      'f.radial = static_cast<double>(p.field.axial);\n    f.axial = static_cast<double>(p.field.radial);',
      'studio_bridge_values_test'),
    M('studio: packing factor over the outer radius', 'studio/core/design_inputs.cpp',
      'in.outerRadiusMm - in.innerRadiusMm, in.heightMm));',
      'in.outerRadiusMm, in.heightMm));', 'studio_bridge_values_test'),
    M('studio: map not centred on the mid-plane', 'studio/core/study_bridge.cpp',
      'a.z0 = -a.z1;', 'a.z0 = 0;', 'studio_bridge_values_test'),
    M('studio: stale result shown', 'studio/core/latest_result.cpp',
      'bool LatestResult::finish(quint64 ticket) {\n    if (!newest(ticket))\n        return false;',
      'bool LatestResult::finish(quint64 ticket) {\n    if (!newest(ticket) && false)\n        return false;',
      'studio_core_tests'),
]

MUTANTS = ENGINE + COMMAND + STUDY + DESIGN + PLOT + STUDIO
