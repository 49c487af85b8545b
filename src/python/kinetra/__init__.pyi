import os
from typing import Mapping, Optional, Sequence, Union

import numpy as np
import numpy.typing as npt

Value = Union[float, str, None]
Metric = Union[float, str, list[str]]

class SimulationError(RuntimeError):
    outcome: str
    run: Optional[Run]

class Run:
    time: npt.NDArray[np.float64]
    torque: npt.NDArray[np.float64]
    current: npt.NDArray[np.float64]
    mech_speed: npt.NDArray[np.float64]
    motor_speed: npt.NDArray[np.float64]
    position: Optional[npt.NDArray[np.float64]]
    static: np.ndarray
    metrics: dict[str, Metric]
    summary: str
    outcome: str
    notice: str

class Model:
    path: str
    decimal_separator: str
    def __getitem__(self, key: str) -> Value: ...
    def __setitem__(self, key: str, value: Value) -> None: ...
    def __contains__(self, key: str) -> bool: ...
    def keys(self) -> list[str]: ...
    def save(self, path: Union[str, os.PathLike[str]]) -> None: ...

def load(
    path: Union[str, os.PathLike[str]], decimal_separator: Optional[str] = None
) -> Model: ...
def simulate(model: Model) -> Run: ...
def sweep(
    model: Model,
    keys: Mapping[str, Union[Sequence[float], npt.ArrayLike]],
    jobs: Optional[int] = None,
    shard: Optional[tuple[int, int]] = None,
) -> dict[str, np.ndarray]: ...
def study(
    model: Model,
    vary: Mapping[str, str],
    samples: int,
    seed: int = 1,
    jobs: Optional[int] = None,
    shard: Optional[tuple[int, int]] = None,
) -> dict[str, np.ndarray]: ...
