#include "register.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterToolWindows()
{
}

} // namespace korvel::ui
