#include "noisecalc.h"

#include "core/checks.h"
#include "core/fault.h"
#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/host.h"
#include "shell/infowindows.h"
#include "shell/services.h"
#include "shell/statusbar.h"
#include "shell/uihooks.h"
#include "signal/ui/statusroom.h"

#include <QAbstractItemDelegate>
#include <QActionGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace korvel::ui {
namespace {

const QString kTitle = "NoiseCalc";
constexpr int kHelpTopic = 52;

// Stage grid rows.
enum StageRow {
    kRowHeading = 0,
    kRowPicture = 1,
    kRowName = 2,
    kRowNf = 3,
    kRowGain = 4,
    kRowIp3 = 5,
    kRowNfTempco = 6,
    kRowGainTempco = 7,
    kRowAnalysisHeading = 9,
    kRowNfTemp = 10,
    kRowGainTemp = 11,
    kRowPin = 12,
    kRowPout = 13,
    kRowSensNf = 14,
    kRowSensGain = 15,
    kRowSensIp3 = 16,
    kStageRows = 17,
};
constexpr int kFirstStageColumn = 2;

struct CellRule {
    const char* label;
    const char* unit;
    const char* defaultText;
    double minimum;
    double maximum;
    const char* message;
};

// The system conditions, rows of grdInput in checking order.
const std::array<CellRule, 6> kSystemRows = {{
    {"  Input Power", "dBm", "0", -1000, 1000, "Allowable Input Power range is \u00B11000 dBm"},
    {"  Analysis Temperature", "\u00B0C", "25", -273, 300,
     "Allowable range for Analysis Temperature is absolute zero to +300 \u00B0C"},
    {"  Noise BW", "MHz", "1", 1e-7, 1e6, "Allowable range for Noise Bandwidth is 0.1 Hz to 1000 GHz"},
    {"  Ref Temperature", "\u00B0C", "25", -273, 300,
     "Allowable range for Reference Temperature is absolute zero to +300 \u00B0C"},
    {"  S/N (for sensitivity)", "dB", "0", 0, 1000, "Allowable range for SNR is 0 to 1000 dB"},
    {"  Noise Source (Ref)", "\u00B0K", "290", 0.0001, 1000, "Allowable range for Tsource is 0.0001 to 1000\u00B0K "},
}};

// The stage inputs, rows 3 to 7 of grdNoiseCalc in checking order.
const std::array<CellRule, 5> kStageInputs = {{
    {"  Noise Figure", "dB", "0", 0, 1000, "Allowable NF range is 0 to 1000 dB"},
    {"  Gain", "dB", "0", -1000, 1000, "Allowable Gain range is \u00B11000 dB"},
    {"  Output IP3", "dBm", "100", -1000, 1000, "Allowable IP3 range is \u00B11000 dBm"},
    {"  dNF/dTemp", "dB/\u00B0C", "0", -10, 10, "Allowable NF Tempco range is \u00B110 dB/\u00B0C"},
    {"  dG/dTemp", "dB/\u00B0C", "0", -10, 10, "Allowable Gain Tempco range is \u00B110 dB/\u00B0C"},
}};

struct OutputRow {
    int row;
    const char* label;
    const char* unit;
};
const std::array<OutputRow, 7> kStageOutputs = {{
    {kRowNfTemp, "  NF (Temp corr)", "dB"},
    {kRowGainTemp, "  Gain (Temp corr)", "dB"},
    {kRowPin, "  Input Power", "dBm"},
    {kRowPout, "  Output Power", "dBm"},
    {kRowSensNf, "  d NF/d NF", "dB/dB"},
    {kRowSensGain, "  d NF/d Gain", "dB/dB"},
    {kRowSensIp3, "  d IP3/d IP3", "dBm/dBm"},
}};

// The analysis grid: label, unit (left half), label, unit (right half) per row.
struct AnalysisRow {
    const char* leftLabel;
    const char* leftUnit;
    const char* rightLabel;
    const char* rightUnit;
};
const std::array<AnalysisRow, 7> kAnalysisRows = {{
    {"Gain = ", "dB", "Input IP3 = ", "dBm"},
    {"Noise Figure = ", "dB", "Output IP3 = ", "dBm"},
    {"Noise Temp = ", "\u00B0K", "Input IM level = ", "dBm"},
    {"SNR = ", "dB", "", "dBC"},
    {"MDS = ", "dBm", "Output IM level = ", "dBm"},
    {"Sensitivity = ", "dBm", "", "dBC"},
    {"Noise Floor = ", "dBm/Hz", "SFDR = ", "dB"},
}};

// Cells that are not typed into look like the fixed rows and columns of a spreadsheet.
const QColor kFixedColour(236, 236, 236);
const QColor kWhite(255, 255, 255);
const QColor kSensitivityCellColour(255, 255, 200);
constexpr int kRowHeight = 18;
constexpr int kPictureRowHeight = 36;
constexpr int kStageColumnWidth = 100;


// A grid that asks for room to show all of its rows (and up to a screenful of columns); given
// less, it scrolls.
class FittedGrid : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    QSize sizeHint() const override
    {
        int w = 2 * frameWidth();
        for (int c = 0; c < columnCount(); ++c)
            w += columnWidth(c);
        int h = 2 * frameWidth() + horizontalScrollBar()->sizeHint().height();
        for (int r = 0; r < rowCount(); ++r)
            h += rowHeight(r);
        return {std::min(w, 860), h};
    }
    // Measured when asked (after the style has set the frame and the scroll bar), so that the
    // layout never gives the grid less than all of its rows.
    QSize minimumSizeHint() const override { return {200, sizeHint().height()}; }
};

