# Type stubs of korvel.signal; the docstrings are in the module itself (help(korvel.signal)).
from typing import Any, Optional

import numpy as np
from numpy.typing import ArrayLike

from ._result import ReflectionResult

class CascadeInputs:
    def __init__(self, **fields: Any) -> None: ...
    inputPower_dbm: float
    analysisTemp_degC: float
    referenceTemp_degC: float
    noiseBandwidth_hz: float
    requiredSnr_db: float
    sourceTemp_k: float
    mode: InterceptMode
    stages: list[CascadeStage]

class CascadeResult:
    stages: list[CascadeStageResult]
    gain_db: float
    nf_db: float
    noiseTemp_k: float
    snr_db: float
    mds_dbm: float
    sensitivity_dbm: float
    noiseFloor_dbmPerHz: float
    inputIp3_dbm: float
    outputIp3_dbm: float
    inputIm_dbm: float
    inputImRelative_dbc: float
    outputIm_dbm: float
    outputImRelative_dbc: float
    sfdr_db: float

class CascadeStage:
    def __init__(self, **fields: Any) -> None: ...
    nf_db: float
    gain_db: float
    ip3_dbm: float
    nfTempco_dbPerC: float
    gainTempco_dbPerC: float

class CascadeStageResult:
    nf_db: float
    gain_db: float
    inputPower_dbm: float
    outputPower_dbm: float
    noiseFactor: float
    gainRatio: float
    oip3_mw: float
    cascadedNoiseFactor: float
    cascadedGain_db: float
    cascadedOip3_mw: float
    cascadedOip3_dbm: float
    nfSensitivity: float
    gainSensitivity: float
    ip3Sensitivity: float

class IP3Inputs:
    def __init__(self, **fields: Any) -> None: ...
    unknown: IP3Unknown
    gainDb: float
    ip3Dbm: float
    ip3AtInput: bool
    toneDbm: float
    toneAtInput: bool
    imDbm: float
    imAtInput: bool
    graphAtInput: bool

class IP3Result:
    ip3In: float
    ip3Out: float
    toneIn: float
    toneOut: float
    imIn: float
    imOut: float
    graphIp3: float
    graphTone: float
    graphImDbm: float
    graphImDbc: float

class IP3Unknown:
    ProductLevel: IP3Unknown
    ToneLevel: IP3Unknown
    InterceptPoint: IP3Unknown

class InterceptMode:
    Input: InterceptMode
    Output: InterceptMode

class MixerScheme:
    RangeRange: MixerScheme
    RangeFixedLo: MixerScheme
    FixedRfRange: MixerScheme
    FixedFixed: MixerScheme

class MixerSpur:
    n: int
    m: int
    rfLimit1: float
    rfLimit2: float

class MixerSpurInputs:
    def __init__(self, **fields: Any) -> None: ...
    rfMin: float
    rfMax: float
    loMin: float
    loMax: float
    ifMin: float
    ifMax: float
    maxRfHarmonic: int
    maxLoHarmonic: int
    scheme: MixerScheme

class MixerSpurResult:
    spurs: list[MixerSpur]
    overflow: bool
    negativeFrequencies: bool

def cascade(inputs: CascadeInputs, sensitivities: bool = True) -> CascadeResult: ...
def intermods(inputs: IP3Inputs) -> IP3Result: ...
def mixer_spurs(inputs: MixerSpurInputs) -> MixerSpurResult: ...
def reflection(*, z0: ArrayLike = 50.0, errors: str = "raise", rho: ArrayLike = ..., swr: ArrayLike = ..., return_loss: ArrayLike = ..., mismatch_loss: ArrayLike = ..., t_mag: ArrayLike = ..., t_db: ArrayLike = ..., r_load: ArrayLike = ..., g_load: ArrayLike = ...) -> ReflectionResult: ...
