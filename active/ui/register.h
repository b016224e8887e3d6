#pragma once

namespace korvel::ui {
// Makes the active family's windows known to the catalogue.
void RegisterActiveWindows();
}
