// The sizes the circuit-tool windows give the shared form pieces.
#pragma once

#include "shell/formwidgets.h"

namespace korvel::ui {

// A numeric input box, right-aligned like a calculator's display.
QLineEdit* MakeToolInput(QWidget* parent, const QString& name, const QString& text, const QString& tip = QString());
// A result box at least this wide.
QLabel* MakeToolResult(QWidget* parent, const QString& name, int minimumWidth = 110);

} // namespace korvel::ui
