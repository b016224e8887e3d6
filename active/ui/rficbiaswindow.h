// The two RFIC bias windows: voltage-biased (the supply straight through the choke, losses
// and gain in two bands) and current-biased (the supply through Rbias and the choke, the
// device current over its voltage spread and temperature). Both share the design rule, the
// blocking and bypass capacitors, the Cin/Cout switches and the component display; they
// differ only in their inputs and results, told apart by the kind.
#pragma once

#include "active/rficbias.h"
#include "shell/calcframe.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace korvel::ui {

class Schematic;
class UnitSelector;

enum class RficBiasKind { Voltage, Current };

class RficBiasWindow : public CalcFrame {
    Q_OBJECT
public:
    RficBiasWindow(RficBiasKind kind, QWidget* parent = nullptr);

    void Calculate() override { CalculateBias(); }

    bool CinIncluded() const { return cinIncluded_; }
    bool CoutIncluded() const { return coutIncluded_; }

public slots:
    void CalculateBias();
    void ToggleCin();
    void ToggleCout();
    // "Cb Read Me": why a larger bypass may still be wanted.
    void ReadIMNote();

private:
    void BuildControls();
    void BuildVoltageInputs(QWidget* box);
    void BuildCurrentInputs(QWidget* box);
    void BuildVoltageResults(QWidget* box);
    void BuildCurrentResults(QWidget* box);
    void BuildMenus();
    void ShowSwitches();
    bool CheckInputs();
    RficCommonInputs ReadCommon() const;
    void CalculateVoltage();
    void CalculateCurrent();
    void ShowCapacitors(const RficComponents& parts);
    void ShowGridHeadings();

    RficBiasKind kind_;
    bool cinIncluded_ = true;
    bool coutIncluded_ = true;

    UnitSelector* cbofpFreqUnits_ = nullptr;
    QRadioButton* optLoss_[4] = {};
    Schematic* imgSchematic_ = nullptr;
    QLabel* imgCinCap_ = nullptr;
    QLabel* imgCinSC_ = nullptr;
    QLabel* imgCoutCap_ = nullptr;
    QLabel* imgCoutSC_ = nullptr;
    QAction* mnuParametersCin_ = nullptr;
    QAction* mnuParametersCout_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;

    // Inputs (those of the other kind stay null).
    QLineEdit* txtFreqLow_ = nullptr;
    QLineEdit* txtFreqHigh_ = nullptr;
    QLineEdit* txtZ0_ = nullptr;
    QLineEdit* txtStageGain_ = nullptr;
    QLineEdit* txtVs_ = nullptr;
    QLineEdit* txtVdMin_ = nullptr;
    QLineEdit* txtVdTyp_ = nullptr;
    QLineEdit* txtVdMax_ = nullptr;
    QLineEdit* txtIdTyp25_ = nullptr;
    QLineEdit* txtdVdT_ = nullptr;
    QLineEdit* txtTheta_ = nullptr;
    QLineEdit* txtTempLow_ = nullptr;
    QLineEdit* txtTempHigh_ = nullptr;
    QLineEdit* txtRFC_ = nullptr;

    // Results.
    QLabel* lblCin_ = nullptr;
    QLabel* lblCinUnits_ = nullptr;
    QLabel* lblCout_ = nullptr;
    QLabel* lblCoutUnits_ = nullptr;
    QLabel* lblCbypass_ = nullptr;
    QLabel* lblCbypassUnits_ = nullptr;
    QLabel* lblRFC_ = nullptr;
    QLabel* lblRFCUnits_ = nullptr;
    QLabel* lblCapLoss_[2] = {};
    QLabel* lblRfcLoss_[2] = {};
    QLabel* lblTotalLoss_[2] = {};
    QLabel* lblOverallGain_[2] = {};
    QLabel* lblF3dB_ = nullptr;
    QLabel* lblF3dBUnits_ = nullptr;
    QLabel* lblRbias_ = nullptr;
    QLabel* lblRbiasUnits_ = nullptr;
    QLabel* lblBiasLoss_ = nullptr;
    QLabel* lblPdRbias_ = nullptr;
    QTableWidget* grdAnalysis_ = nullptr;
};

} // namespace korvel::ui
