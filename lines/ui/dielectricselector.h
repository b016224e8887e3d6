// The dielectric list of the transmission-line windows. Picking a material copies its Er into
// the window's Er box and locks the box; the first entry unlocks it, empty and yellow, for a
// value of the user's own. Opened from the "&Dielectric" menu item, the list only previews
// each material's Er while the highlight moves and settles the state when it closes.
#pragma once

#include "lines/dielectrics.h"
#include "shell/unitselector.h"

#include <QPointer>

class QLineEdit;

namespace korvel::ui {

class DielectricSelector : public UnitSelector {
    Q_OBJECT
public:
    DielectricSelector(DielectricTable table, QLineEdit* erBox, QWidget* parent = nullptr);

    // The Er last taken from the list (text of the row's Er column); empty for custom.
    QString ChosenEr() const { return chosenEr_; }
    DielectricTable Table() const { return table_; }

    void OpenFromMenu() override;

protected:
    void OnRowChanged(int row) override;
    void OnEnter() override;
    void OnListClosed() override;

private:
    void TakeMaterial(int row);
    void EnterCustom();

    DielectricTable table_;
    QPointer<QLineEdit> erBox_;
    QString chosenEr_;
    bool fromMenu_ = false;
    bool filling_ = true;
};

} // namespace korvel::ui
