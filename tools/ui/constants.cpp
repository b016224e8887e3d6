#include "constants.h"

#include "core/units.h"
#include "tools/constants.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

} // namespace

ConstantsWindow::ConstantsWindow(QWidget* parent)
    : CalcFrame({"frmConstants", "Engineering Constants", 63, "Engineering Constants &Help"}, parent)
{
    QWidget* body = Body();
    auto* outer = new QHBoxLayout(body);
    outer->setContentsMargins(12, 10, 12, 4);
    outer->setSpacing(12);

    lstConstants_ = new QListWidget(body);
    lstConstants_->setObjectName("lstConstants");
    lstConstants_->setMinimumWidth(270);
    lstConstants_->setMinimumHeight(330);
    lstConstants_->setAlternatingRowColors(true);
    for (const EngineeringConstant& c : EngineeringConstants())
        lstConstants_->addItem(Text(c.name));
    outer->addWidget(lstConstants_);

    auto* right = new QVBoxLayout;
    auto* box = new QGroupBox("Constant", body);
    box->setObjectName("fraConstant");
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(8);
    lblConstantName_ = new QLabel(box);
    lblConstantName_->setObjectName("lblConstantName");
    QFont bold = lblConstantName_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    lblConstantName_->setFont(bold);
    lblSymbol_ = new QLabel(box);
    lblSymbol_->setObjectName("lblSymbol");
    lblSymbol_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblEqualSign_ = new QLabel("=", box);
    lblEqualSign_->setObjectName("lblEqualSign");
    txtConstant_ = new QLineEdit(box);
    txtConstant_->setObjectName("txtConstant");
    txtConstant_->setReadOnly(true);
    txtConstant_->setMinimumWidth(190);
    lblUnits_ = new QLabel(box);
    lblUnits_->setObjectName("lblUnits");
    lblUnits_->setMinimumWidth(130);
    lblConstantComments_ = new QLabel(box);
    lblConstantComments_->setObjectName("lblConstantComments");
    lblConstantComments_->setWordWrap(true);
    grid->addWidget(lblConstantName_, 0, 0, 1, 4);
    grid->addWidget(lblSymbol_, 1, 0);
    grid->addWidget(lblEqualSign_, 1, 1);
    grid->addWidget(txtConstant_, 1, 2);
    grid->addWidget(lblUnits_, 1, 3);
    grid->addWidget(lblConstantComments_, 2, 0, 1, 4);
    grid->setColumnStretch(2, 1);
    right->addWidget(box);

    auto* copy = new QPushButton("&Copy to Clipboard", body);
    copy->setObjectName("Command1");
    copy->setToolTip("Copies the value to the clipboard");
    copy->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addWidget(copy);
    row->addStretch(1);
    right->addLayout(row);
    right->addStretch(1);
    outer->addLayout(right, 1);

    connect(copy, &QPushButton::clicked, this, &ConstantsWindow::CopyValue);
    connect(lstConstants_, &QListWidget::currentRowChanged, this, &ConstantsWindow::ShowRow);
    QMenu* edit = AddMenu("&Edit", "mnuEdit");
    AddItem(edit, "&Copy value", "mnuEditCopy", &ConstantsWindow::CopyValue);

    // The window opens on the first constant.
    lstConstants_->setCurrentRow(0);
    lstConstants_->setFocus();
}

void ConstantsWindow::ShowRow(int row)
{
    const auto table = EngineeringConstants();
    if (row < 0 || row >= int(table.size()))
        return;
    const EngineeringConstant& c = table[std::size_t(row)];
    lblConstantName_->setText(Text(c.name));
    txtConstant_->setText(QString::fromStdString(NumberText(c.value)));
    lblUnits_->setText(Text(c.unit));
    lblConstantComments_->setText(Text(c.comment));
    lblSymbol_->setText(Text(c.symbol));
    lblEqualSign_->setVisible(!c.symbol.empty());
}

void ConstantsWindow::CopyValue()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(txtConstant_->text());
}

QString ConstantsWindow::ClipboardText() const { return QGuiApplication::clipboard()->text(); }

} // namespace korvel::ui
