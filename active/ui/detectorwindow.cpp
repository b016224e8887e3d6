#include "detectorwindow.h"

#include "activeform.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/statusbar.h"
#include "shell/uihooks.h"

#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace korvel::ui {
namespace {

constexpr double kTiny = 1e-300;
constexpr double kHuge = 1e+300;

const char* const kCalculating = "Calculating ...  ";
const char* const kVoutCaption = "Plot &Vout vs. Pin";
const char* const kGammaCaption = "Plot &Gamma vs. Pin";

// A round division of the power axis: about ten divisions of 1, 2 or 5 times a power of ten.
double PowerAxisStep(double span)
{
    if (!(span > 0.0))
        return 1.0;
    const double raw = span / 10.0;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * decade >= raw)
            return m * decade;
    return 10.0 * decade;
}

QFont ChartFont(int points, bool bold)
{
    QFont f("Arial");
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

const DetectorWindowDescription& SmallSignalDetectorDescription()
{
    static const DetectorWindowDescription d = [] {
        DetectorWindowDescription d;
        d.identity = {"frmSmallSigDet", "Small Signal Detector", 45, QString()};
        d.helpItemName = "menHelpSmallSigDet";
        d.helpItemCaption = "Small Signal Detector &Help";
        d.matchingResistor = false;
        d.ideality = "1.15";
        d.iso = "0.06";
        d.eg = "0.35";
        d.rs = "6";
        d.io = "0";
        d.tempC = "25";
        d.z0 = "50";
        d.rl = "100000";
        d.pinStart = "-50";
        d.pinStop = "0";
        d.pinStep = "2";
        d.voutPicture = "0.000000";
        d.solver = SmallSignalSolver();
        return d;
    }();
    return d;
}

const DetectorWindowDescription& LargeSignalDetectorDescription()
{
    static const DetectorWindowDescription d = [] {
        DetectorWindowDescription d;
        d.identity = {"frmLargeSigDet", "Large Signal Detector", 46, QString()};
        d.helpItemName = "menHelpLargeSigDet";
        d.helpItemCaption = "Large Signal Detector &Help";
        d.matchingResistor = true;
        d.ideality = "1.08";
        d.iso = "0.03";
        d.eg = "0.69";
        d.rs = "9";
        d.io = "500";
        d.tempC = "25";
        d.z0 = "50";
        d.rm = "68";
        d.rl = "5000";
        d.pinStart = "-20";
        d.pinStop = "30";
        d.pinStep = "5";
        // Volts of output: millivolt steps are all a large-signal detector resolves.
        d.voutPicture = "0.000";
        d.solver = LargeSignalSolver();
        return d;
    }();
    return d;
}

DetectorWindow::DetectorWindow(const DetectorWindowDescription& description, QWidget* parent)
    : CalcFrame(description.identity, parent), d_(description)
{
    // Once a detector window has been open, math faults stay out of message boxes: a sweep
    // would otherwise stop at every point with the same box.
    Settings().quietMathErrors = true;
    Status()->AddPanel();
    BuildControls();
    BuildMenus();
    SetMainCalculateButton(cmdVo_);
    ShowCalcControls();
    cmdVo_->setFocus();
}

void DetectorWindow::BuildControls()
{
    using namespace form;
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(12, 8, 12, 4);
    outer->setSpacing(6);

    outer->addWidget(MakeTitle(body, d_.identity.caption));

    // ---- The calculation page: inputs on the left, results and the list on the right ------
    calcControls_ = new QWidget(body);
    calcControls_->setObjectName("fraCalcControls");
    auto* page = new QVBoxLayout(calcControls_);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(4);
    page->addWidget(Step(calcControls_, "1.  Enter diode parameters and circuit values :", "lblStep1"));
    auto* columns = new QHBoxLayout;
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(14);
    page->addLayout(columns, 1);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);

    auto* diode = new QGroupBox("Diode Parameters:", calcControls_);
    diode->setObjectName("fraDiode");
    auto* dg = new QGridLayout(diode);
    dg->setVerticalSpacing(4);
    dg->setContentsMargins(10, 6, 10, 6);
    txtIdeality_ = Input(diode, "txtIdeality", d_.ideality, "Ideality factor of diode");
    txtIso_ = Input(diode, "txtIso", d_.iso, "Diode saturation current at 25 deg C");
    txtEg_ = Input(diode, "txtEg", d_.eg, "Energy gap of diode");
    txtRs_ = Input(diode, "txtRs", d_.rs, "Diode series resistance");
    AddRow(dg, 0, Caption(diode, "n ="), txtIdeality_);
    AddRow(dg, 1, Caption(diode, "Iso ="), txtIso_, Unit(diode, "uA", "lblIsoUnits"));
    AddRow(dg, 2, Caption(diode, "Eg ="), txtEg_, Unit(diode, "eV"));
    AddRow(dg, 3, Caption(diode, "Rs ="), txtRs_, Unit(diode, QString::fromUtf8("Ω")));
    dg->setColumnStretch(3, 1);
    left->addWidget(diode);

    auto* circuit = new QWidget(calcControls_);
    auto* cg = new QGridLayout(circuit);
    cg->setContentsMargins(11, 2, 11, 2);
    cg->setVerticalSpacing(4);
    txtIo_ = Input(circuit, "txtIo", d_.io, "Externally applied bias current");
    txtTempC_ = Input(circuit, "txtTempC", d_.tempC, "Operating temperature of diode");
    txtZ0_ = Input(circuit, "txtZ0", d_.z0, "Source impedance");
    txtRl_ = Input(circuit, "txtRl", d_.rl, "External load resistance");
    int row = 0;
    AddRow(cg, row++, Caption(circuit, "Io ="), txtIo_, Unit(circuit, "uA", "lblIoUnits"));
    AddRow(cg, row++, Caption(circuit, "Temp ="), txtTempC_, Unit(circuit, QString::fromUtf8("°C")));
    AddRow(cg, row++, Caption(circuit, "Z0 ="), txtZ0_, Unit(circuit, QString::fromUtf8("Ω")));
    if (d_.matchingResistor) {
        txtRm_ = Input(circuit, "txtRm", d_.rm, "Value of matching/DC return resistor");
        AddRow(cg, row++, Caption(circuit, "Rm ="), txtRm_, Unit(circuit, QString::fromUtf8("Ω")));
    }
    AddRow(cg, row++, Caption(circuit, "RL ="), txtRl_, Unit(circuit, QString::fromUtf8("Ω")));
    cg->setColumnStretch(3, 1);
    left->addWidget(circuit);

    left->addWidget(Step(calcControls_, "2.  Enter Pin range:", "lblStep2"));
    auto* range = new QWidget(calcControls_);
    auto* rg = new QGridLayout(range);
    rg->setContentsMargins(11, 2, 11, 2);
    rg->setVerticalSpacing(4);
    txtPinStart_ = Input(range, "txtPinStart", d_.pinStart, "Lower bound on input power for analysis");
    txtPinStop_ = Input(range, "txtPinStop", d_.pinStop, "Upper bound on input power for analysis");
    txtPinStep_ = Input(range, "txtPinStep", d_.pinStep, "Increment over which input power is stepped");
    AddRow(rg, 0, Caption(range, "Pin Start ="), txtPinStart_, Unit(range, "dBm"));
    AddRow(rg, 1, Caption(range, "Pin Stop ="), txtPinStop_, Unit(range, "dBm"));
    AddRow(rg, 2, Caption(range, "Pin Step ="), txtPinStep_, Unit(range, "dB"));
    rg->setColumnStretch(3, 1);
    left->addWidget(range);
    left->addStretch(1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    auto* results = new QGroupBox("Results:", calcControls_);
    results->setObjectName("fraResults");
    auto* resg = new QGridLayout(results);
    resg->setVerticalSpacing(4);
    lblIsat_ = Result(results, "lblIsat");
    lblLambda_ = Result(results, "lblLambda");
    lblVout0_ = Result(results, "lblVout0");
    lblRv_ = Result(results, "lblRv");
    row = 0;
    AddRow(resg, row++, Caption(results, "Is ="), lblIsat_, Unit(results, "[uA]", "lblIsUnits"));
    AddRow(resg, row++, Caption(results, QString::fromUtf8("Λ =")), lblLambda_, Unit(results, "1/V"));
    AddRow(resg, row++, Caption(results, "Vo(0) ="), lblVout0_, Unit(results, "V"));
    AddRow(resg, row++, Caption(results, "Rv ="), lblRv_, Unit(results, QString::fromUtf8("Ω")));
    if (d_.matchingResistor) {
        lblRg_ = Result(results, "lblRg");
        AddRow(resg, row++, Caption(results, "Rg ="), lblRg_, Unit(results, QString::fromUtf8("Ω")));
    }
    resg->setColumnStretch(3, 1);

    auto* commands = new QVBoxLayout;
    cmdVo_ = new QPushButton("Calculate [F4]", calcControls_);
    cmdVo_->setObjectName("cmdVo");
    cmdVo_->setDefault(true);
    cmdPlotVout_ = new QPushButton(kVoutCaption, calcControls_);
    cmdPlotVout_->setObjectName("cmdPlotVout");
    cmdPlotGamma_ = new QPushButton(kGammaCaption, calcControls_);
    cmdPlotGamma_->setObjectName("cmdPlotGamma");
    for (QPushButton* b : {cmdVo_, cmdPlotVout_, cmdPlotGamma_}) {
        b->setMinimumWidth(150);
        commands->addWidget(b);
    }
    cmdPlotVout_->setAutoDefault(false);
    cmdPlotGamma_->setAutoDefault(false);
    commands->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addWidget(results, 1);
    top->addLayout(commands);
    right->addLayout(top);

    fpListVout_ = new QTableWidget(0, 3, calcControls_);
    fpListVout_->setObjectName("fpListVout");
    fpListVout_->setHorizontalHeaderLabels({"Input Power (dBm)", "Output Voltage (V)", "Sensitivity (mV/uW)"});
    fpListVout_->verticalHeader()->hide();
    fpListVout_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fpListVout_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fpListVout_->setShowGrid(false);
    fpListVout_->setAlternatingRowColors(true);
    fpListVout_->verticalHeader()->setDefaultSectionSize(TwipsToPixels(260));
    fpListVout_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fpListVout_->horizontalHeader()->setStretchLastSection(true);
    right->addWidget(fpListVout_, 0, Qt::AlignLeft | Qt::AlignTop);
    right->addStretch(1);
    columns->addLayout(right, 1);
    outer->addWidget(calcControls_, 1);

    // ---- The chart page --------------------------------------------------------------------
    plotControls_ = new QWidget(body);
    plotControls_->setObjectName("fraPlot");
    auto* plot = new QVBoxLayout(plotControls_);
    plot->setContentsMargins(0, 0, 0, 0);
    chartVout_ = new QChartView(new QChart, plotControls_);
    chartVout_->setObjectName("chartVout");
    chartVout_->setRenderHint(QPainter::Antialiasing);
    chartVout_->chart()->legend()->hide();
    chartVout_->chart()->setLocale(QLocale());
    chartVout_->chart()->setLocalizeNumbers(true);
    chartVout_->chart()->setTitleFont(ChartFont(12, true));
    chartVout_->setMinimumHeight(300);
    plot->addWidget(chartVout_, 1);
    auto* plotButtons = new QHBoxLayout;
    cmdPlotToggle_ = new QPushButton(kGammaCaption, plotControls_);
    cmdPlotToggle_->setObjectName("cmdPlotToggle");
    cmdReturnFromPlot_ = new QPushButton("Clo&se Plot", plotControls_);
    cmdReturnFromPlot_->setObjectName("cmdReturnFromPlot");
    for (QPushButton* b : {cmdPlotToggle_, cmdReturnFromPlot_}) {
        b->setMinimumWidth(150);
        b->setAutoDefault(false);
    }
    plotButtons->addWidget(cmdPlotToggle_);
    plotButtons->addWidget(cmdReturnFromPlot_);
    plotButtons->addStretch(1);
    plot->addLayout(plotButtons);
    outer->addWidget(plotControls_, 1);

    connect(cmdVo_, &QPushButton::clicked, this, &DetectorWindow::CalcVout);
    connect(cmdPlotVout_, &QPushButton::clicked, this, &DetectorWindow::PlotVout);
    connect(cmdPlotGamma_, &QPushButton::clicked, this, &DetectorWindow::PlotGamma);
    connect(cmdPlotToggle_, &QPushButton::clicked, this,
            [this] { ShowPlot(shown_ == Plot::Vout ? Plot::Gamma : Plot::Vout); });
    connect(cmdReturnFromPlot_, &QPushButton::clicked, this, &DetectorWindow::ShowCalcControls);

    for (QLineEdit* box : {txtIdeality_, txtIso_, txtEg_, txtRs_, txtIo_, txtTempC_, txtZ0_, txtRm_, txtRl_,
                           txtPinStart_, txtPinStop_, txtPinStep_})
        if (box)
            WhiteOnTyping({box});
    FillList();
}

void DetectorWindow::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Calculate Vout", "mnuCalculateVout", &DetectorWindow::CalcVout);
    calc->addSeparator();
    AddItem(calc, "Plot &Vout vs. Pin", "mnuCalculatePlotVout", &DetectorWindow::PlotVout);
    AddItem(calc, "Plot &Gamma vs. Pin", "mnuCalculatePlotGamma", &DetectorWindow::PlotGamma);
    QAction* help = AddHelpItem(d_.helpItemCaption, d_.helpItemName);
    connect(help, &QAction::triggered, this, &CalcFrame::ShowHelp);
}

