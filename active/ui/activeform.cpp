#include "activeform.h"

#include "active/thermal.h"
#include "core/settings.h"
#include "core/units.h"
#include "shell/formwidgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace korvel::ui::form {

QLineEdit* Input(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setMinimumWidth(90);
    box->setMaximumWidth(100);
    return box;
}

QLabel* Caption(QWidget* parent, const QString& text, const QString& name)
{
    QLabel* label = MakeCaption(parent, text, name);
    // Captions share one width so that the boxes of neighbouring grids line up.
    label->setMinimumWidth(std::max(label->sizeHint().width(), 80));
    return label;
}

QLabel* Unit(QWidget* parent, const QString& text, const QString& name)
{
    QLabel* label = MakeLabel(parent, text, name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLabel* Result(QWidget* parent, const QString& name)
{
    QLabel* label = MakeResult(parent, name);
    label->setMinimumWidth(90);
    label->setMaximumWidth(110);
    return label;
}

QLabel* Step(QWidget* parent, const QString& text, const QString& name) { return MakeHeading(parent, text, name); }

void AddRow(QGridLayout* grid, int row, QLabel* caption, QWidget* box, QLabel* unit)
{
    grid->addWidget(caption, row, 0);
    grid->addWidget(box, row, 1);
    if (unit)
        grid->addWidget(unit, row, 2);
}

QString Format(double value, const char* picture) { return FormatPicture(value, picture); }

QString JunctionCaution()
{
    return QString::fromStdString(JunctionCautionText(NumberText(Settings().maxJunctionTempC)));
}

} // namespace korvel::ui::form
