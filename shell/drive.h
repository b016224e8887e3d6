// Drive mode: runs a script of commands against the real windows and prints one JSON
// object per line. `korvel --drive FILE` (or `-` for standard input).
#pragma once

#include <QString>

namespace korvel::drive {

// Routes message boxes, sounds and "open" requests to standard output from now on. Called
// before the main window starts, so that the start-up sound is reported like any other;
// Run() installs them again, so that a script never shows a real dialog.
void InstallHooks();

// Charts: a QChartView is read directly; a chart drawn by hand (a Smith chart in paintEvent)
// answers `series` through a Q_INVOKABLE `QString DriveSeriesJson() const` returning a JSON
// object of the same fields: {"title":...,"axes":[...],"data":[{"name":...,"color":"#RRGGBB",
// "points":[[x,y],...]}]}.

// A window that holds data a script may read back answers `dataset N` through a Q_INVOKABLE
// `QString DriveDataSetJson(int) const` returning the JSON object's fields after the number.

// JSON text for those answers: a quoted, escaped string and a number (null when not finite),
// written with up to `digits` significant figures and '.' whatever the locale.
QString JsonString(const QString& text);
QString JsonNumber(double v, int digits = 15);

// Runs the script after the main window has started (without the splash delay).
// Returns the process exit status: 0, or 2 after an unknown window, control or command.
int Run(const QString& scriptPath);

} // namespace korvel::drive
