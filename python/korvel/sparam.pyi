# korvel.sparam: type stubs; the docstrings are in the module (help(korvel.sparam)).
import os
from typing import Any, Optional, Sequence, Union

import numpy as np
from numpy.typing import ArrayLike

from ._result import NoiseData

PARAMETERS: dict[str, str]

class DataSet:
    frequencies: np.ndarray
    s: np.ndarray
    s11: np.ndarray
    s21: np.ndarray
    s12: np.ndarray
    s22: np.ndarray
    noise: Optional[NoiseData]
    z0: float
    ports: int
    format: str
    frequency_unit: str
    file_name: str
    path: str
    @staticmethod
    def from_arrays(frequencies: ArrayLike, s: ArrayLike, z0: float = 50.0,
                    noise: Optional[tuple[ArrayLike, ArrayLike, ArrayLike, ArrayLike]] = None) -> DataSet: ...
    def quantity(self, name: str) -> np.ndarray: ...
    def quantities(self, names: Sequence[str]) -> dict[str, np.ndarray]: ...
    def __len__(self) -> int: ...

def load(path: Union[str, os.PathLike[str]]) -> DataSet: ...
def interpolate(ds: DataSet, frequencies: ArrayLike) -> DataSet: ...
def to_skrf(ds: DataSet, name: Optional[str] = None) -> Any: ...
def from_skrf(net: Any) -> DataSet: ...