void DetectorWindow::ShowCalcControls()
{
    plotControls_->hide();
    calcControls_->show();
}

void DetectorWindow::HideCalcControls()
{
    calcControls_->hide();
    plotControls_->show();
}

void DetectorWindow::CalcVout()
{
    BeginCalculation();
    plotAvailable_ = false;
    Settings().mathErrorFlag = false;

    // Each box in turn; the first one refused ends the calculation with the old results kept.
    if (!CheckInput(txtTempC_, -55.0, 300.0, true) || !CheckInput(txtIo_, 0.0, kHuge, true)
        || !CheckInput(txtIso_, kTiny, kHuge) || !CheckInput(txtRs_, 0.0, kHuge, true)
        || !CheckInput(txtEg_, 0.0, kHuge, true) || !CheckInput(txtIdeality_, 0.8, kHuge)
        || !CheckInput(txtZ0_, kTiny, kHuge) || (txtRm_ && !CheckInput(txtRm_, kTiny, kHuge))
        || !CheckInput(txtRl_, 100.0, kHuge))
        return;
    // The power range is checked against its own other end, so both ends must be numbers.
    if (!CheckInput(txtPinStart_, -100.0, FieldValue(txtPinStop_), true)
        || !CheckInput(txtPinStop_, FieldValue(txtPinStart_), 40.0, true)
        || !CheckInput(txtPinStep_, 0.001, std::fabs(FieldValue(txtPinStop_) - FieldValue(txtPinStart_))))
        return;

    Status()->SetPanel(0, kCalculating, "blu");

    DetectorInputs in;
    in.ideality = FieldValue(txtIdeality_);
    in.rl_ohm = FieldValue(txtRl_);
    in.rs_ohm = FieldValue(txtRs_);
    in.io_a = ConvertUnit(FieldValue(txtIo_), "uA", true);
    in.iso_a = ConvertUnit(FieldValue(txtIso_), "uA", true);
    in.eg_ev = FieldValue(txtEg_);
    in.temp_k = ConvertUnit(FieldValue(txtTempC_), "degC", true);
    const double z0 = FieldValue(txtZ0_);
    in.rg_ohm = txtRm_ ? ParallelSourceResistance(FieldValue(txtRm_), z0) : z0;
    in.pinStart_dbm = FieldValue(txtPinStart_);
    in.pinStop_dbm = FieldValue(txtPinStop_);
    in.pinStep_db = FieldValue(txtPinStep_);

    result_ = AnalyseDetector(in, d_.solver);
    pinStart_ = in.pinStart_dbm;
    pinStop_ = in.pinStop_dbm;

    using form::Format;
    lblIsat_->setText(Format(ConvertUnit(result_.is_a, "uA", false), "0.0000"));
    lblLambda_->setText(Format(result_.lambda_per_v, "0.000"));
    lblVout0_->setText(Format(result_.vo0_v, "scientific"));
    lblRv_->setText(Format(result_.rv_ohm, "0.000"));
    if (lblRg_)
        lblRg_->setText(Format(in.rg_ohm, "0.00"));
    FillList();

    // F4 pressed while a chart is shown: the chart follows the new numbers, or gives way to
    // the inputs when there is nothing to plot.
    const bool charting = plotControls_->isVisibleTo(this);
    if (result_.error) {
        if (charting)
            ShowCalcControls();
        Status()->SetPanel(0, QString::fromStdString(result_.errorText), "red");
        PlayWave("laser.wav");
        ShowWebLink(false);
        return;
    }
    plotAvailable_ = true;
    if (charting)
        DrawChart(shown_);
    ShowNormalStatus();
}