QTableWidget* MakeGrid(QWidget* parent, const QString& name, int rows, int columns)
{
    auto* grid = new FittedGrid(rows, columns, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                          | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    return grid;
}

QTableWidgetItem* FixedItem(const QString& text, bool bold = false)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    SetCellBackground(item, kFixedColour);
    if (bold) {
        QFont f = item->font();
        f.setBold(true);
        item->setFont(f);
    }
    return item;
}

QTableWidgetItem* InputItem(const QString& text)
{
    auto* item = new QTableWidgetItem(LocalNumber(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
    SetCellBackground(item, kWhite);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTableWidgetItem* OutputItem(const QString& text = {})
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    SetCellBackground(item, kWhite);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Fits a grid's frame to its rows and columns, so that small grids show no scroll bars.
void FitHeight(QTableWidget* grid)
{
    int h = 2 * grid->frameWidth();
    for (int r = 0; r < grid->rowCount(); ++r)
        h += grid->rowHeight(r);
    grid->setFixedHeight(h);
}

void FitWidth(QTableWidget* grid)
{
    int w = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        w += grid->columnWidth(c);
    grid->setFixedWidth(w);
}

// Draws the stage block symbol of the picture row centred in its cell.
class StagePictureDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        if (index.row() != kRowPicture || index.column() < kFirstStageColumn) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, kWhite);
        const QString file = index.data(Qt::UserRole).toString();
        const QIcon icon = ProgramIcon("stages/" + file + ".svg");
        if (!icon.isNull()) {
            const QSize size(56, 32);
            const QRect target(option.rect.center() - QPoint(size.width() / 2, size.height() / 2), size);
            icon.paint(painter, target);
        }
    }
};

// The second line of a message: the run time's code of this window's procedure.
QString FaultMessage(const CascadeFault& fault) { return "Error NC1-" + QString::fromStdString(fault.text); }

// A count of stages typed into `box` (already known to be a number), or 0 after telling the
// user why not. The typed value is checked as the number it is before it becomes an int:
// 3e9 or 1e300 has no int to check. A chain longer than the maximum is only warned about when
// it is calculated, but a count beyond any real chain would only make the grid unusable.
int StageCountFrom(QWidget* parent, QLineEdit* box)
{
    const double value = FieldValue(box);
    if (value < 1.0) {
        ShowMessageBox(parent, kTitle, "Must have at least one stage", MsgIcon::Information);
        return 0;
    }
    if (!CheckRange(value, 1, 1000, false, box))
        return 0;
    return int(std::trunc(value));
}

} // namespace

int& NoiseCalcWindow::StageCount()
{
    static int count = 6;
    return count;
}

int& NoiseCalcWindow::MaxStages()
{
    static int maximum = 50;
    return maximum;
}

QStringList NoiseCalcWindow::StagePictures() { return {"stage", "amp", "loss", "bpf", "mixer"}; }

NoiseCalcWindow::NoiseCalcWindow(QWidget* parent)
    : CalcFrame({"frmNoiseCalc", kTitle, kHelpTopic, "NoiseCalc &Help"}, parent)
{
    // Every opening starts from the defaults: 50 stages at most, 6 stages, 40 % colour.
    MaxStages() = 50;
    StageCount() = 6;
    SensitivityColourIntensity() = 0.4f;
    BuildControls();
    BuildMenus();
    SetMainCalculateButton(cmdCalculate_);
    ReserveStatusRoom(Status());
    // The grids measure themselves with the style's frames and scroll bars: have them before
    // the window is first sized.
    ensurePolished();
    cmdCalculate_->setFocus();
}

