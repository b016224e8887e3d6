// The S-parameter window, registered by its class name for the catalogue.
#pragma once

namespace korvel::ui {

void RegisterSparamWindows();

} // namespace korvel::ui
