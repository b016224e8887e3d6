# Type stubs of korvel.tools; the docstrings are in the module itself (help(korvel.tools)).
from typing import Any, Optional

import numpy as np
from numpy.typing import ArrayLike


class BalunElement:
    kind: ElementKind
    value: float

class BalunInputs:
    def __init__(self, **fields: Any) -> None: ...
    rg_ohm: float
    f_hz: float
    rload_ohm: float
    xload_ohm: float
    cstray_f: float

class BalunResult:
    rp_ohm: float
    load: BalunElement
    resonant: BalunElement
    zm_ohm: float
    l_h: float
    c_f: float

CONSTANTS: list
class CircuitKind:
    None_: CircuitKind
    R: CircuitKind
    SeriesRL: CircuitKind
    SeriesRC: CircuitKind
    ParallelRL: CircuitKind
    ParallelRC: CircuitKind

class ElementKind:
    None_: ElementKind
    Inductor: ElementKind
    Capacitor: ElementKind

class EquivalentCircuit:
    kind: CircuitKind
    r_ohm: float
    rInfinite: bool
    l_h: float
    c_f: float

class StandardValueInputs:
    def __init__(self, **fields: Any) -> None: ...
    value: float
    baseUnit: str
    tolerance: float

class StandardValueResult:
    mantissa: float
    unit: str
    unitName: str
    standard: float
    delta: float
    deltaFraction: float

def balun(inputs: BalunInputs) -> BalunResult: ...
def circuit_impedance(kind: CircuitKind, r_ohm: float, reactive: float, f_hz: float) -> complex: ...
def parallel_circuit(y: complex, f_hz: float) -> EquivalentCircuit: ...
def series_circuit(z: complex, f_hz: float) -> EquivalentCircuit: ...
def standard_series(tolerance: float) -> np.ndarray[numpy.float64]: ...
def standard_value(value: ArrayLike, tolerance: float = 5.0) -> Any: ...
def standard_value_calc(inputs: StandardValueInputs) -> StandardValueResult: ...
