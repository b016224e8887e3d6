// The Schottky detector windows. The small-signal and the large-signal detector are one
// window: the same diode inputs, solver, results list and charts, told apart by a small
// description (the large-signal one has a matching / DC-return resistor across the source,
// other defaults, a coarser output-voltage column and looser solver tolerances).
#pragma once

#include "active/detector.h"
#include "shell/calcframe.h"

#include <vector>

class QChart;
class QChartView;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace korvel::ui {

struct DetectorWindowDescription {
    CalcFrame::Identity identity;
    QString helpItemName;      // "menHelpSmallSigDet"
    QString helpItemCaption;
    bool matchingResistor = false;   // txtRm and lblRg
    // Defaults of the boxes, as typed.
    QString ideality, iso, eg, rs, io, tempC, z0, rm, rl, pinStart, pinStop, pinStep;
    const char* voutPicture = "0.000000";
    DetectorSolverSettings solver;
};

const DetectorWindowDescription& SmallSignalDetectorDescription();
const DetectorWindowDescription& LargeSignalDetectorDescription();

class DetectorWindow : public CalcFrame {
    Q_OBJECT
public:
    DetectorWindow(const DetectorWindowDescription& description, QWidget* parent = nullptr);

    void Calculate() override { CalcVout(); }
    bool PlotDataAvailable() const { return plotAvailable_; }

public slots:
    // The inputs and results back on view; the chart and its buttons hidden.
    void ShowCalcControls();
    // The reverse, while a chart is shown.
    void HideCalcControls();

    void CalcVout();
    void PlotVout();
    void PlotGamma();

private:
    enum class Plot { Vout, Gamma };
    void BuildControls();
    void BuildMenus();
    void ShowPlot(Plot plot);
    void FillList();
    void DrawChart(Plot plot);

    DetectorWindowDescription d_;
    bool plotAvailable_ = false;
    Plot shown_ = Plot::Vout;

    // The last calculation, for the list and the charts.
    DetectorResult result_;
    double pinStart_ = 0.0;
    double pinStop_ = 0.0;

    QLineEdit* txtIdeality_ = nullptr;
    QLineEdit* txtIso_ = nullptr;
    QLineEdit* txtEg_ = nullptr;
    QLineEdit* txtRs_ = nullptr;
    QLineEdit* txtIo_ = nullptr;
    QLineEdit* txtTempC_ = nullptr;
    QLineEdit* txtZ0_ = nullptr;
    QLineEdit* txtRm_ = nullptr;
    QLineEdit* txtRl_ = nullptr;
    QLineEdit* txtPinStart_ = nullptr;
    QLineEdit* txtPinStop_ = nullptr;
    QLineEdit* txtPinStep_ = nullptr;
    QLabel* lblIsat_ = nullptr;
    QLabel* lblLambda_ = nullptr;
    QLabel* lblVout0_ = nullptr;
    QLabel* lblRv_ = nullptr;
    QLabel* lblRg_ = nullptr;
    QTableWidget* fpListVout_ = nullptr;
    QPushButton* cmdVo_ = nullptr;
    QPushButton* cmdPlotVout_ = nullptr;
    QPushButton* cmdPlotGamma_ = nullptr;
    QPushButton* cmdPlotToggle_ = nullptr;
    QPushButton* cmdReturnFromPlot_ = nullptr;
    QWidget* calcControls_ = nullptr;
    QWidget* plotControls_ = nullptr;
    QChartView* chartVout_ = nullptr;
};

} // namespace korvel::ui
