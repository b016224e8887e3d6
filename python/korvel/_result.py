"""The result records the korvel functions return, and the plumbing that re-exports the
compiled submodules."""


class Result:
    """The results of one calculation, as attributes.

    For scalar inputs the values are floats; for array inputs they are numpy arrays of the
    inputs' broadcast shape.
    """

    def __init__(self, **values):
        self.__dict__.update(values)

    def as_dict(self):
        """The values as a dict, name -> value."""
        return dict(self.__dict__)

    def __repr__(self):
        inner = ", ".join(f"{k}={v!r}" for k, v in self.__dict__.items())
        return f"{type(self).__name__}({inner})"


class LineResult(Result):
    """A transmission line: z0 (ohm), eeff, velocity_factor, velocity (m/s), wavelength (m),
    electrical_length (rad) and fraction_of_wavelength, with the line's own values (ratio,
    the synthesised dimension in metres, ...)."""


class ReflectionResult(Result):
    """A match stated every way: rho, swr, return_loss, mismatch_loss, t_mag, t_db, r_load,
    g_load."""


class NoiseData(Result):
    """Noise parameters: frequencies (Hz), nfmin_db, gamma_opt (complex), rn (normalised)."""


class BjtBiasResult(Result):
    """design (BjtDesign) and analysis (BjtAnalysis) of a bipolar bias network."""


class ThermalResult(Result):
    """powers (ThermalPowers) and temperatures (ThermalTemperatures) of a device."""


def _record_repr(self):
    fields = [k for k, v in vars(type(self)).items() if isinstance(v, property)]
    return f"{type(self).__name__}(" + ", ".join(f"{k}={getattr(self, k)!r}" for k in fields) + ")"


def reexport(module, namespace):
    """Copies a compiled submodule's public names into a package module, giving its records a
    repr that lists their fields."""
    names = [k for k in dir(module) if not k.startswith("_")]
    for k in names:
        obj = getattr(module, k)
        if isinstance(obj, type) and "__repr__" not in vars(obj) and not hasattr(obj, "__members__"):
            obj.__repr__ = _record_repr
        namespace[k] = obj
    return names
