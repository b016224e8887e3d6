# Type stubs of korvel.active; the docstrings are in the module itself (help(korvel.active)).
from typing import Any, Optional

import numpy as np
from numpy.typing import ArrayLike

from ._result import BjtBiasResult, ThermalResult

class BjtAnalysis:
    ic_a: list[list[float[3]][3]]
    stability: BjtStability
    deltaIc_a: list[float[4]]
    tjMax_c: float
    outOfRegulation: bool
    icMaxOverMin: float
    supplyCurrent_ma: float

class BjtBiasInputs:
    def __init__(self, **fields: Any) -> None: ...
    vcc_v: float
    ic_a: float
    vce_v: float
    hfe: list[float[3]]
    icbo_a: float
    theta_c_per_w: float
    tcase_c: list[float[3]]
    vbe_v: float
    hfeTempCo_pct_per_c: float
    vbeTempCo_mv_per_c: float
    icboFactor: float
    vrb2Mult: float
    irb2Mult: float

class BjtDesign:
    ib_a: float
    rbe_ohm: float
    vbePrime_v: float
    vrb2_v: float
    irb2_a: float
    r: BjtResistors

class BjtNetwork:
    BaseBias: BjtNetwork
    CollectorFeedback: BjtNetwork
    VFeedbackCurrentSource: BjtNetwork
    VoltageFeedback: BjtNetwork
    EmitterFeedback: BjtNetwork

class BjtResistors:
    def __init__(self, **fields: Any) -> None: ...
    rb: float
    rc: float
    rb1: float
    rb2: float
    re: float

class BjtStability:
    sIcbo: float
    sVbe: float
    sHfe: float

class DetectorInputs:
    def __init__(self, **fields: Any) -> None: ...
    ideality: float
    iso_a: float
    eg_ev: float
    rs_ohm: float
    io_a: float
    temp_k: float
    rg_ohm: float
    rl_ohm: float
    pinStart_dbm: float
    pinStop_dbm: float
    pinStep_db: float

class DetectorPoint:
    power_w: float
    vout_v: float
    sensitivity_mv_per_uw: float
    converged: bool

class DetectorResult:
    is_a: float
    lambda_per_v: float
    vo0_v: float
    rv_ohm: float
    points: list[DetectorPoint]

class EfficiencyInputs:
    def __init__(self, **fields: Any) -> None: ...
    mode: EfficiencyMode
    pout_dbm: float
    pin_dbm: float
    gain_db: float
    v1_v: float
    i1_a: float
    v2_v: float
    i2_a: float
    pulseWidth: float
    pulsePeriod: float
    tcase_c: float
    theta_c_per_w: float
    tjLimit_c: float

class EfficiencyMode:
    GainFromPoutPin: EfficiencyMode
    PinFromPoutGain: EfficiencyMode
    PoutFromPinGain: EfficiencyMode

class EfficiencyResult:
    pout_dbm: float
    pin_dbm: float
    gain_db: float
    dutyCycle: float
    pv1_w: float
    pv2_w: float
    pdc_w: float
    poutAvg_w: float
    pinAvg_w: float
    pdiss_w: float
    simpleEfficiency: float
    pae: float
    tj_c: float

class FetBiasInputs:
    def __init__(self, **fields: Any) -> None: ...
    vdd_v: float
    idTarget_a: float
    vdsTarget_v: float
    idss_a: list[float[3]]
    vpPrime_v: list[float[3]]
    vpSpecIsCurrent: bool
    vpSpecFraction: float
    vpSpecCurrent_a: float
    vpTempco_vPerC: float
    idssTempco_perC: float
    theta_cPerW: float
    tcase_c: list[float[3]]
    rdIncluded: bool
    worstCase: bool
    useStandardValues: bool
    tolerance: int

class FetBiasResult:
    vpNominal_v: list[float[3]]
    rs_ohm: float
    rd_ohm: float
    rsExact_ohm: float
    rdExact_ohm: float
    id_a: float
    vgs_v: float
    vds_v: float
    cells: list[FetCell[3]]
    vdsMin_v: float
    vdsMax_v: float
    tjMax_c: float
    sensVp: FetSensitivity
    sensIdss: FetSensitivity
    sensTemp: FetSensitivity
    sensRs: FetSensitivity

class FetCell:
    idMin_a: float
    idMax_a: float
    pd_w: float
    tj_c: float

class FetSensitivity:
    id_a: float
    vds_v: float

class IBiasColumn:
    tcase_c: float
    idMax_a: float
    idTyp_a: float
    idMin_a: float
    pd_w: float
    tj_c: float

class IBiasInputs:
    def __init__(self, **fields: Any) -> None: ...
    common: RficCommonInputs
    f_hz: float
    vs_v: float
    vd_v: list[float[3]]
    idTyp_a: float
    dVdT_vPerC: float
    theta_cPerW: float
    tLow_c: float
    tHigh_c: float
    rfc_h: float

class IBiasResult:
    parts: RficComponents
    rbiasExact_ohm: float
    rbias_ohm: float
    biasLoss_db: float
    pdRbiasMax_w: float
    columns: list[IBiasColumn[3]]
    tjMax_c: float
    outOfRegulation: bool

class KnownTemperature:
    Ambient: KnownTemperature
    Case: KnownTemperature
    Junction: KnownTemperature

class RficCommonInputs:
    def __init__(self, **fields: Any) -> None: ...
    z0_ohm: float
    lossDb: float
    cinIncluded: bool
    coutIncluded: bool
    bypassRatio: int
    useStandardValues: bool
    tolerance: int

class RficComponents:
    cin_f: float
    cout_f: float
    cb_f: float
    rfc_h: float
    xsAllowed_ohm: float
    xpAllowed_ohm: float

class ThermalPowerInputs:
    def __init__(self, **fields: Any) -> None: ...
    supply_v: float
    supply_a: float
    pin_dbm: float
    pout_dbm: float

class ThermalPowers:
    pdc_w: float
    pin_w: float
    pout_w: float
    prf_w: float
    pdiss_w: float

class ThermalTemperatures:
    junction_c: float
    case_c: float
    ambient_c: float

class VBiasBand:
    capLoss_db: float
    rfcLoss_db: float
    totalLoss_db: float
    gain_db: float

class VBiasInputs:
    def __init__(self, **fields: Any) -> None: ...
    common: RficCommonInputs
    f1_hz: float
    f2_hz: float
    stageGain_db: float

class VBiasResult:
    parts: RficComponents
    bands: list[VBiasBand[2]]
    capLossShown: bool
    f3dbShown: bool
    f3db_hz: float

def bjt_bias(network: BjtNetwork, inputs: BjtBiasInputs, built: Optional[BjtResistors] = None) -> BjtBiasResult: ...
def detector(inputs: DetectorInputs, large_signal: bool = False) -> DetectorResult: ...
def efficiency(inputs: EfficiencyInputs) -> EfficiencyResult: ...
def fet_bias(inputs: FetBiasInputs, tj_limit_c: float = 150.0) -> FetBiasResult: ...
def parallel_source_resistance(rm_ohm: float, z0_ohm: float) -> float: ...
def rfic_current_bias(inputs: IBiasInputs, tj_limit_c: float = 150.0) -> IBiasResult: ...
def rfic_voltage_bias(inputs: VBiasInputs) -> VBiasResult: ...
def thermal(inputs: ThermalPowerInputs, known: KnownTemperature, t_c: float, theta_jc: float, theta_ca: float) -> ThermalResult: ...
