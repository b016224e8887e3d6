#include "toolwidgets.h"

#include <QLabel>
#include <QLineEdit>

namespace korvel::ui {

QLineEdit* MakeToolInput(QWidget* parent, const QString& name, const QString& text, const QString& tip)
{
    QLineEdit* box = MakeInput(parent, name, text, tip);
    box->setMinimumWidth(100);
    box->setAlignment(Qt::AlignRight);
    return box;
}

QLabel* MakeToolResult(QWidget* parent, const QString& name, int minimumWidth)
{
    QLabel* label = MakeResult(parent, name);
    label->setMinimumWidth(minimumWidth);
    return label;
}

} // namespace korvel::ui
