// The small pieces every calculator window is laid out from, so that inputs, captions and
// results look and line up the same in every window. Widths are the window's own choice.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace korvel::ui {

// A value written with one of the windows' numeric pictures ("  0.000").
QString FormatPicture(double value, const char* picture);

// A number as the user reads and types it. The program's own texts of numbers (load defaults,
// example data, a material's Er) are written with '.', as in the source; everything that
// writes a number into a box, a grid cell or a table passes it through here, so that a
// decimal-comma desktop shows "2,1" where the source says "2.1" and the input checks accept it.
// A text that is not a plain number passes unchanged. The double form is the default
// number-to-text conversion (NumberText), which already writes the locale's separator.
QString LocalNumber(const QString& dotted);
QString LocalNumber(double value);

// An input box: named for drive mode, with its tooltip, white until an input check marks it.
// `text` is its load default, written with '.' (see LocalNumber).
QLineEdit* MakeInput(QWidget* parent, const QString& name, const QString& text, const QString& tip);

// A caption, right-aligned against the box it names.
QLabel* MakeCaption(QWidget* parent, const QString& text, const QString& name = QString());

// A heading over a column of boxes ("Min", "Typ", "Max"), centred.
QLabel* MakeColumnHeading(QWidget* parent, const QString& text);

// A plain label such as a unit beside a value.
QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name = QString());

// The window's title at the top of its form: bold and a size larger, named "lblTitle".
QLabel* MakeTitle(QWidget* parent, const QString& text);

// A bold heading, such as a numbered step of a form ("1. Enter values ...").
QLabel* MakeHeading(QWidget* parent, const QString& text, const QString& name = QString());

// The window's main Calculate button ("cmdCalculate"): the default button, so that Enter in
// a box calculates. The caller connects it and makes it the frame's main button.
QPushButton* MakeCalculateButton(QWidget* parent, const QString& caption, const QString& tip = QString());

// A read-only result: an inset box as tall as an input box, so that inputs and results line
// up row by row; its text can be selected and copied. It takes the desktop's colours for text
// boxes (white in a light palette, dark in a dark one).
QLabel* MakeResult(QWidget* parent, const QString& name);

} // namespace korvel::ui
