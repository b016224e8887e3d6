// The device thermal window: the power an RF device turns into heat, and its junction, case
// and heatsink temperatures from whichever one of the three the user knows.
#pragma once

#include "active/thermal.h"
#include "shell/calcframe.h"

class QLabel;
class QLineEdit;

namespace korvel::ui {

class ThermalWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit ThermalWindow(QWidget* parent = nullptr);

public slots:
    // Checks the power inputs and computes the powers; false when an input was refused.
    bool CalcPower();
    // The status display from the three flags.
    void ErrMessage();

private:
    void BuildControls();
    void CalcTemperatures(KnownTemperature known);

    ThermalPowers powers_;
    bool error_ = false;
    bool tjCaution_ = false;
    bool energyWarning_ = false;

    QLineEdit* txtVs_ = nullptr;
    QLineEdit* txtIs_ = nullptr;
    QLineEdit* txtPin_ = nullptr;
    QLineEdit* txtPout_ = nullptr;
    QLineEdit* txtThetaJc_ = nullptr;
    QLineEdit* txtThetaCa_ = nullptr;
    QLineEdit* txtTjn_ = nullptr;
    QLineEdit* txtTcase_ = nullptr;
    QLineEdit* txtTa_ = nullptr;
    QLabel* lblPdc_ = nullptr;
    QLabel* lblPrf_ = nullptr;
    QLabel* lblPdiss_ = nullptr;
};

} // namespace korvel::ui
