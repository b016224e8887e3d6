"""Transmission lines: analysis and synthesis of every line type, in SI units, over scalars or numpy arrays."""
from ._korvel import lines as _compiled
from ._result import reexport as _reexport

__all__ = _reexport(_compiled, globals())
