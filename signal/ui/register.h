#pragma once

namespace korvel::ui {
// Makes the signal family's windows known to the catalogue.
void RegisterSignalWindows();
}
