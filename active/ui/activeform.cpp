#include "activeform.h"

#include "core/settings.h"
#include "core/units.h"
#include "shell/services.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace korvel::ui::form {

QLineEdit* Input(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setMinimumWidth(90);
    box->setMaximumWidth(100);
    box->setMinimumHeight(box->sizeHint().height());
    SetFieldBackground(box, kFieldNormal);
    return box;
}

QLabel* Caption(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Captions share one width so that the boxes of neighbouring grids line up.
    label->setMinimumWidth(std::max(label->sizeHint().width(), 80));
    return label;
}

QLabel* Unit(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* Result(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    label->setPalette(pal);
    label->setMinimumWidth(90);
    label->setMaximumWidth(110);
    // As tall as an input box, so that inputs and results line up row by row.
    label->setMinimumHeight(QLineEdit().sizeHint().height());
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* Step(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

void AddRow(QGridLayout* grid, int row, QLabel* caption, QWidget* box, QLabel* unit)
{
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    if (unit)
        grid->addWidget(unit, row, 2);
}

QString Format(double value, const char* picture) { return QString::fromStdString(FormatValue(value, picture)); }

QString JunctionCaution()
{
    return "Caution: Tj > " + QString::fromStdString(NumberText(Settings().maxJunctionTempC))
           + QString::fromUtf8(" °C. ");
}

} // namespace korvel::ui::form
