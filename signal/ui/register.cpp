#include "register.h"

#include "shell/registry.h"

namespace korvel::ui {

void RegisterSignalWindows()
{
}

} // namespace korvel::ui