void NoiseCalcWindow::BuildControls()
{
    QWidget* body = Body();
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(10, 8, 10, 4);
    outer->setSpacing(8);

    // ---- System conditions and system figures side by side -------------------------------
    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    auto* systemBox = new QGroupBox("System", body);
    systemBox->setObjectName("fraSystem");
    auto* systemLayout = new QVBoxLayout(systemBox);
    grdInput_ = MakeGrid(systemBox, "grdInput", int(kSystemRows.size()), 3);
    grdInput_->setColumnWidth(0, 170);
    grdInput_->setColumnWidth(1, 72);
    grdInput_->setColumnWidth(2, 44);
    FillInputGrid();
    FitHeight(grdInput_);
    FitWidth(grdInput_);
    systemLayout->addWidget(grdInput_);
    systemLayout->addStretch(1);
    top->addWidget(systemBox);

    auto* analysisBox = new QGroupBox("System Analysis", body);
    analysisBox->setObjectName("fraAnalysis");
    auto* analysisLayout = new QVBoxLayout(analysisBox);
    grdAnalysis_ = MakeGrid(analysisBox, "grdAnalysis", int(kAnalysisRows.size()), 7);
    grdAnalysis_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int widths[] = {112, 70, 58, 10, 124, 70, 40};
    for (int c = 0; c < 7; ++c)
        grdAnalysis_->setColumnWidth(c, widths[c]);
    for (int r = 0; r < int(kAnalysisRows.size()); ++r) {
        const AnalysisRow& a = kAnalysisRows[std::size_t(r)];
        auto* left = FixedItem(a.leftLabel);
        left->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdAnalysis_->setItem(r, 0, left);
        grdAnalysis_->setItem(r, 1, OutputItem());
        grdAnalysis_->setItem(r, 2, FixedItem(a.leftUnit));
        grdAnalysis_->setItem(r, 3, FixedItem(QString()));
        auto* right = FixedItem(a.rightLabel);
        right->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdAnalysis_->setItem(r, 4, right);
        grdAnalysis_->setItem(r, 5, OutputItem());
        grdAnalysis_->setItem(r, 6, FixedItem(a.rightUnit));
    }
    // Sensitivity is the figure a receiver is specified by: its cell stands out.
    SetCellBackground(grdAnalysis_->item(5, 1), kSensitivityCellColour);
    FitHeight(grdAnalysis_);
    FitWidth(grdAnalysis_);
    analysisLayout->addWidget(grdAnalysis_);
    analysisLayout->addStretch(1);
    top->addWidget(analysisBox);
    top->addStretch(1);
    outer->addLayout(top);

    // ---- The stages -----------------------------------------------------------------------
    grdNoiseCalc_ = MakeGrid(body, "grdNoiseCalc", kStageRows, kFirstStageColumn);
    grdNoiseCalc_->setItemDelegate(new StagePictureDelegate(grdNoiseCalc_));
    grdNoiseCalc_->setColumnWidth(0, 150);
    grdNoiseCalc_->setColumnWidth(1, 76);
    grdNoiseCalc_->setRowHeight(kRowPicture, kPictureRowHeight);
    grdNoiseCalc_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    {
        const QSignalBlocker block(grdNoiseCalc_);
        ++writing_;
        grdNoiseCalc_->setItem(kRowHeading, 0, FixedItem("Stage Data", true));
        grdNoiseCalc_->setItem(kRowHeading, 1, FixedItem("Units", true));
        grdNoiseCalc_->setItem(kRowPicture, 0, FixedItem(QString()));
        grdNoiseCalc_->setItem(kRowPicture, 1, FixedItem(QString()));
        grdNoiseCalc_->setItem(kRowName, 0, FixedItem("  Stage Name:"));
        grdNoiseCalc_->setItem(kRowName, 1, FixedItem(QString()));
        for (std::size_t i = 0; i < kStageInputs.size(); ++i) {
            grdNoiseCalc_->setItem(kRowNf + int(i), 0, FixedItem(kStageInputs[i].label));
            grdNoiseCalc_->setItem(kRowNf + int(i), 1, FixedItem(kStageInputs[i].unit));
        }
        grdNoiseCalc_->setItem(8, 0, FixedItem(QString()));
        grdNoiseCalc_->setItem(8, 1, FixedItem(QString()));
        grdNoiseCalc_->setItem(kRowAnalysisHeading, 0, FixedItem("Stage Analysis:", true));
        grdNoiseCalc_->setItem(kRowAnalysisHeading, 1, FixedItem(QString()));
        for (const OutputRow& o : kStageOutputs) {
            grdNoiseCalc_->setItem(o.row, 0, FixedItem(o.label));
            grdNoiseCalc_->setItem(o.row, 1, FixedItem(o.unit));
        }
        --writing_;
    }
    RebuildStageColumns(StageCount());
    // Every row stays in view (the chain scrolls sideways only), also once the status bar and
    // the web link take their room under the grid.
    grdNoiseCalc_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdNoiseCalc_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    outer->addWidget(grdNoiseCalc_, 1);

    // ---- Commands -------------------------------------------------------------------------
    auto* buttons = new QHBoxLayout;
    auto* lblNumberStages = new QLabel("Number of stages:", body);
    lblNumberStages->setObjectName("lblNumberStages");
    txtNumberStages_ = new QLineEdit(QString::number(StageCount()), body);
    txtNumberStages_->setObjectName("txtNumberStages");
    txtNumberStages_->setFixedWidth(50);
    txtNumberStages_->setToolTip("Enter the number of stages in the chain");
    SetFieldBackground(txtNumberStages_, kFieldNormal);
    WhiteOnTyping({txtNumberStages_});
    cmdSetStages_ = new QPushButton("Set Stages", body);
    cmdSetStages_->setObjectName("cmdSetStages");
    cmdSetStages_->setToolTip("Rebuilds the stage columns for the number of stages");
    cmdSetStages_->setAutoDefault(false);
    cmdCalculate_ = MakeCalculateButton(body, "Calculate  [F4]", "Calculates the cascade and the system figures");
    cmdClear_ = new QPushButton("Clear", body);
    cmdClear_->setObjectName("cmdClear");
    cmdClear_->setToolTip("Erases all stage data and resets the system conditions");
    cmdClear_->setAutoDefault(false);
    for (QPushButton* b : {cmdSetStages_, cmdCalculate_, cmdClear_})
        b->setMinimumWidth(110);
    buttons->addWidget(lblNumberStages);
    buttons->addWidget(txtNumberStages_);
    buttons->addWidget(cmdSetStages_);
    buttons->addSpacing(24);
    buttons->addWidget(cmdCalculate_);
    buttons->addWidget(cmdClear_);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    connect(cmdCalculate_, &QPushButton::clicked, this, &NoiseCalcWindow::CalcCascade);
    connect(cmdSetStages_, &QPushButton::clicked, this, &NoiseCalcWindow::SetStages);
    connect(cmdClear_, &QPushButton::clicked, this, &NoiseCalcWindow::ClearAll);
    connect(grdInput_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { OnCellEdited(grdInput_, item); });
    connect(grdNoiseCalc_, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { OnCellEdited(grdNoiseCalc_, item); });
    connect(grdNoiseCalc_, &QTableWidget::cellDoubleClicked, this, &NoiseCalcWindow::CyclePicture);
}

