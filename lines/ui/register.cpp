#include "register.h"

#include "planarwindow.h"
#include "rndcoax.h"
#include "temlines.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterLineWindows()
{
    RegisterWindow("frmRndCoax", [](QWidget* parent) -> QWidget* { return new RndCoaxWindow(parent); });
    RegisterTemLineWindows();
    RegisterPlanarLineWindows();
}

} // namespace korvel::ui
