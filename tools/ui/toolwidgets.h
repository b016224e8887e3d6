// Small control builders the circuit-tool windows share.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QWidget;

namespace korvel::ui {

// A numeric input box with its object name, default text and tooltip, white to start with.
QLineEdit* MakeToolInput(QWidget* parent, const QString& name, const QString& text, const QString& tip = QString());
// A right-aligned caption in front of a box.
QLabel* MakeToolCaption(QWidget* parent, const QString& text, const QString& name = QString());
// A read-only result: an inset white box as tall as an input box, so rows line up.
QLabel* MakeToolResult(QWidget* parent, const QString& name, int minimumWidth = 110);

} // namespace korvel::ui