void NoiseCalcWindow::BuildMenus()
{
    AddFileItem("&Print", "mnuFilePrint");
    connect(findChild<QAction*>("mnuFilePrint"), &QAction::triggered, this, [this] {
        ShowMessageBox(this, "Funky Little Print Work-around",
                       "Printing is not available from NoiseCalc.\n\n"
                       "To print the analysis, press Alt+Print Screen to copy this window, paste the "
                       "copy into a paint program and print it from there.",
                       MsgIcon::Information);
    });
    FileMenu()->insertSeparator(FileMenu()->actions().value(1));

    QMenu* calc = AddMenu("&Calculate", "mnuCalculate");
    AddItem(calc, "&Analyze Cascade", "mnuCalculateAnalyze", &NoiseCalcWindow::CalcCascade);

    QMenu* examples = AddMenu("&Examples", "mnuApp");
    AddItem(examples, "&1  10-Stage Dual Conversion Receiver at 85\u00B0 C", "mnuAppExample1", [this] { LoadExample(1); });
    AddItem(examples, "&2  12.2 to 12.7 GHz LNA for Digital Satellite System", "mnuAppExample2",
            [this] { LoadExample(2); });
    AddItem(examples, "&3  1.9 GHz CDMA Handset Receiver", "mnuAppExample3", [this] { LoadExample(3); });
    AddItem(examples, "&Generic", "mnuAppExample6", [this] { LoadExample(6); });

    QMenu* options = OptionsMenu();
    options->addSeparator();
    mnuOptCalcOnEdit_ = AddItem(options, "Calculate on cell &edit", "mnuOptCalcOnEdit");
    mnuOptCalcOnCommand_ = AddItem(options, "Calculate on &command only", "mnuOptCalcOnCommand");
    options->addSeparator();
    mnuOptInterceptPointInput_ = AddItem(options, "&Input IP3", "mnuOptInterceptPointInput");
    mnuOptInterceptPointOutput_ = AddItem(options, "&Output IP3", "mnuOptInterceptPointOutput");
    for (QAction* a : {mnuOptCalcOnEdit_, mnuOptCalcOnCommand_, mnuOptInterceptPointInput_, mnuOptInterceptPointOutput_})
        a->setCheckable(true);
    mnuOptCalcOnEdit_->setChecked(true);
    mnuOptInterceptPointOutput_->setChecked(true);
    // Triggering an item always leaves it checked: the pair is kept exclusive by hand.
    connect(mnuOptCalcOnEdit_, &QAction::triggered, this, [this] { SetCalcOnEdit(true); });
    connect(mnuOptCalcOnCommand_, &QAction::triggered, this, [this] { SetCalcOnEdit(false); });
    connect(mnuOptInterceptPointInput_, &QAction::triggered, this, &NoiseCalcWindow::SetInterceptInput);
    connect(mnuOptInterceptPointOutput_, &QAction::triggered, this, &NoiseCalcWindow::SetInterceptOutput);
    options->addSeparator();
    AddItem(options, "&Maximum number of stages ...", "mnuOptMaxStages", &NoiseCalcWindow::ShowMaxStagesDialog);
    AddItem(options, "Sensitivity &color ...", "mnuOptSensColor", &NoiseCalcWindow::ShowSensColor);
}

void NoiseCalcWindow::FillInputGrid()
{
    const QSignalBlocker block(grdInput_);
    ++writing_;
    for (int r = 0; r < int(kSystemRows.size()); ++r) {
        const CellRule& rule = kSystemRows[std::size_t(r)];
        grdInput_->setItem(r, 0, FixedItem(rule.label));
        grdInput_->setItem(r, 1, InputItem(rule.defaultText));
        grdInput_->setItem(r, 2, FixedItem(rule.unit));
    }
    --writing_;
}

