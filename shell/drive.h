// Drive mode: runs a script of commands against the real windows and prints one JSON
// object per line. `korvel --drive FILE` (or `-` for standard input).
#pragma once

#include <QString>

namespace korvel::drive {

// Runs the script after the main window has started (without the splash delay).
// Returns the process exit status: 0, or 2 after an unknown window, control or command.
int Run(const QString& scriptPath);

} // namespace korvel::drive
