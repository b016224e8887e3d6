#pragma once

namespace korvel::ui {
// Makes the transmission-line windows known to the catalogue.
void RegisterLineWindows();
}
