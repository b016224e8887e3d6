#include "mixerspur.h"

#include "signal/mixerspur.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "shell/unitselector.h"
#include "signal/ui/statusroom.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace korvel::ui {
namespace {

constexpr int kHelpTopic = 54;
// Frequencies are held in single precision; the largest a box takes keeps well inside it.
constexpr double kMaxFrequency = 1e30;
constexpr double kMaxHarmonic = 1000;
// The list shows this many rows before it scrolls.
constexpr int kListRows = 16;

QLineEdit* InputBox(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setMinimumWidth(100);
    return box;
}

// The limits with the chosen number of decimals, a leading digit and thousands grouping.
QString Limit(double value, int decimals)
{
    QString picture = "#,##0";
    if (decimals > 0)
        picture += '.' + QString(decimals, '0');
    return QString::fromStdString(FormatValue(value, picture.toStdString()));
}

} // namespace

MixerSpurWindow::MixerSpurWindow(QWidget* parent)
    : CalcFrame({"frmMixerSpur", "Mixer Spurs", kHelpTopic, "Mixer Spurs &Help"}, parent)
{
    BuildControls();
    BuildMenus();
    SetMainCalculateButton(cmdCalculate_);
    ReserveStatusRoom(Status());
    SetScheme(0);
    cmdCalculate_->setFocus();
}

void MixerSpurWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QHBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(12);
    auto* left = new QVBoxLayout;
    left->setSpacing(10);

    // ---- Scheme ----------------------------------------------------------------------------
    auto* fraMixerScheme = new QGroupBox("Mixer Scheme", body);
    fraMixerScheme->setObjectName("fraMixerScheme");
    auto* schemes = new QGridLayout(fraMixerScheme);
    const char* captions[] = {"RF range, LO range", "RF range, fixed LO", "Fixed RF, LO range", "Fixed RF, fixed LO"};
    for (int i = 0; i < 4; ++i) {
        optScheme_[i] = new QRadioButton(captions[i], fraMixerScheme);
        optScheme_[i]->setObjectName(QString("optScheme(%1)").arg(i));
        optScheme_[i]->setProperty("index", i);
        connect(optScheme_[i], &QRadioButton::clicked, this, [this, i] { SetScheme(i); });
        schemes->addWidget(optScheme_[i], i / 2, i % 2);
    }
    left->addWidget(fraMixerScheme);

    // ---- Frequencies -----------------------------------------------------------------------
    auto* fraFreq = new QGroupBox("Frequencies", body);
    fraFreq->setObjectName("fraFrequencies");
    auto* freq = new QGridLayout(fraFreq);
    freq->setVerticalSpacing(6);
    cbofpFreqUnits_ = new UnitSelector(fraFreq);
    cbofpFreqUnits_->setObjectName("cbofpFreqUnits");
    for (const char* code : {"MHz", "GHz", "kHz", "Hz"})
        cbofpFreqUnits_->AddUnit(code, code);
    cbofpFreqUnits_->setToolTip("Select the frequency unit of every box and of the list");
    AdoptSelector(cbofpFreqUnits_);
    connect(cbofpFreqUnits_, &UnitSelector::CodeChanged, this, &MixerSpurWindow::ShowUnit);

    txtRFmin_ = InputBox(fraFreq, "txtRFmin", "900", "RF Freq, low");
    txtRFmax_ = InputBox(fraFreq, "txtRFmax", "1000", "RF Freq, high");
    txtLOmin_ = InputBox(fraFreq, "txtLOmin", "1100", "Enter the lowest LO frequency (or the fixed LO)");
    txtLOmax_ = InputBox(fraFreq, "txtLOmax", "1200", "Enter the highest LO frequency");
    txtIFmin_ = InputBox(fraFreq, "txtIFmin", "150", "Enter the lower edge of the IF band");
    txtIFmax_ = InputBox(fraFreq, "txtIFmax", "250", "Enter the upper edge of the IF band");
    lblRFmin_ = MakeCaption(fraFreq, "Min RF Freq =", "lblRFmin");
    lblRFmax_ = MakeCaption(fraFreq, "Max RF Freq =", "lblRFmax");
    lblLOmin_ = MakeCaption(fraFreq, "  Min LO Freq =", "lblLOmin");
    lblLOmax_ = MakeCaption(fraFreq, "Max LO Freq =", "lblLOmax");
    QLabel* lblIFmin = MakeCaption(fraFreq, "Min IF Freq =", "lblIFmin");
    QLabel* lblIFmax = MakeCaption(fraFreq, "Max IF Freq =", "lblIFmax");
    const std::pair<QLabel*, QLineEdit*> rows[] = {{lblRFmin_, txtRFmin_}, {lblRFmax_, txtRFmax_},
                                                   {lblLOmin_, txtLOmin_}, {lblLOmax_, txtLOmax_},
                                                   {lblIFmin, txtIFmin_},  {lblIFmax, txtIFmax_}};
    freq->addWidget(MakeCaption(fraFreq, "Units:", "lblFreqUnits"), 0, 0);
    freq->addWidget(cbofpFreqUnits_, 0, 1);
    for (int r = 0; r < 6; ++r) {
        freq->addWidget(rows[r].first, r + 1, 0);
        freq->addWidget(rows[r].second, r + 1, 1);
        unitLabels_[r] = new QLabel(fraFreq);
        unitLabels_[r]->setObjectName(QString("lblFreqUnit(%1)").arg(r));
        unitLabels_[r]->setProperty("index", r);
        freq->addWidget(unitLabels_[r], r + 1, 2);
    }
    freq->setColumnMinimumWidth(2, 30);
    // A box the scheme hides keeps its place, so that nothing moves when the scheme changes.
    for (QWidget* w : std::initializer_list<QWidget*>{txtRFmax_, lblRFmax_, unitLabels_[1], txtLOmax_, lblLOmax_,
                                                      unitLabels_[3]}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
    }
    left->addWidget(fraFreq);

    // ---- Harmonics and the list format ------------------------------------------------------
    auto* fraHarm = new QGroupBox("Harmonics", body);
    fraHarm->setObjectName("fraHarmonics");
    auto* harm = new QGridLayout(fraHarm);
    txtRFharmonicM_ = InputBox(fraHarm, "txtRFharmonicM", "5", "Enter the highest RF harmonic to try");
    txtLOharmonicN_ = InputBox(fraHarm, "txtLOharmonicN", "5", "Enter the highest LO harmonic to try");
    txtDecimalPlaces_ = new QSpinBox(fraHarm);
    txtDecimalPlaces_->setObjectName("txtDecimalPlaces");
    txtDecimalPlaces_->setRange(0, 6);
    txtDecimalPlaces_->setValue(2);
    txtDecimalPlaces_->setToolTip("Number of decimals in the list");
    txtDecimalPlaces_->setMinimumWidth(100);
    harm->addWidget(MakeCaption(fraHarm, "Highest RF harmonic"), 0, 0);
    harm->addWidget(MakeCaption(fraHarm, "m", "lblRFharmonicM"), 0, 1);
    harm->addWidget(txtRFharmonicM_, 0, 2);
    harm->addWidget(MakeCaption(fraHarm, "Highest LO harmonic"), 1, 0);
    harm->addWidget(MakeCaption(fraHarm, "n", "lblLOharmonicN"), 1, 1);
    harm->addWidget(txtLOharmonicN_, 1, 2);
    harm->addWidget(MakeCaption(fraHarm, "Decimal places"), 2, 0);
    harm->addWidget(txtDecimalPlaces_, 2, 2);
    left->addWidget(fraHarm);

    cmdCalculate_ = MakeCalculateButton(body, "Calculate Spurs  [F4]",
                                        "Finds every harmonic pair whose product can fall in the IF band");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCalculate_);
    buttons->addStretch(1);
    left->addLayout(buttons);
    left->addStretch(1);
    outer->addLayout(left);

    // ---- Results ---------------------------------------------------------------------------
    auto* fraSpurs = new QGroupBox("Spurs:  m RF + n LO = IF", body);
    fraSpurs->setObjectName("fraSpurs");
    auto* spurs = new QVBoxLayout(fraSpurs);
    auto* countRow = new QHBoxLayout;
    auto* lblCount = new QLabel("Number of spurs:", fraSpurs);
    lblCount->setObjectName("lblSpurCount");
    lblNumberOfSpurs_ = new QLabel(fraSpurs);
    lblNumberOfSpurs_->setObjectName("lblNumberOfSpurs");
    lblNumberOfSpurs_->setMinimumWidth(120);
    QFont bold = lblNumberOfSpurs_->font();
    bold.setBold(true);
    lblNumberOfSpurs_->setFont(bold);
    countRow->addWidget(lblCount);
    countRow->addWidget(lblNumberOfSpurs_);
    countRow->addStretch(1);
    spurs->addLayout(countRow);
    fpListIF_ = new QTableWidget(0, 4, fraSpurs);
    fpListIF_->setObjectName("fpListIF");
    // The two ends of a spur's RF range come in the order the search finds them, not sorted.
    fpListIF_->setHorizontalHeaderLabels({"n", "m", "RF limit 1", "RF limit 2"});
    fpListIF_->verticalHeader()->hide();
    fpListIF_->verticalHeader()->setDefaultSectionSize(20);
    fpListIF_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fpListIF_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fpListIF_->setSelectionMode(QAbstractItemView::SingleSelection);
    fpListIF_->setColumnWidth(0, 44);
    fpListIF_->setColumnWidth(1, 44);
    fpListIF_->setColumnWidth(2, 120);
    fpListIF_->setColumnWidth(3, 120);
    fpListIF_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    fpListIF_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fpListIF_->setFixedWidth(44 + 44 + 120 + 120 + fpListIF_->verticalScrollBar()->sizeHint().width()
                             + 2 * fpListIF_->frameWidth());
    FitList(4);
    spurs->addWidget(fpListIF_);
    spurs->addStretch(1);
    outer->addWidget(fraSpurs, 0, Qt::AlignTop);
    outer->addStretch(1);

    connect(cmdCalculate_, &QPushButton::clicked, this, &MixerSpurWindow::CalcSpurs);
    WhiteOnTyping({txtRFmin_, txtRFmax_});
    WhiteOnTyping({txtLOmin_, txtLOmax_});
    WhiteOnTyping({txtIFmin_, txtIFmax_});
    WhiteOnTyping({txtRFharmonicM_});
    WhiteOnTyping({txtLOharmonicN_});
    ShowUnit();
}

