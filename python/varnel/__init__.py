# SPDX-License-Identifier: GPL-3.0-or-later
"""Varnel Coils from Python: a pair of identical coaxial multi-layer coils in series.

The calculator's sixteen results in its own texts, the field on numpy arrays, the accuracy
check, the uniform region and the design search, from the same C++ libraries as the
programs ``varnel-coils`` and ``varnel-calc``. Every quantity is in SI units (m, Ohm*m,
kg/m^3, Hz, V or A, T), as in the calculator's input boxes.

>>> import varnel
>>> varnel.calculate().texts["B0d"]
'0.006187'
>>> pair = varnel.Pair(R1=0.05, R2=0.07, H=0.03, h=0.06, source=12)
>>> varnel.calculate(pair, z=0.01).texts["Bzd"]  # doctest: +SKIP
"""

from __future__ import annotations

import dataclasses
import decimal
import functools
import json
import numbers
import operator
from typing import Dict, List, Mapping, NamedTuple, Optional, Tuple, Union

from . import _varnel
from ._varnel import (
    FloatingPointError,
    GoalError,
    InputCheckError,
    NumberTextError,
    VarnelError,
)

__all__ = [
    "CheckedQuantity",
    "Design",
    "Field",
    "FloatingPointError",
    "GoalError",
    "InputCheckError",
    "NoDesignError",
    "NumberTextError",
    "Pair",
    "Result",
    "Scanned",
    "Uniform",
    "VarnelError",
    "Wire",
    "calculate",
    "check",
    "design",
    "field",
    "uniform",
    "wires",
]
__version__: str = _varnel.__version__

#: A value of an input: a number, or a text read by the calculator's number rules ("1.67E-8").
Number = Union[float, int, str]

# The calculator's inputs from its one table: name -> (default text, default value, unit, help).
_INPUTS = {row[0]: row[1:] for row in _varnel.inputs()}
_PAIR_INPUTS = [name for name in _INPUTS if name not in ("x", "z")]  # a Pair's, in order


def _default(name: str) -> float:
    return _INPUTS[name][1]


def _text(name: str, value: object) -> str:
    """The text an input box would hold for `value`; the calculator reads it by its rules."""
    kind = type(value)
    if kind is float:
        # The shortest text that reads back as this float: 0.01 is typed as "0.01".
        return repr(value)
    if kind is str:
        return value
    if kind is int:
        return str(value)
    if isinstance(value, str):
        return value
    if isinstance(value, bool):
        raise TypeError(f"{name}: a number or a text, not {value!r}")
    if isinstance(value, numbers.Integral):
        return str(int(value))
    if isinstance(value, decimal.Decimal):
        return str(value)
    if isinstance(value, numbers.Real):
        # The shortest text that reads back as this float: 0.01 is typed as "0.01".
        return repr(float(value))
    raise TypeError(f"{name}: a number or a text, not {type(value).__name__}")


@dataclasses.dataclass(frozen=True)
class Pair:
    """The coil pair: geometry of one coil, the gap, the wire and the supply.

    Each input is a number or a text read by the calculator's rules; what is not given keeps
    the calculator's default.

    R1: inner radius of the winding, m.  R2: outer radius, m.  H: height of one coil, m.
    h: gap between the coils, m.  D: wire diameter, m.  Lambda: packing factor (< 1).
    Roe: resistivity of the wire, Ohm*m.  Ro: density of the wire, kg/m^3.
    f: supply frequency, Hz.  source: RMS voltage, V (with current=True: RMS current, A).
    current: True for a current source.
    """

    R1: Number = _default("R1")
    R2: Number = _default("R2")
    H: Number = _default("H")
    h: Number = _default("h")
    D: Number = _default("D")
    Lambda: Number = _default("Lambda")
    Roe: Number = _default("Roe")
    Ro: Number = _default("Ro")
    f: Number = _default("f")
    source: Number = _default("source")
    current: bool = False

    def __post_init__(self) -> None:
        texts = [_text(name, getattr(self, name)) for name in _PAIR_INPUTS]
        if not isinstance(self.current, bool):
            raise TypeError(f"current: True or False, not {self.current!r}")
        object.__setattr__(self, "_texts", texts)

    def replace(self, **changes: object) -> "Pair":
        """A copy with the inputs named changed: ``pair.replace(h=0.05, f=50)``."""
        return dataclasses.replace(self, **changes)

    def texts(self, x: Number = 0, z: Number = 0) -> List[str]:
        """The twelve input texts in the calculator's order, with the field point (x, z), m."""
        return self._texts + [_text("x", x), _text("z", z)]  # type: ignore[attr-defined]


