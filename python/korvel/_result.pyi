# korvel._result: type stubs. Values are floats for scalar inputs, arrays for array inputs.
from typing import Any

class Result:
    def __init__(self, **values: Any) -> None: ...
    def as_dict(self) -> dict[str, Any]: ...
    def __getattr__(self, name: str) -> Any: ...

class LineResult(Result):
    z0: Any
    eeff: Any
    velocity_factor: Any
    velocity: Any
    wavelength: Any
    electrical_length: Any
    fraction_of_wavelength: Any

class ReflectionResult(Result):
    rho: Any
    swr: Any
    return_loss: Any
    mismatch_loss: Any
    t_mag: Any
    t_db: Any
    r_load: Any
    g_load: Any

class NoiseData(Result): ...
class BjtBiasResult(Result): ...
class ThermalResult(Result): ...
