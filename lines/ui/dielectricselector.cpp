#include "dielectricselector.h"

#include "shell/formwidgets.h"
#include "shell/services.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace korvel::ui {
namespace {

const QString kCustomShown = "-> Enter custom Er value";
const QString kStartShown = "  Free Space";

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DielectricSelector::DielectricSelector(DielectricTable table, QLineEdit* erBox, QWidget* parent)
    : UnitSelector(parent), table_(table), erBox_(erBox)
{
    setObjectName("cbofpDielectric");
    QStringList headers;
    QList<int> widths;
    for (const DielectricColumn& c : DielectricColumns(table)) {
        headers << FromView(c.header);
        widths << c.widthChars;
    }
    QFont listFont("Arial");
    view()->setFont(listFont);
    SetColumns(headers, widths);
    const auto rows = DielectricRows(table);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DielectricRow& r = rows[i];
        // The padding of the stored names only aligned a single-column list; columns align here.
        const QString name = FromView(r.name).trimmed();
        if (!r.er) {
            AddRow({name});
            continue;
        }
        QStringList cells{name, LocalNumber(QString::fromStdString(ErText(*r.er)))};
        if (table == DielectricTable::Substrate)
            cells << FromView(r.supplier);
        AddRow(cells);
    }
    // No row is selected at load; the box shows free space and Er stays locked.
    // The shown text without a selected row reads like any entry, not like a greyed hint.
    QPalette pal = palette();
    pal.setColor(QPalette::PlaceholderText, pal.color(QPalette::ButtonText));
    setPalette(pal);
    setPlaceholderText(kStartShown);
    setCurrentIndex(-1);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(22);
    filling_ = false;
}

void DielectricSelector::OpenFromMenu()
{
    fromMenu_ = true;
    UnitSelector::OpenFromMenu();
}

void DielectricSelector::TakeMaterial(int row)
{
    chosenEr_ = CellText(row, 1);
    if (erBox_) {
        erBox_->setText(chosenEr_);
        erBox_->setEnabled(false);
    }
}

void DielectricSelector::EnterCustom()
{
    chosenEr_.clear();
    setPlaceholderText(kCustomShown);
    if (erBox_) {
        erBox_->setEnabled(true);
        erBox_->clear();
        SetFieldBackground(erBox_, kFieldMarked);
        erBox_->setFocus(Qt::OtherFocusReason);
    }
}

void DielectricSelector::OnRowChanged(int row)
{
    UnitSelector::OnRowChanged(row);
    if (filling_)
        return;
    if (fromMenu_) {
        // Opened from the menu, moving through the list only previews the material's Er.
        if (row >= 1 && erBox_)
            erBox_->setText(CellText(row, 1));
        return;
    }
    if (row >= 1)
        TakeMaterial(row);
    else
        EnterCustom();
}

void DielectricSelector::OnEnter()
{
    if (currentIndex() < 0) {
        setCurrentIndex(0);
        return;
    }
    if (currentIndex() >= 1)
        TakeMaterial(currentIndex());
}

void DielectricSelector::OnListClosed()
{
    const int row = currentIndex();
    if (fromMenu_) {
        fromMenu_ = false;
        if (row >= 1) {
            UnitSelector::OnListClosed();
        } else {
            EnterCustom();
        }
        return;
    }
    if (row == 0)
        return;   // the focus stays in the Er box for the user's value
    UnitSelector::OnListClosed();
}

} // namespace korvel::ui