class Result:
    """One calculation: the sixteen results as the calculator writes them and as numbers.

    The results are named N, R, L, ZL, ZRL, Id_or_Ud (the current of a voltage source or the
    voltage of a current source), j, jcond (A/mm^2), P, B0d, K0, Bxd, Bzd, Bd, Fi0 (degrees)
    and m, in SI units.

    texts: the calculator's four-digit texts ("1.67E-0008").  values: the nearest floats.
    extended: every value with all 21 digits of its 80-bit extended value, as varnel-calc
    --json --full writes numbers.  record: the calculation record's 24 fields the same way.
    status: the status text ("Готов ...").
    """

    def __init__(self, outcome: "_varnel.Outcome") -> None:
        self._outcome = outcome

    @property
    def status(self) -> str:
        return self._outcome.status

    @functools.cached_property
    def texts(self) -> Dict[str, str]:
        return self._outcome.texts()

    @functools.cached_property
    def values(self) -> Dict[str, float]:
        return self._outcome.values()

    @functools.cached_property
    def extended(self) -> Dict[str, str]:
        return self._outcome.extended()

    @functools.cached_property
    def record(self) -> Dict[str, str]:
        return self._outcome.record()

    def __repr__(self) -> str:
        return f"Result(status={self.status!r}, texts={self.texts!r})"


_KEEP: object = object()  # an input not given: the pair's own
_DEFAULT_PAIR = Pair()


def _pair_of(pair: Optional[Pair], changes: Dict[str, object]) -> Pair:
    if pair is None:
        pair = _DEFAULT_PAIR
    elif not isinstance(pair, Pair):
        raise TypeError(f"pair: a varnel.Pair, not {type(pair).__name__}")
    given = {name: value for name, value in changes.items() if value is not _KEEP}
    return pair.replace(**given) if given else pair


def calculate(
    pair: Optional[Pair] = None,
    /,
    *,
    R1: Number = _KEEP,  # type: ignore[assignment]
    R2: Number = _KEEP,  # type: ignore[assignment]
    H: Number = _KEEP,  # type: ignore[assignment]
    h: Number = _KEEP,  # type: ignore[assignment]
    D: Number = _KEEP,  # type: ignore[assignment]
    Lambda: Number = _KEEP,  # type: ignore[assignment]
    Roe: Number = _KEEP,  # type: ignore[assignment]
    Ro: Number = _KEEP,  # type: ignore[assignment]
    f: Number = _KEEP,  # type: ignore[assignment]
    source: Number = _KEEP,  # type: ignore[assignment]
    current: bool = _KEEP,  # type: ignore[assignment]
    x: Number = 0,
    z: Number = 0,
) -> Result:
    """The calculator's sixteen results for the pair (the defaults without one).

    Inputs given by name change the pair's (lengths in m, Roe in Ohm*m, Ro in kg/m^3, f in
    Hz, source in V, or in A with current=True); x and z are the field point, m, radial and
    axial from the centre. Each is a number or a text read by the calculator's rules.

    Raises InputCheckError with the check's message ("Введите R1 > 0"), NumberTextError for
    a text that is not a number, FloatingPointError for an arithmetic fault, each with the
    message the calculator shows.
    """
    p = _pair_of(pair, dict(R1=R1, R2=R2, H=H, h=h, D=D, Lambda=Lambda, Roe=Roe, Ro=Ro, f=f,
                            source=source, current=current))
    return Result(_varnel.calculate(p.texts(x, z), p.current))


class Field(NamedTuple):
    """Flux density at the points, T: radial Bx, axial Bz and the modulus B."""

    Bx: "numpy.ndarray"  # noqa: F821
    Bz: "numpy.ndarray"  # noqa: F821
    B: "numpy.ndarray"  # noqa: F821


def _threads(threads: Optional[int]) -> int:
    if threads is None:
        return 0
    if isinstance(threads, bool) or not isinstance(threads, numbers.Integral):
        raise TypeError(f"threads: a whole number, not {threads!r}")
    if threads < 1:
        raise ValueError(f"threads: {threads} is not 1 or more")
    return int(threads)