void NoiseCalcWindow::RebuildStageColumns(int count)
{
    const QSignalBlocker block(grdNoiseCalc_);
    ++writing_;
    const int old = grdNoiseCalc_->columnCount() - kFirstStageColumn;
    grdNoiseCalc_->setColumnCount(kFirstStageColumn + count);
    for (int n = 1; n <= count; ++n) {
        const int col = kFirstStageColumn + n - 1;
        grdNoiseCalc_->setItem(kRowHeading, col, FixedItem("Stage " + QString::number(n), true));
        grdNoiseCalc_->item(kRowHeading, col)->setTextAlignment(Qt::AlignCenter);
        if (n <= old)
            continue;
        grdNoiseCalc_->setColumnWidth(col, kStageColumnWidth);
        // A new column starts as an empty stage: no name, no noise, no gain, a 100 dBm intercept.
        auto* picture = new QTableWidgetItem;
        picture->setFlags(Qt::ItemIsEnabled);
        picture->setData(Qt::UserRole, "stage");
        grdNoiseCalc_->setItem(kRowPicture, col, picture);
        auto* name = InputItem(QString());
        name->setTextAlignment(Qt::AlignCenter);
        grdNoiseCalc_->setItem(kRowName, col, name);
        for (std::size_t i = 0; i < kStageInputs.size(); ++i)
            grdNoiseCalc_->setItem(kRowNf + int(i), col, InputItem(kStageInputs[i].defaultText));
        grdNoiseCalc_->setItem(8, col, FixedItem(QString()));
        grdNoiseCalc_->setItem(kRowAnalysisHeading, col, FixedItem(QString()));
        for (const OutputRow& o : kStageOutputs)
            grdNoiseCalc_->setItem(o.row, col, OutputItem());
    }
    --writing_;
}

void NoiseCalcWindow::WriteStage(int stage, const StageData& data)
{
    const int col = kFirstStageColumn + stage - 1;
    ++writing_;
    grdNoiseCalc_->item(kRowPicture, col)->setData(Qt::UserRole, data.picture);
    grdNoiseCalc_->item(kRowName, col)->setText(data.name);
    FitStageColumn(col);
    for (int i = 0; i < 5; ++i) {
        QTableWidgetItem* item = grdNoiseCalc_->item(kRowNf + i, col);
        item->setText(LocalNumber(data.cells[i]));
        SetCellBackground(item, kWhite);
    }
    --writing_;
}

void NoiseCalcWindow::FitStageColumn(int column)
{
    // A long stage name widens its column rather than being cut off.
    const QString name = grdNoiseCalc_->item(kRowName, column)->text();
    const int needed = grdNoiseCalc_->fontMetrics().horizontalAdvance(name) + 16;
    grdNoiseCalc_->setColumnWidth(column, std::max(kStageColumnWidth, needed));
}

void NoiseCalcWindow::ClearStageOutputs()
{
    ++writing_;
    for (int col = kFirstStageColumn; col < grdNoiseCalc_->columnCount(); ++col)
        for (const OutputRow& o : kStageOutputs) {
            QTableWidgetItem* item = grdNoiseCalc_->item(o.row, col);
            item->setText(QString());
            SetCellBackground(item, kWhite);
        }
    --writing_;
}

void NoiseCalcWindow::SetCell(QTableWidget* grid, int row, int column, const QString& text)
{
    ++writing_;
    grid->item(row, column)->setText(text);
    --writing_;
}

void NoiseCalcWindow::SetCellColour(QTableWidget* grid, int row, int column, const QColor& colour)
{
    ++writing_;
    SetCellBackground(grid->item(row, column), colour);
    --writing_;
}

void NoiseCalcWindow::OnCellEdited(QTableWidget* grid, QTableWidgetItem* item)
{
    if (writing_ > 0 || !item || !(item->flags() & Qt::ItemIsEditable))
        return;
    // Typing into a cell clears a mark left by a failed check, as typing does in a text box.
    SetCellColour(grid, item->row(), item->column(), kWhite);
    if (grid == grdNoiseCalc_ && item->row() == kRowName)
        FitStageColumn(item->column());
    if (calcOnEdit_)
        CalcCascade();
}

void NoiseCalcWindow::CyclePicture(int row, int column)
{
    if (row != kRowPicture || column < kFirstStageColumn)
        return;
    QTableWidgetItem* item = grdNoiseCalc_->item(row, column);
    const QStringList pictures = StagePictures();
    const qsizetype at = pictures.indexOf(item->data(Qt::UserRole).toString());
    ++writing_;
    item->setData(Qt::UserRole, pictures.value((at + 1) % pictures.size()));
    --writing_;
}

