"""Standard component values, the lattice balun, equivalent circuits and constants."""
from ._korvel import tools as _compiled
from ._result import reexport as _reexport

__all__ = _reexport(_compiled, globals())