void MixerSpurWindow::BuildMenus()
{
    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "Calculate &Spurs", "mnuCalculateSpurs", &MixerSpurWindow::CalcSpurs);
    QMenu* select = AddMenu("&Select Parameters", "mnuSelectParameters");
    AddItem(select, "&Frequency Units", "mnuSelectFreqUnits", [this] { cbofpFreqUnits_->OpenFromMenu(); });
}

void MixerSpurWindow::ShowUnit()
{
    for (QLabel* label : unitLabels_)
        label->setText(cbofpFreqUnits_->Code());
}

void MixerSpurWindow::SetScheme(int scheme)
{
    scheme_ = scheme;
    optScheme_[scheme]->setChecked(true);
    const bool rfFixed = scheme == 2 || scheme == 3;
    const bool loFixed = scheme == 1 || scheme == 3;
    lblRFmin_->setText(rfFixed ? "Fixed RF Freq =" : "Min RF Freq =");
    lblLOmin_->setText(loFixed ? "Fixed LO Freq =" : "  Min LO Freq =");
    for (QWidget* w : {static_cast<QWidget*>(txtRFmax_), static_cast<QWidget*>(lblRFmax_),
                       static_cast<QWidget*>(unitLabels_[1])})
        w->setVisible(!rfFixed);
    for (QWidget* w : {static_cast<QWidget*>(txtLOmax_), static_cast<QWidget*>(lblLOmax_),
                       static_cast<QWidget*>(unitLabels_[3])})
        w->setVisible(!loFixed);
}

