// The reflection calculator: rho, VSWR, return loss, mismatch loss, the transmission
// coefficient (as a ratio and in dB) and a resistive load (as a resistance or a conductance)
// are all the same fact about a load; Enter in any one of them rewrites all the others. A
// second group splits a power between its incident, reflected and transmitted parts.
#pragma once

#include "signal/reflection.h"
#include "shell/calcframe.h"

#include <array>

class QLabel;
class QLineEdit;

namespace korvel::ui {

class UnitSelector;

class ReflectionCalcWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit ReflectionCalcWindow(QWidget* parent = nullptr);

    double Rho() const { return state_.rho; }
    double TransmissionCoeff() const { return state_.t; }
    double Z0() const { return state_.z0; }
    QString PowerUnit() const { return powerUnit_; }

    // The conversions as the window offers them: the number, or " Infinite" / " Undefined".
    Q_INVOKABLE QString RhoFromSWR(double swr) const;
    Q_INVOKABLE QString RhoFromReturnLoss(double rl) const;
    Q_INVOKABLE QString RhoFromMismatchLoss(double ml) const;
    Q_INVOKABLE QString RhoFromTransCoeffMag(double t) const;
    Q_INVOKABLE QString RhoFromTransCoeffDB(double tdb) const;
    Q_INVOKABLE QString RhoFromLoadResistance(double r, double z0) const;
    Q_INVOKABLE QString RhoFromLoadConductance(double g, double z0) const;
    Q_INVOKABLE QString LoadConductanceFromRho(double rho) const;
    Q_INVOKABLE QString LoadResistanceFromRho(double rho) const;
    Q_INVOKABLE QString SWRfromRho(double rho) const;
    Q_INVOKABLE QString ReturnLossFromRho(double rho) const;
    Q_INVOKABLE QString MismatchLossFromRho(double rho) const;
    Q_INVOKABLE QString TransmissionCoeffMagFromRho(double rho) const;
    Q_INVOKABLE QString TransmissionCoeffdBFromRho(double rho) const;

public slots:
    // The outcome of the last entry in the status bar; clears the warning.
    void ErrMessage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    void EnterReflectionField(ReflField field);
    void EnterPowerField(PowerField field);
    bool CheckZ0();
    void PowerUnitChosen(int index);

    ReflState state_;
    bool warning_ = false;
    bool checkingZ0_ = false;
    QString powerUnit_ = "dBm";

    std::array<QLineEdit*, kReflFieldCount> reflBoxes_{};
    std::array<QLineEdit*, 3> powerBoxes_{};
    QLineEdit* txtZ0_ = nullptr;
    UnitSelector* cbofpPowerUnits_ = nullptr;
    QLabel* lblPrUnits_ = nullptr;
    QLabel* lblPtUnits_ = nullptr;
};

} // namespace korvel::ui
