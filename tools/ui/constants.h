// The engineering constants window: pick a constant from the list to see its value, unit,
// symbol and a comment, and copy the value to the clipboard.
#pragma once

#include "shell/calcframe.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace korvel::ui {

class ConstantsWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit ConstantsWindow(QWidget* parent = nullptr);

public slots:
    // Clears the clipboard and puts the shown value on it.
    void CopyValue();
    // What the clipboard holds now, for checking a copy.
    QString ClipboardText() const;

private:
    void ShowRow(int row);

    QListWidget* lstConstants_ = nullptr;
    QLineEdit* txtConstant_ = nullptr;
    QLabel* lblConstantName_ = nullptr;
    QLabel* lblUnits_ = nullptr;
    QLabel* lblConstantComments_ = nullptr;
    QLabel* lblSymbol_ = nullptr;
    QLabel* lblEqualSign_ = nullptr;
};

} // namespace korvel::ui