def field(
    x: object,
    z: object,
    pair: Optional[Pair] = None,
    model: str = "exact",
    threads: Optional[int] = None,
) -> Field:
    """The pair's flux density at the points (x, z): Bx, Bz and |B| in T.

    x (radial, m, from the axis; negative on the other side) and z (axial, m, from the
    centre) are numbers or numpy arrays of the same shape (or shapes that broadcast); the
    results have that shape. The current is the pair's, as the calculator computes it.

    model: "exact", the windings of uniform current density in closed form (elliptic
    integrals, summed over the radius), or "classic", the calculator's own Biot-Savart sums
    (its Bxd and Bzd). Computed without the GIL on `threads` threads (every core unless
    told); Ctrl-C stops it and raises KeyboardInterrupt. A point where the arithmetic
    overflows gives inf or nan there, as numpy's own arithmetic does.
    """
    import numpy

    if model not in ("exact", "classic"):
        raise ValueError(f"model: {model!r} is not 'exact' or 'classic'")
    p = _pair_of(pair, {})
    xs, zs = numpy.broadcast_arrays(numpy.asarray(x, dtype=numpy.float64),
                                    numpy.asarray(z, dtype=numpy.float64))
    # The compiled call takes them as C-ordered float64, copying where they are not.
    bx, bz, b = _varnel.field(xs, zs, p.texts(), p.current, model, _threads(threads))
    return Field(bx[()], bz[()], b[()])


@dataclasses.dataclass(frozen=True)
class CheckedQuantity:
    """One quantity computed by the calculator's formulas (classic) and by high-accuracy
    integrals (exact), with the exact value's estimated error, in `unit`. classic is None
    where the calculator has no such value; relative_difference is classic/exact - 1."""

    quantity: str
    unit: str
    classic: Optional[float]
    exact: float
    estimated_error: float
    relative_difference: Optional[float]


def check(pair: Optional[Pair] = None, /, *, x: Number = 0, z: Number = 0) -> List[CheckedQuantity]:
    """The accuracy check of varnel-calc check: the self, mutual and pair inductances (H), B0d
    and the field at the point (x, z) (T, degrees) by the calculator and by high-accuracy
    integrals, and the force between the coils (N; negative: they attract)."""
    p = _pair_of(pair, {})
    rows = json.loads(_varnel.check(p.texts(x, z), p.current))

    def number(text: Optional[str]) -> Optional[float]:
        return None if text is None else float(text)

    return [
        CheckedQuantity(row["quantity"], row["unit"], number(row["classic"]), float(row["exact"]),
                        float(row["estimated_error"]), row["relative_difference"])
        for row in rows
    ]


class Scanned(NamedTuple):
    """How far the uniform region's scan looked, m."""

    axial: float
    radial: float


@dataclasses.dataclass(frozen=True)
class Uniform:
    """How far from the centre |B| stays within `tolerance` of B0d (T): along the axis and
    radially in the mid-plane, m; None where the scan found no end (see scanned)."""

    tolerance: float
    B0d: float
    axial: Optional[float]
    radial: Optional[float]
    scanned: Scanned


def uniform(pair: Optional[Pair] = None, tol: Number = 0.001, model: str = "exact") -> Uniform:
    """The uniform region of varnel-calc uniform: how far from the centre the field stays
    within the fraction `tol` of B0d (0.001 is 0.1 %), along the axis and radially, m.

    model: "exact" (the default, as varnel-calc uniform), the windings of uniform current
    density in closed form; "classic", the calculator's sums. B0d is the centre's field by the
    same model, T."""
    p = _pair_of(pair, {})
    out = _varnel.uniform(p.texts(), p.current, _text("tol", tol), model)
    return Uniform(out["tolerance"], out["B0d"], out["axial"], out["radial"],
                   Scanned(out["scanned_axial"], out["scanned_radial"]))