void MixerSpurWindow::FitList(int rows)
{
    const int shown = std::clamp(rows, 4, kListRows);
    fpListIF_->setFixedHeight(fpListIF_->horizontalHeader()->sizeHint().height() + shown * 20
                              + 2 * fpListIF_->frameWidth());
}

void MixerSpurWindow::CalcSpurs()
{
    BeginCalculation();
    const bool rfFixed = scheme_ == 2 || scheme_ == 3;
    const bool loFixed = scheme_ == 1 || scheme_ == 3;

    if (!CheckInput(txtRFharmonicM_, -kMaxHarmonic, kMaxHarmonic, true)
        || !CheckInput(txtLOharmonicN_, -kMaxHarmonic, kMaxHarmonic, true)
        || !CheckInput(txtRFmin_, 0, kMaxFrequency, true))
        return;
    // A maximum box must not lie below its minimum; a box the scheme hides is not read.
    if (!rfFixed && !CheckInput(txtRFmax_, FieldValue(txtRFmin_), kMaxFrequency, true))
        return;
    if (!CheckInput(txtIFmin_, 0, kMaxFrequency, true) || !CheckInput(txtIFmax_, FieldValue(txtIFmin_), kMaxFrequency, true))
        return;
    // The search divides by the LO limits.
    if (!CheckInput(txtLOmin_, 0, kMaxFrequency, false))
        return;
    if (!loFixed && !CheckInput(txtLOmax_, FieldValue(txtLOmin_), kMaxFrequency, false))
        return;

    lblNumberOfSpurs_->clear();
    MixerSpurInputs in;
    in.maxRfHarmonic = HarmonicLimit(FieldValue(txtRFharmonicM_));
    in.maxLoHarmonic = HarmonicLimit(FieldValue(txtLOharmonicN_));
    in.rfMin = float(FieldValue(txtRFmin_));
    in.rfMax = float(FieldValue(txtRFmax_));
    in.loMin = float(FieldValue(txtLOmin_));
    in.loMax = float(FieldValue(txtLOmax_));
    in.ifMin = float(FieldValue(txtIFmin_));
    in.ifMax = float(FieldValue(txtIFmax_));
    in.scheme = static_cast<MixerScheme>(scheme_);

    const MixerSpurResult r = FindMixerSpurs(in);
    fpListIF_->setRowCount(0);
    if (r.overflow) {
        FitList(0);
        ShowWarning("Number of spurs exceeds 400. Revise input data.", false);
        return;
    }
    const int decimals = txtDecimalPlaces_->value();
    fpListIF_->setRowCount(int(r.spurs.size()));
    for (int row = 0; row < int(r.spurs.size()); ++row) {
        const MixerSpur& s = r.spurs[std::size_t(row)];
        const QString cells[] = {QString::number(s.n), QString::number(s.m), Limit(s.rfLimit1, decimals),
                                 Limit(s.rfLimit2, decimals)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            fpListIF_->setItem(row, c, item);
        }
    }
    FitList(int(r.spurs.size()));
    lblNumberOfSpurs_->setText(r.spurs.empty() ? "No spurs found" : QString::number(r.spurs.size()));

    ShowNormalStatus();
    if (r.negativeFrequencies)
        ShowWarning("Negative frequencies are part of spur producing ranges.", false);
}

} // namespace korvel::ui
