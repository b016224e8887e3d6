// The mixer spur window: RF, LO and IF ranges (either of RF and LO may be fixed), the highest
// harmonics to try, and the list of every harmonic pair whose product can fall in the IF band
// with the RF range over which it does.
#pragma once

#include "shell/calcframe.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace korvel::ui {

class UnitSelector;

class MixerSpurWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit MixerSpurWindow(QWidget* parent = nullptr);

    void Calculate() override { CalcSpurs(); }

public slots:
    void CalcSpurs();

private:
    void BuildControls();
    void BuildMenus();
    void SetScheme(int scheme);
    void ShowUnit();
    void FitList(int rows);

    int scheme_ = 0;
    QRadioButton* optScheme_[4] = {};
    QLabel* lblRFmin_ = nullptr;
    QLabel* lblRFmax_ = nullptr;
    QLabel* lblLOmin_ = nullptr;
    QLabel* lblLOmax_ = nullptr;
    QLabel* unitLabels_[6] = {};
    QLineEdit* txtRFmin_ = nullptr;
    QLineEdit* txtRFmax_ = nullptr;
    QLineEdit* txtLOmin_ = nullptr;
    QLineEdit* txtLOmax_ = nullptr;
    QLineEdit* txtIFmin_ = nullptr;
    QLineEdit* txtIFmax_ = nullptr;
    QLineEdit* txtRFharmonicM_ = nullptr;
    QLineEdit* txtLOharmonicN_ = nullptr;
    QSpinBox* txtDecimalPlaces_ = nullptr;
    UnitSelector* cbofpFreqUnits_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QLabel* lblNumberOfSpurs_ = nullptr;
    QTableWidget* fpListIF_ = nullptr;
};

} // namespace korvel::ui
