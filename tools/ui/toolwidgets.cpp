#include "toolwidgets.h"

#include "shell/services.h"

#include <QLabel>
#include <QLineEdit>

namespace korvel::ui {

QLineEdit* MakeToolInput(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    if (!tip.isEmpty())
        box->setToolTip(tip);
    box->setMinimumWidth(100);
    box->setAlignment(Qt::AlignRight);
    SetFieldBackground(box, kFieldNormal);
    return box;
}

QLabel* MakeToolCaption(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* MakeToolResult(QWidget* parent, const QString& name, int minimumWidth)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    label->setPalette(pal);
    label->setMinimumWidth(minimumWidth);
    label->setMinimumHeight(QLineEdit().sizeHint().height());
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace korvel::ui