@dataclasses.dataclass(frozen=True)
class Design:
    """One design of varnel-calc design, by the names of its --json output.

    R1, R2, H, h: the geometry, m.  wire, D, D_overall: the wire and its bare and overall
    diameters, m.  winding, Lambda, turns (per coil), layers, turns_per_layer.  R20, R_hot:
    resistance of both coils at 20 C and hot, Ohm.  L: inductance, H.  I, U, P_hot: current
    (A), voltage (V) and power (W) hot.  B0, B0_exact: field at the centre by the calculator
    and exact, T.  uniform_tol, uniform_axis, uniform_radial (m),
    uniform_radial_is_lower_bound, sphere_deviation (None without a uniformity goal).
    sensitivity: how the wound build's strays move it, one dict each: what ("h", "R1", "H",
    "turn", "wire"), change (m, or turns), B0_change (relative), sphere_deviation.
    dT: mean temperature rise, K; dT_hot_spot: the hottest point's, K.  thermal_time_constant:
    of the approach to the steady rise, s.  B0_switch_on: B0 with the winding cold, T.  mass, kg.  wire_length, m.  L_over_R, s.  heating_rate, K/s.
    Roe_hot: resistivity hot, Ohm*m.  binding: the limits that bind.  command: the
    varnel-calc line that calculates it; inputs: its options.
    """

    R1: float
    R2: float
    H: float
    h: float
    wire: str
    D: float
    D_overall: float
    winding: str
    Lambda: float
    turns: int
    layers: int
    turns_per_layer: int
    R20: float
    R_hot: float
    L: float
    I: float  # noqa: E741
    U: float
    P_hot: float
    B0: float
    B0_exact: float
    uniform_tol: float
    uniform_axis: float
    uniform_radial: float
    uniform_radial_is_lower_bound: bool
    sphere_deviation: Optional[float]
    sensitivity: Tuple[dict, ...]
    dT: float
    dT_hot_spot: float
    thermal_time_constant: float
    B0_switch_on: float
    mass: float
    wire_length: float
    L_over_R: float
    heating_rate: float
    Roe_hot: float
    binding: Tuple[str, ...]
    command: str
    inputs: Tuple[str, ...]

    def pair(self) -> Pair:
        """The calculator's inputs for the design at its operating temperature, as a Pair."""
        options = list(self.inputs)
        current = "--current" in options
        if current:
            options.remove("--current")
        given = {options[i][2:]: options[i + 1] for i in range(0, len(options) - 1, 2)}
        return Pair(current=current, **given)


class NoDesignError(VarnelError):
    """No design meets the goals. The message names the limits that bind and the closest field
    reachable; `best` is the closest design, or None."""

    def __init__(self, message: str, best: Optional[Design]) -> None:
        super().__init__(message)
        self.best = best


def _design_of(row: dict) -> Design:
    row = dict(row, binding=tuple(row["binding"]), inputs=tuple(row["inputs"]),
               sensitivity=tuple(row["sensitivity"]))
    return Design(**row)


def _real(name: str, value: object) -> Optional[float]:
    if value is None:
        return None
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"{name}: a number, not {value!r}")
    return float(value)


_ROBUST_LENGTHS = ("h", "R1", "H")


def _robust(strays: Optional[Mapping[str, object]]) -> Dict[str, object]:
    """The strays of the build for a robust search, each checked as varnel-calc design
    --robust checks its items."""
    out: Dict[str, object] = {"h": 0.0, "R1": 0.0, "H": 0.0, "turns": 0, "wire": False}
    for name, value in ({} if strays is None else dict(strays)).items():
        if name in _ROBUST_LENGTHS:
            out[name] = _real(f"robust {name}", value)
        elif name == "turns" and not isinstance(value, bool) and value in (0, 1):
            out[name] = int(value)
        elif name == "wire" and isinstance(value, bool):
            out[name] = value
        else:
            raise GoalError("robust takes h, R1, H (m), turns (0 or 1: one turn at most) and "
                            f"wire (True or False); '{name}={value!r}' is not one of them")
    return out


