#include "settings.h"

namespace korvel {
namespace {
SharedSettings g_settings;
}

SharedSettings& Settings() { return g_settings; }

void ResetSettings() { g_settings = SharedSettings{}; }

} // namespace korvel
