#include "formwidgets.h"

#include "services.h"

#include "core/settings.h"
#include "core/units.h"

#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>

namespace korvel::ui {

QString FormatPicture(double value, const char* picture)
{
    return QString::fromStdString(FormatValue(value, picture));
}

QString LocalNumber(const QString& dotted)
{
    const std::string& separator = Settings().decimalSeparator;
    if (separator.empty() || separator == ".")
        return dotted;
    static const QRegularExpression plainNumber(R"(^\s*[-+]?[0-9]*\.[0-9]*([eE][-+]?[0-9]+)?\s*$)");
    if (!plainNumber.match(dotted).hasMatch())
        return dotted;
    QString text = dotted;
    return text.replace('.', QString::fromStdString(separator));
}

QString LocalNumber(double value) { return QString::fromStdString(NumberText(value)); }

QLineEdit* MakeInput(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* box = new QLineEdit(LocalNumber(text), parent);
    box->setObjectName(name);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    SetFieldBackground(box, kFieldNormal);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLabel* MakeCaption(QWidget* parent, const QString& text, const QString& name)
{
    QLabel* label = MakeLabel(parent, text, name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* MakeColumnHeading(QWidget* parent, const QString& text)
{
    QLabel* label = MakeLabel(parent, text);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* MakeHeading(QWidget* parent, const QString& text, const QString& name)
{
    QLabel* label = MakeLabel(parent, text, name);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* MakeTitle(QWidget* parent, const QString& text)
{
    QLabel* label = MakeHeading(parent, text, "lblTitle");
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() + 3);
    label->setFont(f);
    return label;
}

QPushButton* MakeCalculateButton(QWidget* parent, const QString& caption, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName("cmdCalculate");
    if (!tip.isEmpty())
        button->setToolTip(tip);
    button->setDefault(true);
    return button;
}

QLabel* MakeResult(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    label->setMinimumHeight(QLineEdit().sizeHint().height());
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace korvel::ui
