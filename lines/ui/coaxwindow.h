// The window of the coax family: round and square coax, slab line, trough line, parallel
// wires and wire over ground are all the same window, an analysis (two dimensions -> Z0) and
// a synthesis (Z0 and one dimension -> the other), told apart by a small description.
#pragma once

#include "lines/coax.h"
#include "lines/ui/linewindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel::ui {

class DielectricSelector;
class UnitSelector;

struct CoaxWindowDescription {
    CalcFrame::Identity identity;
    const CoaxFamilyModel* model = nullptr;

    // The outer dimension's box (D1 of a coax, S of the wire lines) and its texts.
    QString outerName;            // "txtOuterDiam"
    QString outerLabel;           // the caption beside it
    QString innerLabel;
    QString outerTip;
    QString innerTip;
    QString lengthTip;
    QString z0Tip;
    QString outerDefault;
    QString innerDefault;
    QString ratioLabel;           // "D1/D2 ="

    // The synthesis command.
    QString synthButtonName;      // "cmdCalculateD2"
    QString synthCaption;         // "Calculate D2  [F3]"
    QString synthTip;
    QString synthMenuName;        // "mnuCalculateD2"
    QString synthMenuCaption;     // "Calculate &D2"
    QString tableMenuCaption;     // "&Table of Z0 vs. D2"
    QString plotMenuCaption;

    // Input limits.
    double erMax = 1200.0;
    bool ratioInnerOverOuter = true;   // the analysis ratio check is D2/D1 (else S/D)
    double ratioMin = 0.001;
    double ratioMax = 0.999;
    double z0Min = 0.2;
    double z0Max = 413.0;
};

class CoaxFamilyWindow : public LineWindow {
    Q_OBJECT
public:
    CoaxFamilyWindow(const CoaxWindowDescription& description, QWidget* parent = nullptr);

    void Calculate() override { CalcZ0(); }
    void Calculate2() override { Synthesise(); }

    bool MathError() const { return mathError_; }

public slots:
    // Analysis: Z0 from the two dimensions, with velocity, wavelength and electrical length.
    void CalcZ0();

protected:
    // Synthesis: the solved dimension from Z0 and the kept one (CalcD2, CalcS).
    void Synthesise();

private:
    void BuildControls();
    void BuildMenus();
    void ShowWave(const LineWave& wave, double ratio);

    CoaxWindowDescription d_;
    bool mathError_ = false;

    QLineEdit* txtOuter_ = nullptr;
    QLineEdit* txtInnerDiam_ = nullptr;
    QLineEdit* txtLength_ = nullptr;
    QLineEdit* txtFreq_ = nullptr;
    QLineEdit* txtZ0_ = nullptr;
    QLabel* lblD1D2Ratio_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QPushButton* cmdSynthesis_ = nullptr;
};

} // namespace korvel::ui
