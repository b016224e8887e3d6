// Shared by every bias window (bipolar, FET, RFIC): the spreadsheet-style result grids with
// their shaded heading cells, the resistor/capacitor display that follows the "ideal or
// standard value" preference, and the three-panel status display (caution yellow, warning
// orange, arithmetic error red with "laser.wav").
#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace korvel::ui {

class CalcFrame;

// Heading cells of a grid (its fixed rows and columns) and the shade of a cell that holds
// nothing by design.
inline const QColor kGridHeading = QColor(224, 224, 224);
inline const QColor kGridCell = QColor(255, 255, 255);
inline const QColor kGridUnused = QColor(190, 190, 190);

// A read-only grid of rows x cols cells without Qt's own header bars: the first
// `fixedRows` rows and `fixedCols` columns are headings, shaded and centred.
QTableWidget* MakeBiasGrid(QWidget* parent, const QString& name, int rows, int cols, int fixedRows = 1,
                           int fixedCols = 1);
// Writes a cell's text (creating the cell if needed); numbers are right-aligned.
void SetGridText(QTableWidget* grid, int row, int col, const QString& text);
void SetGridColour(QTableWidget* grid, int row, int col, const QColor& colour);
// Every non-heading cell emptied (headings keep their texts).
void ClearGridValues(QTableWidget* grid);
// Fixes the grid's size to its contents, so that no scroll bar ever appears.
void FitGridToContents(QTableWidget* grid);

// A component value as the preferences want it shown: the exact value with the picture
// `idealPicture` and the unit `idealUnit` ("0." and "Ohms"), or the nearest standard value
// of the tolerance series as mantissa and prefixed unit ("30" and "kOhm"). Returns the value
// the later analysis must use: the shown one, read back in base units.
double ShowComponent(QLabel* value, QLabel* unit, double exact, const char* baseUnit, const char* idealPicture,
                     const QString& idealUnit);

// The status of a bias window after a calculation. An empty text means the flag is clear.
struct BiasStatus {
    QString caution;   // first panel, yellow, "ding.wav" (junction temperature and the like)
    QString warning;   // second panel, orange, "ding.wav" (out of regulation)
    QString error;     // third panel, red, "laser.wav" (an arithmetic fault during the calculation)
};
// Makes sure the window's status bar has the three panels a bias window needs.
void EnsureBiasPanels(CalcFrame* window);
// "Normal" and the web link when no flag is set; otherwise each set flag in its panel.
void ShowBiasStatus(CalcFrame* window, const BiasStatus& status);

// An input box with its default text and tooltip, white, of a fixed width (enough for "-0.65").
QLineEdit* MakeBiasInput(QWidget* parent, const QString& name, const QString& text, const QString& tip,
                         int width = 58);
// A read-only result: an inset white box of a fixed width, as tall as an input box, so rows
// line up.
QLabel* MakeBiasResult(QWidget* parent, const QString& name, int width = 64);
// A capacitor or inductor shown as engineering mantissa ("  12.50") with its prefixed unit
// ("pF"), or as the standard value of the tolerance series when the preferences ask for it.
void ShowEngComponent(QLabel* value, QLabel* unit, double exact, const char* baseUnit, const char* picture);
// The window's body as a frameless scrolling area: the dense bias form opens whole where the
// screen has room for it, and on a smaller screen the user scrolls to the rest rather than
// losing it. Returns the widget the form is built into.
QWidget* MakeScrollingBody(QWidget* body);

} // namespace korvel::ui
