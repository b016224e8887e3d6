// Small pieces the detector, efficiency and thermal windows build their forms from: input
// boxes, right-aligned captions, unit labels and inset read-only results, all sized alike so
// that rows line up in a grid.
#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

namespace korvel::ui::form {

QLineEdit* Input(QWidget* parent, const QString& name, const QString& text, const QString& tip);
QLabel* Caption(QWidget* parent, const QString& text, const QString& name = QString());
QLabel* Unit(QWidget* parent, const QString& text, const QString& name = QString());
// A read-only result: an inset white box that keeps its width whatever it shows.
QLabel* Result(QWidget* parent, const QString& name);
// A numbered step of the form ("1.  Enter ...").
QLabel* Step(QWidget* parent, const QString& text, const QString& name = QString());
// caption | box | unit on one grid row.
void AddRow(QGridLayout* grid, int row, QLabel* caption, QWidget* box, QLabel* unit = nullptr);

// A value through a numeric picture, as text for a label.
QString Format(double value, const char* picture);

// The junction-temperature caution, with the limit of the preferences.
QString JunctionCaution();

} // namespace korvel::ui::form
