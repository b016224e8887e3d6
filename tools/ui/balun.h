// The lumped-element balun window: the lattice of two inductors and four capacitors that
// feeds a balanced load from an unbalanced source, with the load's reactance and the stray
// capacitance across it cancelled by one resonating element.
#pragma once

#include "shell/calcframe.h"

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvel::ui {

class BalunWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit BalunWindow(QWidget* parent = nullptr);

public slots:
    void Calculate() override { CalcValues(); }
    void CalcValues();

private:
    void LoadExample(int example);
    void ShowPrintWorkaround();

    QLineEdit* txtRg_ = nullptr;
    QLineEdit* txtFreq_ = nullptr;
    QLineEdit* txtRload_ = nullptr;
    QLineEdit* txtXload_ = nullptr;
    QLineEdit* txtCparasitic_ = nullptr;
    QPlainTextEdit* txtUserNote_ = nullptr;
    QLabel* lblDateTime_ = nullptr;
    QLabel* lblRparallel_ = nullptr;
    QLabel* lblLoadLC_ = nullptr;
    QLabel* imgLoadC_ = nullptr;
    QLabel* imgLoadL_ = nullptr;
    QLabel* lblParasiticCvalue_ = nullptr;
    QLabel* lblResonantLC_ = nullptr;
    QLabel* imgResonantC_ = nullptr;
    QLabel* imgResonantL_ = nullptr;
    std::array<QLabel*, 2> lblL_{};
    std::array<QLabel*, 4> lblC_{};
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
