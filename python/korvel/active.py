"""Bias networks, Schottky detectors, amplifier efficiency and device thermal calculators."""
from ._korvel import active as _compiled
from ._result import reexport as _reexport

__all__ = _reexport(_compiled, globals())