void DetectorWindow::FillList()
{
    const int rows = int(result_.points.size());
    fpListVout_->clearContents();
    fpListVout_->setRowCount(rows);
    for (int i = 0; i < rows; ++i) {
        const DetectorPoint& p = result_.points[std::size_t(i)];
        const QString cells[] = {form::Format(ConvertUnit(p.power_w, "dBm", false), "0.0"),
                                 form::Format(p.vout_v, d_.voutPicture),
                                 form::Format(p.sensitivity_mv_per_uw, "0.000")};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            fpListVout_->setItem(i, c, item);
        }
    }
    // Short lists show every row; from 11 rows on the list keeps a fixed size and scrolls.
    // Never narrower than its column heads, whatever the font.
    const bool scrolls = rows >= 11;
    int heads = 0;
    for (int c = 0; c < 3; ++c)
        heads += std::max(fpListVout_->horizontalHeader()->sectionSizeHint(c), fpListVout_->columnWidth(c));
    heads += 2 * fpListVout_->frameWidth()
                      + (scrolls ? fpListVout_->verticalScrollBar()->sizeHint().width() : 0) + 4;
    if (!scrolls)
        fpListVout_->setFixedSize(std::max(TwipsToPixels(5020), heads), TwipsToPixels(260 * rows + 300));
    else
        fpListVout_->setFixedSize(std::max(TwipsToPixels(5250), heads), TwipsToPixels(2600));
}

