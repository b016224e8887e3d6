#include "register.h"

#include "bjtbiaswindow.h"
#include "fetbiaswindow.h"
#include "rficbiaswindow.h"
#include "detectorwindow.h"
#include "efficiencywindow.h"
#include "thermalwindow.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterActiveWindows()
{
    RegisterWindow("frmSmallSigDet", [](QWidget* parent) -> QWidget* {
        return new DetectorWindow(SmallSignalDetectorDescription(), parent);
    });
    RegisterWindow("frmLargeSigDet", [](QWidget* parent) -> QWidget* {
        return new DetectorWindow(LargeSignalDetectorDescription(), parent);
    });
    RegisterWindow("frmAmplifierEfficiency", [](QWidget* parent) -> QWidget* { return new EfficiencyWindow(parent); });
    RegisterWindow("frmDeviceThermal", [](QWidget* parent) -> QWidget* { return new ThermalWindow(parent); });
    for (int i = 1; i <= 5; ++i)
        RegisterWindow(QString("frmBJTBias%1").arg(i),
                       [i](QWidget* parent) -> QWidget* { return new BjtBiasWindow(BjtBiasDescription(i), parent); });
    RegisterWindow("frmFETbias", [](QWidget* parent) -> QWidget* { return new FetBiasWindow(parent); });
    RegisterWindow("frmVBias",
                   [](QWidget* parent) -> QWidget* { return new RficBiasWindow(RficBiasKind::Voltage, parent); });
    RegisterWindow("frmIBias",
                   [](QWidget* parent) -> QWidget* { return new RficBiasWindow(RficBiasKind::Current, parent); });
}

} // namespace korvel::ui
