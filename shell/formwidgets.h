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

// An input box: named for drive mode, with its tooltip, white until an input check marks it.
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