def design(
    *,
    B0: float,
    B0_tol: float = 0.01,
    uniform: Optional[Tuple[Number, Number]] = None,
    voltage: Optional[float] = None,
    current: Optional[float] = None,
    f: float = 0,
    max_power: Optional[float] = None,
    max_temp_rise: Optional[float] = None,
    ambient: float = 20,
    thermal_class: float = 155,
    heat_transfer: float = 12,
    winding_conductivity: Optional[float] = None,
    bore: float = 0,
    former_wall: float = 0,
    cheek: float = 0,
    search_outer: float = 0.3,
    search_length: float = 0.6,
    search_inner: float = 0.001,
    search_reach: float = 0.6,
    robust: Optional[Mapping[str, object]] = None,
    max_outer: Optional[float] = None,
    max_length: Optional[float] = None,
    max_mass: Optional[float] = None,
    material: str = "copper",
    wires: str = "metric",
    grade: str = "",
    winding: str = "orthocyclic",
    minimise: str = "mass",
    count: int = 5,
    threads: Optional[int] = None,
) -> List[Design]:
    """Coil pairs made of standard enamelled wire that meet the goals, best first, as
    varnel-calc design finds them.

    B0: flux density at the centre, T, met hot within B0_tol (a fraction).  uniform: (tol,
    radius): |B|/B0 - 1 within tol on a sphere of that radius, m.  The supply: voltage (RMS V)
    or current (RMS A), f (Hz).  Limits: max_power (W, hot), max_temp_rise (K, above ambient,
    C; never above thermal_class, C), heat_transfer (W/(m^2 K)), winding_conductivity (across
    the turns, W/(m K), for the hot spot: 0.2 for a dry winding unless told, 0.5-1
    impregnated), bore (clear radius inside the former, m), former_wall (the former's wall:
    R1 = bore + former_wall, m), cheek (each coil's end plate, m: the gap between the windings
    is at least two), max_outer (R2, m), max_length (2H + h, m), max_mass (kg).  The search's
    own bounds: search_outer (R2 without max_outer, m), search_length (2H + h without
    max_length, m), search_inner (least R1, m), search_reach (the uniform sphere reaches at
    most this share of the distance to the nearest turn).  robust: designs that meet every
    goal across these strays of the build, worst case, as a mapping of any of h, R1, H (m),
    turns (0 or 1, on one coil) and wire (True: the wire's catalogue tolerance), such as
    {"h": 1e-4, "turns": 1, "wire": True}.  material: copper or aluminium.  wires:
    "metric", "awg" or a CSV file; grade: the enamel grade column.  winding: "orthocyclic",
    "layer" or "random[:FILL]".  minimise: "mass", "power" or "size".  count: at most how
    many designs (1 to 100).  threads: every core unless told.

    Raises GoalError for goals that make no sense and NoDesignError when none meets them;
    Ctrl-C stops the search and raises KeyboardInterrupt.
    """
    goals = {
        "B0": _real("B0", B0),
        "B0_tol": _real("B0_tol", B0_tol),
        "uniform": None if uniform is None else (_text("uniform", uniform[0]),
                                                 _text("uniform", uniform[1])),
        "voltage": _real("voltage", voltage),
        "current": _real("current", current),
        "f": _real("f", f),
        "max_power": _real("max_power", max_power),
        "max_temp_rise": _real("max_temp_rise", max_temp_rise),
        "ambient": _real("ambient", ambient),
        "thermal_class": _real("thermal_class", thermal_class),
        "heat_transfer": _real("heat_transfer", heat_transfer),
        "winding_conductivity": _real("winding_conductivity", winding_conductivity),
        "bore": _real("bore", bore),
        "former_wall": _real("former_wall", former_wall),
        "cheek": _real("cheek", cheek),
        "search_outer": _real("search_outer", search_outer),
        "search_length": _real("search_length", search_length),
        "search_inner": _real("search_inner", search_inner),
        "search_reach": _real("search_reach", search_reach),
        "robust": _robust(robust),
        "max_outer": _real("max_outer", max_outer),
        "max_length": _real("max_length", max_length),
        "max_mass": _real("max_mass", max_mass),
        "material": str(material),
        "wires": str(wires),
        "grade": str(grade),
        "winding": str(winding),
        "minimise": str(minimise),
        "count": operator.index(count),
    }
    if uniform is not None and len(uniform) != 2:
        raise TypeError("uniform: a pair (tol, radius)")
    answer = _varnel.design(goals, _threads(threads))
    designs = [_design_of(row) for row in answer["designs"]]
    if not designs:
        best = answer["best"]
        raise NoDesignError(answer["error"], None if best is None else _design_of(best))
    return designs


class Wire(NamedTuple):
    """A wire of a catalogue: its name and its bare and overall (over the enamel) diameters, m."""

    name: str
    bare: float
    overall: float


def wires(which: str = "metric", grade: str = "") -> List[Wire]:
    """The wires of a catalogue: "metric" or "awg" (the shipped tables) or the path of a CSV
    file with the same columns; grade picks the overall_GRADE_mm column (the first unless
    told). Raises GoalError for a table that cannot be used."""
    return [Wire(*row) for row in _varnel.wires(str(which), str(grade))]
