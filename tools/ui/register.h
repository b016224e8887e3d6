#pragma once

namespace korvel::ui {
// Makes the tools family's windows known to the catalogue.
void RegisterToolWindows();
}