bool NoiseCalcWindow::RefuseCell(QTableWidget* grid, int row, int column, const QString& message)
{
    PlayWave("ding.wav");
    ShowMessageBox(this, QString::fromUtf8(kInvalidInputTitle.data(), qsizetype(kInvalidInputTitle.size())), message,
                   MsgIcon::Exclamation);
    SetCellColour(grid, row, column, kFieldMarked);
    grid->setCurrentCell(row, column);
    grid->setFocus(Qt::OtherFocusReason);
    return false;
}

bool NoiseCalcWindow::CheckCell(QTableWidget* grid, int row, int column, double minimum, double maximum,
                                const QString& rangeMessage, double& value)
{
    const std::string text = grid->item(row, column)->text().toStdString();
    if (!IsNumericText(text))
        return RefuseCell(grid, row, column, "Input must be numeric value");
    value = NumberFromText(text);
    if (value < minimum || value > maximum)
        return RefuseCell(grid, row, column, rangeMessage);
    return true;
}

void NoiseCalcWindow::CalcCascade()
{
    const int n = StageCount();
    if (n > MaxStages())
        ShowMessageBox(this, kTitle,
                       "Number of stages exceeds maximum allowable. Reset max number of stages from Options menu.",
                       MsgIcon::Exclamation);
    BeginCalculation();

    double system[kSystemRows.size()] = {};
    for (std::size_t r = 0; r < kSystemRows.size(); ++r) {
        const CellRule& rule = kSystemRows[r];
        if (!CheckCell(grdInput_, int(r), 1, rule.minimum, rule.maximum, rule.message, system[r]))
            return;
    }
    CascadeInputs in;
    in.inputPower_dbm = system[0];
    in.analysisTemp_degC = system[1];
    in.noiseBandwidth_hz = ConvertUnit(system[2], "MHz", true);
    in.referenceTemp_degC = system[3];
    in.requiredSnr_db = system[4];
    in.sourceTemp_k = system[5];
    in.mode = mode_;
    in.stages.resize(std::size_t(n));
    for (int s = 0; s < n; ++s) {
        const int col = kFirstStageColumn + s;
        double v[kStageInputs.size()] = {};
        for (std::size_t i = 0; i < kStageInputs.size(); ++i) {
            const CellRule& rule = kStageInputs[i];
            if (!CheckCell(grdNoiseCalc_, kRowNf + int(i), col, rule.minimum, rule.maximum, rule.message, v[i]))
                return;
        }
        CascadeStage& stage = in.stages[std::size_t(s)];
        stage.nf_db = v[0];
        stage.gain_db = v[1];
        stage.ip3_dbm = v[2];
        stage.nfTempco_dbPerC = v[3];
        stage.gainTempco_dbPerC = v[4];
    }

    const CascadeResult r = AnalyseCascade(in);
    if (r.fault.raised)
        ShowMessageBox(this, kTitle, FaultMessage(r.fault), MsgIcon::Critical);

    // Stage results and the sensitivity cells, shaded by how much each one moves the system.
    const double k = double(SensitivityColourIntensity());
    for (int s = 0; s < n; ++s) {
        const int col = kFirstStageColumn + s;
        const CascadeStageResult& st = r.stages[std::size_t(s)];
        SetCell(grdNoiseCalc_, kRowNfTemp, col, FormatPicture(st.nf_db, "##0.00"));
        SetCell(grdNoiseCalc_, kRowGainTemp, col, FormatPicture(st.gain_db, "##0.00"));
        SetCell(grdNoiseCalc_, kRowPin, col, FormatPicture(st.inputPower_dbm, "##0.00"));
        SetCell(grdNoiseCalc_, kRowPout, col, FormatPicture(st.outputPower_dbm, "##0.00"));
        SetCell(grdNoiseCalc_, kRowSensNf, col, FormatPicture(st.nfSensitivity, "##0.00"));
        SetCell(grdNoiseCalc_, kRowSensGain, col, FormatPicture(st.gainSensitivity, "##0.00"));
        SetCell(grdNoiseCalc_, kRowSensIp3, col, FormatPicture(st.ip3Sensitivity, "##0.00"));
        const int cNf = SensitivityShade(st.nfSensitivity, k);
        const int cGain = SensitivityShade(st.gainSensitivity, k);
        const int cIp3 = SensitivityShade(st.ip3Sensitivity, k);
        SetCellColour(grdNoiseCalc_, kRowSensNf, col, QColor(cNf, cNf, 255));
        SetCellColour(grdNoiseCalc_, kRowSensGain, col, QColor(cGain, 255, cGain));
        SetCellColour(grdNoiseCalc_, kRowSensIp3, col, QColor(255, cIp3, cIp3));
    }

    const double left[] = {r.gain_db, r.nf_db, r.noiseTemp_k, r.snr_db, r.mds_dbm, r.sensitivity_dbm};
    for (int row = 0; row < 6; ++row)
        SetCell(grdAnalysis_, row, 1, FormatPicture(left[row], "###0.00"));
    SetCell(grdAnalysis_, 6, 1, FormatPicture(r.noiseFloor_dbmPerHz, "###.00"));
    const double right[] = {r.inputIp3_dbm,  r.outputIp3_dbm,        r.inputIm_dbm, r.inputImRelative_dbc,
                            r.outputIm_dbm, r.outputImRelative_dbc, r.sfdr_db};
    for (int row = 0; row < 7; ++row)
        SetCell(grdAnalysis_, row, 5, FormatPicture(right[row], "###0.00"));

    // The analysis temperature is tinted by how far it lies from room temperature.
    const int c = TemperatureShade(in.analysisTemp_degC, k);
    SetCellColour(grdInput_, 1, 1, in.analysisTemp_degC < 25.0 ? QColor(c, c, 255) : QColor(255, c, c));

    if (r.fault.raised) {
        ShowFault("Unexpected math error: " + QString::fromUtf8(FaultDescription(r.fault.number)));
        return;
    }
    ShowNormalStatus();
}