void DetectorWindow::PlotVout() { ShowPlot(Plot::Vout); }

void DetectorWindow::PlotGamma() { ShowPlot(Plot::Gamma); }

void DetectorWindow::ShowPlot(Plot plot)
{
    if (!plotAvailable_) {
        ShowMessageBox(this, QString(), "No data to plot. Run 'Calculate  [F4]' first.", MsgIcon::Exclamation);
        return;
    }
    HideCalcControls();
    StatusBar* bar = Status();
    const QString text = bar->PanelText(0);
    const QString image = bar->PanelImageKey(0);
    bar->SetPanel(0, kCalculating, "blu");
    DrawChart(plot);
    bar->SetPanel(0, text, image);
}

void DetectorWindow::DrawChart(Plot plot)
{
    shown_ = plot;
    const bool vout = plot == Plot::Vout;
    cmdPlotToggle_->setText(vout ? kGammaCaption : kVoutCaption);

    QChart* chart = chartVout_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(vout ? "Output Voltage vs. Input Power" : "Voltage Sensitivity vs. Input Power");

    auto* series = new QLineSeries;
    series->setName(vout ? "Output Voltage" : "Voltage Sensitivity");
    double low = 0.0;
    double high = 0.0;
    for (const DetectorPoint& p : result_.points) {
        const double y = vout ? p.vout_v : p.sensitivity_mv_per_uw;
        series->append(ConvertUnit(p.power_w, "dBm", false), y);
        low = std::min(low, y);
        high = std::max(high, y);
    }
    QPen pen(QColor(0x1F, 0x5F, 0xA6));
    pen.setWidthF(2.0);
    series->setPen(pen);
    series->setPointsVisible(true);
    chart->addSeries(series);

    auto* x = new QValueAxis;
    x->setTitleText("Input Power (dBm)");
    x->setRange(pinStart_, pinStop_);
    // Divisions from the span: evenly from end to end where a round step fits the span
    // exactly, otherwise round values anchored at the start.
    const double span = pinStop_ - pinStart_;
    const double step = PowerAxisStep(span);
    const double divisions = span / step;
    if (std::fabs(divisions - std::round(divisions)) < 1e-9 && divisions >= 1.0) {
        x->setTickType(QValueAxis::TicksFixed);
        x->setTickCount(int(std::round(divisions)) + 1);
    } else {
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(pinStart_);
        x->setTickInterval(step);
    }
    // As many decimals as the division needs, so that a tick computed a hair off zero or a
    // round value still reads as one.
    const int decimals = step >= 1.0 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
    x->setLabelFormat(QString("%.%1f").arg(decimals));
    auto* y = new QValueAxis;
    y->setTitleText(vout ? "Output Voltage (V)" : "Voltage Sensitivity (mV/uW)");
    y->setRange(low, high > low ? high : low + 1.0);
    y->applyNiceNumbers();
    for (QValueAxis* axis : {x, y}) {
        axis->setTitleFont(ChartFont(10, true));
        axis->setLabelsFont(ChartFont(9, false));
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace korvel::ui
