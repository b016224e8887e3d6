// The FET self-bias window: operating point and device spread in, source and drain resistors,
// the operating point of the circuit as built, the bias grid over case temperature and the
// sensitivity grid out.
#pragma once

#include "active/fetbias.h"
#include "shell/calcframe.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace korvel::ui {

class Schematic;

class FetBiasWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit FetBiasWindow(QWidget* parent = nullptr);

    void Calculate() override { CalculateBias(); }

    bool RdIncluded() const { return rdIncluded_; }

public slots:
    void CalculateBias();
    // Rd in or out of the circuit (the picture, or the menu item).
    void ToggleRd();
    // The V'p specification as a percentage of Idss or as a current.
    void ToggleVpSpec();

private:
    void BuildControls();
    void BuildMenus();
    bool CheckInputs();
    FetBiasInputs ReadInputs() const;
    void ShowHeadings();
    void ShowRdState();
    void ShowVpSpecState();

    bool rdIncluded_ = true;
    bool vpSpecIsCurrent_ = false;

    QLineEdit* txtVdd_ = nullptr;
    QLineEdit* txtIdTarget_ = nullptr;
    QLineEdit* txtVdsTarget_ = nullptr;
    QLineEdit* txtIdss_[3] = {};
    QLineEdit* txtVp_[3] = {};
    QLineEdit* txtVpSpec_ = nullptr;
    QLineEdit* txtVpTempco_ = nullptr;
    QLineEdit* txtIdssTempco_ = nullptr;
    QLineEdit* txtTheta_ = nullptr;
    QLineEdit* txtTcase_[3] = {};
    QPushButton* cmdVpSpecToggle_ = nullptr;
    QLabel* lblVpSpec_ = nullptr;
    QRadioButton* optAnalysis_[2] = {};

    Schematic* image1_ = nullptr;
    QLabel* imgRd_ = nullptr;
    QLabel* imgShort_ = nullptr;
    QAction* mnuParametersRd_ = nullptr;

    QLabel* lblRs_ = nullptr;
    QLabel* lblRsUnits_ = nullptr;
    QLabel* lblRd_ = nullptr;
    QLabel* lblRdUnits_ = nullptr;
    QLineEdit* txtVgs_ = nullptr;
    QLabel* lblVdsCalc_ = nullptr;
    QLabel* lblIdCalc_ = nullptr;
    QLabel* lblVpCalc_[3] = {};
    QLabel* lblVdsMinMax_ = nullptr;
    QTableWidget* grdId_ = nullptr;
    QTableWidget* grdSensitivity_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
