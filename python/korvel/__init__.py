"""Korvel's RF and microwave design formulas and its S-parameter engine, for Python.

Submodules
----------
lines
    Transmission lines: analysis and synthesis, vectorised over numpy arrays.
sparam
    Touchstone data sets, interpolation and every two-port quantity as numpy arrays.
active
    Bias networks, detectors, amplifier efficiency and device thermal.
signal
    Reflection conversions, cascaded noise/gain/IP3, intermodulation, mixer spurs.
tools
    Standard component values, the lattice balun, equivalent circuits, constants.

Inputs and results are in SI units unless a name says otherwise (``_db``, ``_dbm``).
The program's accuracy notes are issued as :class:`KorvelWarning`; its faults raise
:class:`FaultError`, refused inputs :class:`InputError`, unreadable files :class:`LoadError`,
all with the program's own texts.
"""
from ._korvel import (  # noqa: F401
    FaultError,
    InputError,
    KorvelError,
    KorvelWarning,
    LoadError,
    __version__,
)
from . import active, lines, signal, sparam, tools  # noqa: F401,E402

__all__ = ["KorvelError", "FaultError", "InputError", "LoadError", "KorvelWarning",
           "lines", "sparam", "active", "signal", "tools", "__version__"]
