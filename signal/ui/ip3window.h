// The intercept point window: for a device of known gain driven by two equal tones, any two
// of third-order intercept, tone level and intermodulation product level give the third,
// each shown at the device input and output and drawn on an intercept diagram.
#pragma once

#include "signal/intercept.h"
#include "shell/calcframe.h"

#include <array>

class QLineEdit;
class QRadioButton;

namespace korvel::ui {

// The intercept diagram: output level against input tone level, the fundamental (slope 1)
// and the third-order product (slope 3) meeting at the intercept, with the calculated
// operating point marked on both.
class InterceptDiagram : public QWidget {
    Q_OBJECT
public:
    explicit InterceptDiagram(QWidget* parent = nullptr);

    // Input-referred intercept and tone, and the gain; nothing is drawn until it is set.
    void SetPoint(double iip3, double toneIn, double gain);
    void Clear();

    // The two lines and the operating points, for drive mode's `series`.
    Q_INVOKABLE QString DriveSeriesJson() const;

    QSize sizeHint() const override { return {250, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Range {
        double x0, x1, y0, y1;
    };
    Range Axes() const;

    bool set_ = false;
    double iip3_ = 0.0;
    double toneIn_ = 0.0;
    double gain_ = 0.0;
};

class IP3Window : public CalcFrame {
    Q_OBJECT
public:
    explicit IP3Window(QWidget* parent = nullptr);

    void Calculate() override { CalcIntermods(); }

public slots:
    void CalcIntermods();
    // The intercept relations the window calculates with, offered to other code and scripts
    // (levels in dBm, gain in dB).
    double IMlarge(bool resultAtInput, double p1, double p2, bool tonesAtInput, double ip3, bool ip3AtInput,
                   double g) const;
    double SigLarge(bool resultAtInput, double ip3, bool ip3AtInput, double im1, double im2, bool imsAtInput,
                    double g) const;
    double IP3(bool resultAtInput, double p1, double p2, bool tonesAtInput, double im1, double im2, bool imsAtInput,
               double g) const;

private:
    struct Pair {
        QLineEdit* in = nullptr;
        QLineEdit* out = nullptr;
        std::array<QRadioButton*, 2> ref{};   // given at input (0) or output (1)
    };

    void BuildControls();
    void BuildMenus();
    // Which boxes take input: the unknown pair is all result; a known pair takes the box its
    // reference option names, and its other box is a result.
    void UpdateEditable();
    IP3Unknown Unknown() const;
    static bool AtInput(const Pair& p);
    static QLineEdit* Given(const Pair& p);

    QLineEdit* txtGain_ = nullptr;
    Pair ip3_, tone_, im_;
    QLineEdit* txtPsig2In_ = nullptr;
    QLineEdit* txtPsig2Out_ = nullptr;
    QLineEdit* txtIM2in_ = nullptr;
    QLineEdit* txtIM2out_ = nullptr;
    std::array<QRadioButton*, 3> optCalculate_{};
    std::array<QRadioButton*, 2> optGraphRef_{};
    QLineEdit* txtGraphIP3_ = nullptr;
    QLineEdit* txtGraphPsig1_ = nullptr;
    QLineEdit* txtGraphIM1dBm_ = nullptr;
    QLineEdit* txtGraphIM1dBC_ = nullptr;
    InterceptDiagram* picDiagram_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
};

} // namespace korvel::ui
