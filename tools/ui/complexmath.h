// The reverse-Polish complex calculator: a seven-register stack shown as real and imaginary
// parts, the usual complex functions, six memories, normalisation to a reference Zo,
// impedance to reflection coefficient and back, and equivalent R-L / R-C circuits at a
// frequency. Every key maps onto one stack function of tools/rpnstack.h; this window only
// reads the boxes, calls, and redraws.
#pragma once

#include "shell/calcframe.h"
#include "tools/equivcircuit.h"
#include "tools/rpnstack.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace korvel::ui {

class UnitSelector;

class ComplexMathWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit ComplexMathWindow(QWidget* parent = nullptr);

    const RpnState& State() const { return state_; }

public slots:
    // The seven registers as the boxes show them, x first: "x (re, im) | y (re, im) | ...".
    QString StackText() const;
    // The memories A to F, unformatted, for checking STO and Clear All.
    QString MemoryText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenus();
    QPushButton* Key(const QString& name, const QString& caption, const QString& tip = QString());

    // Runs one operation and redraws; a refused operation shows its message instead.
    void Apply(const RpnResult& result);
    void Apply(const RpnState& state);
    void Redraw();
    void Lift();
    void ShowCircuitChoice();
    void ClearCircuit();

    void OnRegisterTyped(int part);
    bool OnRegisterLeft(int part);
    void OnZoTyped();
    void OnZoLeft();
    void OnDecimalsTyped();
    bool HandleStackKey(QObject* watched, int key, const QString& text);

    // Frequency in hertz after the frequency box passed its checks; < 0 when refused.
    double CheckedFrequency();
    void ShowEquivalent(const EquivalentCircuit& c);
    void EquivalentFromZ(bool series);
    void EquivalentFromY(bool series);
    void EnterFromCircuit(bool admittance);
    double ZoFromBox() const;

    RpnState state_;
    double zo_ = 50.0;
    int decimals_ = 3;
    bool updating_ = false;
    CircuitKind circuit_ = CircuitKind::None;

    std::array<QLineEdit*, kStackDepth> txtRegisterRe_{};
    std::array<QLineEdit*, kStackDepth> txtRegisterIm_{};
    QLineEdit* txtZo_ = nullptr;
    QLineEdit* txtYo_ = nullptr;
    QLineEdit* txtDecimalPlaces_ = nullptr;
    QScrollBar* UpDown1_ = nullptr;
    QLineEdit* txtFreq_ = nullptr;
    UnitSelector* cbofpFreqUnits_ = nullptr;
    QLabel* picCircuit_ = nullptr;
    QLabel* lblResistor_ = nullptr;
    QLabel* lblReactive_ = nullptr;
    QLabel* lblReactiveUnits_ = nullptr;
    QLineEdit* txtResistor_ = nullptr;
    QLineEdit* txtReactive_ = nullptr;
    QLabel* lblCircuitValues_ = nullptr;
    QPushButton* cmdEnter_ = nullptr;
};

} // namespace korvel::ui
