#include "register.h"

#include "ip3window.h"
#include "mixerspur.h"
#include "noisecalc.h"
#include "reflectioncalc.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterSignalWindows()
{
    RegisterWindow("frmReflectionCalc", [](QWidget* parent) -> QWidget* { return new ReflectionCalcWindow(parent); });
    RegisterWindow("frmIP3", [](QWidget* parent) -> QWidget* { return new IP3Window(parent); });
    RegisterWindow("frmNoiseCalc", [](QWidget* parent) -> QWidget* { return new NoiseCalcWindow(parent); });
    RegisterWindow("frmMixerSpur", [](QWidget* parent) -> QWidget* { return new MixerSpurWindow(parent); });
}

} // namespace korvel::ui
