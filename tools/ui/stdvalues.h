// The standard component values window: the standard resistor, capacitor or inductor value
// nearest to a typed value in the series of a chosen tolerance, and its distance from it.
#pragma once

#include "shell/calcframe.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvel::ui {

class StdValuesWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit StdValuesWindow(QWidget* parent = nullptr);

public slots:
    void Calculate() override { CalcStandardValue(); }
    void CalcStandardValue();

private:
    void SelectComponent(int index);
    // The chosen component's button shows the mark colour, the others the desktop's own.
    void MarkComponent(int index);
    double Tolerance() const;

    QString baseUnit_ = "Ohm";
    QLineEdit* txtNumber_ = nullptr;
    std::array<QPushButton*, 3> components_{};
    std::array<QRadioButton*, 5> optTol_{};
    QLabel* lblPrefValue_ = nullptr;
    QLabel* lblPrefUnits_ = nullptr;
    QLabel* lblDeltaNumeric_ = nullptr;
    QLabel* lblDeltaPercent_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
