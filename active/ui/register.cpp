#include "register.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterActiveWindows()
{
}

} // namespace korvel::ui
