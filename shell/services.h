// The window side of the shared services: sounds, opening documents and web pages, the
// main window's size reset, twips, and the input checks as they mark a text box.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QCursor;
class QLineEdit;
class QTableWidgetItem;
class QWidget;

namespace korvel::ui {

// Window sizes are laid out in twips; the screen is taken at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
int TwipsToPixels(int twips);

// The main window's size at start-up and after "&Reset window size", in twips.
inline constexpr int kStartWidthTwips = 11520;
inline constexpr int kStartHeightTwips = 8050;
inline constexpr int kResetWidthTwips = 11520;
inline constexpr int kResetHeightTwips = 8060;

// Plays a wave file from the program folder when sound is on, or always when forced.
// Returns whether the sound was asked for.
bool PlaySound(const QString& file, bool force = false);

// Puts the main window back to its normal state and size.
void ResetWindowSize();

// Opens a web address or a document with the desktop's associated application. On failure
// the user is told in a "Browser Unavailable" box; returns whether it opened.
bool OpenDocument(QWidget* window, const QString& target);

// Pictures, icons and cursors from the program folder; a missing or unreadable file gives a
// null picture (or the ordinary pointer) and no message.
QPixmap ProgramPicture(const QString& fileName);
QIcon ProgramIcon(const QString& fileName);
QCursor ProgramCursor(const QString& fileName);
// The cursor shown over clickable links ("link.cur"; a pointing hand when it is missing).
QCursor LinkCursor();

// ---- Colours that stay readable under any desktop palette ------------------------------
// Whatever the program does not colour follows the desktop's palette. Wherever it does set a
// background (a white or yellow box, a grid cell, a page), it sets the text colour with it
// through here, so that a dark desktop palette never puts its light text on a light colour.

// The contrast ratio of two colours by their relative luminance, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);
// The text colour for a background: black or white, whichever contrasts more (at least 4.58:1
// on any colour). `disabled` gives a greyer ink that still contrasts at least 4.5:1.
QColor InkOn(const QColor& background, bool disabled = false);
// Sets the background of a widget and the ink that reads on it: a text box's or a grid's Base
// and Text, a button's Button and ButtonText, any other widget's Window and WindowText (which
// it then fills).
void SetBackground(QWidget* widget, const QColor& colour);
// The same for one cell of a grid.
void SetCellBackground(QTableWidgetItem* cell, const QColor& colour);

// The colour of a text box's background, and the colours the checks use.
inline const QColor kFieldNormal = QColor(255, 255, 255);
inline const QColor kFieldMarked = QColor(255, 255, 0);  // 0x00FFFF as 0xBBGGRR
// SetBackground for a text box.
void SetFieldBackground(QWidget* field, const QColor& colour);
QColor FieldBackground(const QWidget* field);

// Marks the field (and the second one, if given) yellow, gives it the focus with all its text
// selected, sounds "ding.wav" and shows the message under "Oops... Invalid input.".
void FlagInvalidInput(QLineEdit* field, const QString& message, QLineEdit* second = nullptr);

// The input checks on a text box: true when the input is acceptable, otherwise the box is
// flagged as above. ValidateInput covers both the required and the numeric test.
bool ValidateInput(QLineEdit* field, bool optional);
bool CheckNumeric(QLineEdit* field);
bool CheckRange(double value, double minimum, double maximum, bool zeroAllowed, QLineEdit* field);
bool CheckRatio(double numerator, QLineEdit* field1, double denominator, QLineEdit* field2,
                double minimum, double maximum, bool unityAllowed, const QString& name1 = {},
                const QString& name2 = {});

// The value of a text box read the way the checks read it (0 when it is not a number).
double FieldValue(const QLineEdit* field);

} // namespace korvel::ui
