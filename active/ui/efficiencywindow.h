// The amplifier efficiency window: DC power from up to two supplies, average RF powers of a
// CW or pulsed amplifier, dissipation, drain and power-added efficiency, junction temperature.
#pragma once

#include "shell/calcframe.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvel::ui {

class UnitSelector;

class EfficiencyWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit EfficiencyWindow(QWidget* parent = nullptr);

    void Calculate() override { CalcEfficiency(); }

public slots:
    void CalcEfficiency();

private:
    void BuildControls();
    int Mode() const;
    void ModeChanged();

    QRadioButton* optCalcMode_[3] = {};
    QLineEdit* txtPout_ = nullptr;
    QLineEdit* txtPin_ = nullptr;
    QLineEdit* txtGain_ = nullptr;
    QLineEdit* txtV1_ = nullptr;
    QLineEdit* txtI1_ = nullptr;
    QLineEdit* txtV2_ = nullptr;
    QLineEdit* txtI2_ = nullptr;
    QLineEdit* txtPulseWidth_ = nullptr;
    QLineEdit* txtPulsePeriod_ = nullptr;
    QLineEdit* txtTcase_ = nullptr;
    QLineEdit* txtTheta_ = nullptr;
    QLineEdit* txtTjn_ = nullptr;
    UnitSelector* cbofpTimeUnits_ = nullptr;
    QLabel* lblPulseWidthUnits_ = nullptr;
    QLabel* lblPeriodUnits_ = nullptr;
    QLabel* lblDutyCycle_ = nullptr;
    QLabel* lblPv1_ = nullptr;
    QLabel* lblPv2_ = nullptr;
    QLabel* lblPdc_ = nullptr;
    QLabel* lblPdiss_ = nullptr;
    QLabel* lblSimpleEfficiency_ = nullptr;
    QLabel* lblPAE_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
