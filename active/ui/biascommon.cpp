#include "biascommon.h"

#include "active/componentvalue.h"
#include "core/settings.h"
#include "core/units.h"
#include "shell/calcframe.h"
#include "shell/formwidgets.h"
#include "shell/statusbar.h"
#include "shell/services.h"
#include "shell/uihooks.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QTableWidget>

namespace korvel::ui {
namespace {

constexpr int kCautionPanel = 0;
constexpr int kWarningPanel = 1;
constexpr int kErrorPanel = 2;

bool IsHeading(const QTableWidget* grid, int row, int col)
{
    return row < grid->property("fixedRows").toInt() || col < grid->property("fixedCols").toInt();
}

QTableWidgetItem* ItemAt(QTableWidget* grid, int row, int col)
{
    QTableWidgetItem* item = grid->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled);
        const bool heading = IsHeading(grid, row, col);
        SetCellBackground(item, heading ? kGridHeading : kGridCell);
        item->setTextAlignment(heading ? Qt::Alignment(Qt::AlignCenter) : Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        grid->setItem(row, col, item);
    }
    return item;
}

} // namespace

QTableWidget* MakeBiasGrid(QWidget* parent, const QString& name, int rows, int cols, int fixedRows, int fixedCols)
{
    auto* grid = new QTableWidget(rows, cols, parent);
    grid->setObjectName(name);
    grid->setProperty("fixedRows", fixedRows);
    grid->setProperty("fixedCols", fixedCols);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setWordWrap(false);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            ItemAt(grid, r, c);
    return grid;
}

void SetGridText(QTableWidget* grid, int row, int col, const QString& text) { ItemAt(grid, row, col)->setText(text); }

void SetGridColour(QTableWidget* grid, int row, int col, const QColor& colour)
{
    SetCellBackground(ItemAt(grid, row, col), colour);
}

void ClearGridValues(QTableWidget* grid)
{
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (!IsHeading(grid, r, c))
                ItemAt(grid, r, c)->setText(QString());
}

void FitGridToContents(QTableWidget* grid)
{
    grid->resizeColumnsToContents();
    grid->resizeRowsToContents();
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, grid->columnWidth(c) + 12);
    int width = 2 * grid->frameWidth();
    for (int c = 0; c < grid->columnCount(); ++c)
        width += grid->columnWidth(c);
    int height = 2 * grid->frameWidth();
    for (int r = 0; r < grid->rowCount(); ++r)
        height += grid->rowHeight(r);
    grid->setFixedSize(width, height);
}

namespace {

// The value as the preferences keep it: the standard value of the tolerance series, or the
// exact value in the window's own ideal form, which `showIdeal` writes (only when it is
// wanted: the engineering unit text of an extreme value has a message of its own). Returns the
// kept value in base units.
template <typename ShowIdeal>
double ShowKept(QLabel* value, QLabel* unit, double exact, const char* baseUnit, ShowIdeal showIdeal)
{
    const SharedSettings& s = Settings();
    const ComponentValue c = KeepComponent(exact, baseUnit, s.useStandardValues, s.componentTolerance);
    if (c.standard) {
        value->setText(QString::fromStdString(c.mantissa));
        unit->setText(QString::fromStdString(c.unit));
    } else {
        showIdeal();
    }
    return c.kept;
}

} // namespace

double ShowComponent(QLabel* value, QLabel* unit, double exact, const char* baseUnit, const char* idealPicture,
                     const QString& idealUnit)
{
    return ShowKept(value, unit, exact, baseUnit, [&] {
        value->setText(FormatPicture(exact, idealPicture));
        unit->setText(idealUnit);
    });
}

void EnsureBiasPanels(CalcFrame* window)
{
    StatusBar* bar = window->Status();
    while (bar->PanelCount() < 3)
        bar->AddPanel();
}

void ShowBiasStatus(CalcFrame* window, const BiasStatus& status)
{
    EnsureBiasPanels(window);
    StatusBar* bar = window->Status();
    bar->ClearStatus();
    if (status.caution.isEmpty() && status.warning.isEmpty() && status.error.isEmpty()) {
        bar->SetPanel(kCautionPanel, "Normal", "grn");
        window->ShowWebLink(true);
        return;
    }
    window->ShowWebLink(false);
    if (!status.caution.isEmpty()) {
        bar->SetPanel(kCautionPanel, status.caution, "yel");
        PlayWave("ding.wav");
    }
    if (!status.warning.isEmpty()) {
        bar->SetPanel(kWarningPanel, status.warning, "orn");
        PlayWave("ding.wav");
    }
    if (!status.error.isEmpty()) {
        bar->SetPanel(kErrorPanel, status.error, "red");
        PlayWave("laser.wav");
    }
}

QLineEdit* MakeBiasInput(QWidget* parent, const QString& name, const QString& text, const QString& tip, int width)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setFixedWidth(width);
    return box;
}

QLabel* MakeBiasResult(QWidget* parent, const QString& name, int width)
{
    QLabel* label = MakeResult(parent, name);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void ShowEngComponent(QLabel* value, QLabel* unit, double exact, const char* baseUnit, const char* picture)
{
    ShowKept(value, unit, exact, baseUnit, [&] {
        value->setText(FormatPicture(EngMantissa(exact, baseUnit, false), picture));
        unit->setText(QString::fromStdString(EngUnitText(exact, baseUnit, false)));
    });
}

namespace {

// A scrolling area that asks for the whole form (a plain scroll area asks for a fixed part
// of the screen at most), so that the calculator opens whole and the main window grows to fit
// it; only where the screen is too small for that does the main window take the room back
// and the form scroll.
class FormScroller : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        if (!widget())
            return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame, frame);
    }
};

} // namespace

QWidget* MakeScrollingBody(QWidget* body)
{
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new FormScroller(body);
    scroll->setObjectName("scrForm");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* form = new QWidget(scroll);
    form->setObjectName("form");
    scroll->setWidget(form);
    layout->addWidget(scroll);
    return form;
}

} // namespace korvel::ui
