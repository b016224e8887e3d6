#include "register.h"

#include "sparamwindow.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterSparamWindows()
{
    RegisterWindow("frmSparam", [](QWidget* parent) -> QWidget* { return new SparamWindow(parent); });
}

} // namespace korvel::ui