void NoiseCalcWindow::SetStages()
{
    if (!ValidateInput(txtNumberStages_, false))
        return;
    const int count = StageCountFrom(this, txtNumberStages_);
    if (count == 0)
        return;
    StageCount() = count;
    RebuildStageColumns(count);
}

void NoiseCalcWindow::ClearAll()
{
    const Answer answer = ShowMessageBox(this, "Erase data",
                                         "This action will erase all stage data and reset system standard "
                                         "conditions. Do you want to continue ?",
                                         MsgIcon::Question, Buttons::YesNo);
    if (answer != Answer::Yes)
        return;
    StageData empty;
    for (std::size_t i = 0; i < kStageInputs.size(); ++i)
        empty.cells[i] = kStageInputs[i].defaultText;
    for (int s = 1; s <= StageCount(); ++s) {
        empty.picture = grdNoiseCalc_->item(kRowPicture, kFirstStageColumn + s - 1)->data(Qt::UserRole).toString();
        WriteStage(s, empty);
    }
    ClearStageOutputs();
    FillInputGrid();
}

void NoiseCalcWindow::SetInterceptMode(InterceptMode mode)
{
    mode_ = mode;
    mnuOptInterceptPointInput_->setChecked(mode == InterceptMode::Input);
    mnuOptInterceptPointOutput_->setChecked(mode == InterceptMode::Output);
    SetCell(grdNoiseCalc_, kRowIp3, 0, mode == InterceptMode::Input ? "  Input IP3" : "  Output IP3");
    CalcCascade();
}

void NoiseCalcWindow::SetCalcOnEdit(bool onEdit)
{
    calcOnEdit_ = onEdit;
    mnuOptCalcOnEdit_->setChecked(onEdit);
    mnuOptCalcOnCommand_->setChecked(!onEdit);
}

void NoiseCalcWindow::ShowMaxStagesDialog()
{
    auto* dialog = new NoiseCalcPreferences(this);
    dialog->show();
}

void NoiseCalcWindow::ShowSensColor()
{
    // One chooser for the whole session: hidden between uses, it keeps its last selection.
    static QPointer<SensColorWindow> chooser;
    if (!chooser)
        chooser = new SensColorWindow(Host() ? Host()->MainWidget() : nullptr);
    QPointer<NoiseCalcWindow> self(this);
    chooser->SetRecalculate([self] {
        if (self)
            self->CalcCascade();
    });
    chooser->show();
    chooser->raise();
}

void NoiseCalcWindow::LoadExample(int number)
{
    const std::vector<Example> all = Examples();
    // Examples 1 to 3 and the generic one, menu item 6.
    const int slot = number == 6 ? 3 : number - 1;
    if (slot < 0 || slot >= int(all.size()))
        return;
    const Example& e = all[std::size_t(slot)];
    setWindowTitle(e.title);
    const int n = int(e.stages.size());
    StageCount() = n;
    txtNumberStages_->setText(QString::number(n));
    RebuildStageColumns(n);
    for (int s = 1; s <= n; ++s)
        WriteStage(s, e.stages[std::size_t(s - 1)]);
    ClearStageOutputs();
    ++writing_;
    for (int r = 0; r < 6; ++r) {
        grdInput_->item(r, 1)->setText(LocalNumber(e.system[r]));
        SetCellBackground(grdInput_->item(r, 1), kWhite);
    }
    --writing_;
    // The intercept mode menus recalculate, as choosing them does.
    SetInterceptMode(e.mode);
}

