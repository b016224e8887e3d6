// What every transmission-line window has in common, whatever its line: the frequency,
// length and angle units, the dielectric list with its Er box, the wave results (velocity,
// one wavelength, the length as a fraction of a wavelength, the electrical length), the loss
// controls that exist but stay hidden, and the same Print, Select Parameters and Help items.
// The coax family and the planar lines build their own boxes and formulas on top of it.
#pragma once

#include "lines/coax.h"
#include "lines/dielectrics.h"
#include "shell/calcframe.h"

#include <string>

class QGridLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace korvel::ui {

class DielectricSelector;
class UnitSelector;

class LineWindow : public CalcFrame {
    Q_OBJECT
protected:
    LineWindow(const Identity& identity, DielectricTable table, const QString& dielectricTip,
               QWidget* parent = nullptr);

    using ResultFactory = QLabel* (*)(QWidget* parent, const QString& name);

    // The "Units" row at the top of the window: frequency, length and dielectric.
    void AddUnitsRow(QVBoxLayout* outer);
    // The wave results, made with the window's own result boxes inside `box`; the angle
    // selector moves in beside the electrical length.
    void CreateWaveResults(QWidget* box, ResultFactory makeResult);
    // One result row: a caption, its value and what stands after it (a unit, or nothing).
    static void AddResultRow(QGridLayout* grid, int& row, const QString& caption, QWidget* value,
                             QWidget* after = nullptr);
    // Loss is not modelled for these lines; the controls exist, named, and stay hidden.
    static void AddHiddenLossControls(QWidget* box);

    // File menu items that carry no action, above "&Return to Main Menu".
    void AddPrintItems();
    // "&Select Parameters": each item opens its list, the dielectric one with its own rule.
    void AddSelectParametersMenu();
    // Help items that carry no action.
    void AddLineHelpItems();

    // Velocity, wavelength in the chosen length unit, fraction and electrical length.
    void ShowWave(const LineWave& wave);

    std::string FreqCode() const;
    std::string LengthCode() const;
    std::string AngleCode() const;

    UnitSelector* cbofpFreqUnits_ = nullptr;
    UnitSelector* cbofpLengthUnits_ = nullptr;
    UnitSelector* cbofpAngleUnits_ = nullptr;
    DielectricSelector* cbofpDielectric_ = nullptr;
    QLineEdit* txtEr_ = nullptr;
    QLabel* lblPropVel_ = nullptr;
    QLabel* lblWavelength_ = nullptr;
    QLabel* lblWavelengthUnits_ = nullptr;
    QLabel* lblFractLambda_ = nullptr;
    QLabel* lblElectLength_ = nullptr;
};

} // namespace korvel::ui
