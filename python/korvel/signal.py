"""Reflection conversions, cascaded noise/gain/IP3, two-tone intermodulation and mixer spurs."""
from ._korvel import signal as _compiled
from ._result import reexport as _reexport

__all__ = _reexport(_compiled, globals())
