#include "host.h"

namespace korvel::ui {
namespace {
CalculatorHost* g_host = nullptr;
}

CalculatorHost* Host() { return g_host; }
void SetHost(CalculatorHost* host) { g_host = host; }

} // namespace korvel::ui
