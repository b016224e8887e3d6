// The five bipolar bias windows: one form (operating point, transistor parameters, design
// rules, the designed resistors, the stability and collector-current tables) and one
// calculation, told apart only by a small description of the network.
#pragma once

#include "active/bjtbias.h"
#include "shell/calcframe.h"

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace korvel::ui {

struct BjtResistorRow {
    QString caption;                  // "RB ="
    QString valueName;                // "lblRB"
    QString unitsName;                // "lblRbUnits"
    float BjtResistors::*value = nullptr;
};

struct BjtBiasWindowDescription {
    CalcFrame::Identity identity;
    BjtNetwork network = BjtNetwork::BaseBias;
    QString title;                    // lblTitle
    QString helpItemName;             // "menHelpBaseBias"
    QString helpItemCaption;          // "Base Bias &Help"
    QString diagram;                  // circuit picture in the program folder
    std::vector<BjtResistorRow> resistors;
    bool dividerVoltageInput = false; // txtVRB2Mult and lblVRB2
    bool dividerCurrentInput = false; // txtIRB2Mult and lblIRB2
};

// The descriptions of frmBJTBias1 .. frmBJTBias5 (index 1 to 5).
const BjtBiasWindowDescription& BjtBiasDescription(int index);

class BjtBiasWindow : public CalcFrame {
    Q_OBJECT
public:
    BjtBiasWindow(const BjtBiasWindowDescription& description, QWidget* parent = nullptr);

    void Calculate() override { CalculateBias(); }

public slots:
    // Check, design, analyse, show.
    void CalculateBias();

private:
    void BuildControls();
    void BuildMenus();
    bool CheckInputs();
    BjtBiasInputs ReadInputs() const;
    void ShowHeadings();
    void ClearResults();

    BjtBiasWindowDescription d_;

    QLineEdit* txtVcc_ = nullptr;
    QLineEdit* txtIc_ = nullptr;
    QLineEdit* txtVce_ = nullptr;
    QLineEdit* txtHFE_[3] = {};
    QLineEdit* txtICBO_ = nullptr;
    QLineEdit* txtTheta_ = nullptr;
    QLineEdit* txtTcase_[3] = {};
    QLineEdit* txtVBE_ = nullptr;
    QLineEdit* txtHfeTempCo_ = nullptr;
    QLineEdit* txtVbeTempCo_ = nullptr;
    QLineEdit* txtIcboFactor_ = nullptr;
    QLineEdit* txtVRB2Mult_ = nullptr;
    QLineEdit* txtIRB2Mult_ = nullptr;

    std::vector<QLabel*> resistorValues_;
    std::vector<QLabel*> resistorUnits_;
    QLabel* lblIcc_ = nullptr;
    QLabel* lblVRB2_ = nullptr;
    QLabel* lblIRB2_ = nullptr;
    QLabel* lblTjMax_ = nullptr;
    QLabel* lblIcMaxMin_ = nullptr;
    QTableWidget* grdIc_ = nullptr;
    QTableWidget* grdStability_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
