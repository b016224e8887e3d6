#include "register.h"

#include "balun.h"
#include "complexmath.h"
#include "constants.h"
#include "stdvalues.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterToolWindows()
{
    RegisterWindow("frmComplexMath", [](QWidget* parent) -> QWidget* { return new ComplexMathWindow(parent); });
    RegisterWindow("frmStdValues", [](QWidget* parent) -> QWidget* { return new StdValuesWindow(parent); });
    RegisterWindow("frmConstants", [](QWidget* parent) -> QWidget* { return new ConstantsWindow(parent); });
    RegisterWindow("frmBalun", [](QWidget* parent) -> QWidget* { return new BalunWindow(parent); });
}

} // namespace korvel::ui