std::vector<NoiseCalcWindow::Example> NoiseCalcWindow::Examples()
{
    auto stage = [](const char* name, const char* picture, const char* nf, const char* gain, const char* ip3,
                    const char* nfTc, const char* gainTc) {
        StageData d;
        d.name = name;
        d.picture = picture;
        d.cells[0] = nf;
        d.cells[1] = gain;
        d.cells[2] = ip3;
        d.cells[3] = nfTc;
        d.cells[4] = gainTc;
        return d;
    };
    std::vector<Example> out;
    out.push_back({"NoiseCalc   Example:  10-Stage Dual Conversion Receiver Analysis at 85\u00B0 C",
                   {-60, 85, 1.5, 25, 5.92, 290},
                   InterceptMode::Output,
                   {stage("Input Loss", "loss", "0.5", "-0.5", "100", "0.002", "-0.002"),
                    stage("RF Filter", "bpf", "1.5", "-1.5", "100", "0.003", "-0.003"),
                    stage("LNA Stage 1", "amp", "1.2", "14", "22", "0.01", "-0.015"),
                    stage("LNA Stage 2", "amp", "2.5", "12", "30", "0.012", "-0.02"),
                    stage("1st Mixer", "mixer", "8", "-7", "15", "0.02", "-0.01"),
                    stage("1st IF Filter", "bpf", "3", "-3", "100", "0.005", "-0.005"),
                    stage("1st IF Amplifier", "amp", "4", "20", "28", "0.015", "-0.025"),
                    stage("2nd Mixer", "mixer", "10", "-8", "12", "0.02", "-0.01"),
                    stage("2nd IF Filter", "bpf", "4", "-4", "100", "0.005", "-0.005"),
                    stage("2nd IF Amp", "amp", "5", "30", "25", "0.02", "-0.03")}});
    out.push_back({"NoiseCalc   Example:  12.2 to 12.7 GHz LNA for Digital Satellite System",
                   {-95, 25, 27, 25, 8, 290},
                   InterceptMode::Output,
                   {stage("Feed Loss", "loss", "0.15", "-0.15", "100", "0.001", "-0.001"),
                    stage("VH-1227 HEMT", "amp", "0.65", "11", "18", "0.004", "-0.012"),
                    stage("VH-1227 HEMT", "amp", "0.8", "10", "20", "0.004", "-0.012"),
                    stage("VG-1230 GaAs", "amp", "1.6", "9", "24", "0.006", "-0.015"),
                    stage("Image Filter", "bpf", "1.2", "-1.2", "100", "0.002", "-0.002"),
                    stage("VM-1240 Mixer", "mixer", "7.5", "-6", "12", "0.015", "-0.01"),
                    stage("IF Amp", "amp", "3", "25", "25", "0.01", "-0.02")}});
    out.push_back({"NoiseCalc   Example:  1.9 GHz CDMA Handset Receiver",
                   {-104, 25, 1.23, 25, 0, 290},
                   InterceptMode::Input,
                   {stage("Duplexer", "bpf", "2.5", "-2.5", "100", "0.003", "-0.003"),
                    stage("VL-1900 LNA", "amp", "1.6", "15", "8", "0.008", "-0.02"),
                    stage("Image Filter", "bpf", "2.5", "-2.5", "100", "0.003", "-0.003"),
                    stage("VX-1900 Mixer", "mixer", "9", "8", "4", "0.02", "-0.015"),
                    stage("IF SAW Filter", "bpf", "10", "-10", "100", "0.01", "-0.01"),
                    stage("AGC Amp", "amp", "6", "30", "-10", "0.015", "-0.03")}});
    out.push_back({"NoiseCalc   Example:  generic",
                   {-70, 25, 1, 25, 10, 290},
                   InterceptMode::Output,
                   {stage("Preselector", "bpf", "2", "-2", "100", "0", "0"),
                    stage("LNA", "amp", "1.5", "18", "25", "0", "0"),
                    stage("Image Filter", "bpf", "2", "-2", "100", "0", "0"),
                    stage("Mixer", "mixer", "8", "-7", "15", "0", "0"),
                    stage("IF Filter", "bpf", "4", "-4", "100", "0", "0"),
                    stage("IF Amp", "amp", "4", "25", "30", "0", "0")}});
    return out;
}

// ---- frmNoiseCalcPreferences ------------------------------------------------------------------

NoiseCalcPreferences::NoiseCalcPreferences(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmNoiseCalcPreferences");
    setWindowTitle("NoiseCalc Preferences");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Current maximum number of stages:", this), 0, 0);
    auto* lblCurrentMaxStages = new QLabel(QString::number(NoiseCalcWindow::MaxStages()), this);
    lblCurrentMaxStages->setObjectName("lblCurrentMaxStages");
    grid->addWidget(lblCurrentMaxStages, 0, 1);
    grid->addWidget(new QLabel("New maximum number of stages:", this), 1, 0);
    txtNewMaxStages_ = new QLineEdit(this);
    txtNewMaxStages_->setObjectName("txtNewMaxStages");
    txtNewMaxStages_->setFixedWidth(70);
    grid->addWidget(txtNewMaxStages_, 1, 1);

    auto* accept = new QPushButton("OK", this);
    accept->setObjectName("Command2");
    accept->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cmdCancelMaxStages");
    connect(accept, &QPushButton::clicked, this, &NoiseCalcPreferences::Accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    adjustSize();
}

void NoiseCalcPreferences::Accept()
{
    if (txtNewMaxStages_->text().isEmpty()) {
        ShowMessageBox(this, "NoiseCalc", "Cancel or enter new number", MsgIcon::Information);
        return;
    }
    if (!CheckNumeric(txtNewMaxStages_))
        return;
    const int maximum = StageCountFrom(this, txtNewMaxStages_);
    if (maximum == 0)
        return;
    NoiseCalcWindow::MaxStages() = maximum;
    close();
}

} // namespace korvel::ui
