// The cascaded noise figure and gain window: a chain of stages in a spreadsheet grid, the
// system conditions in a second grid and the system figures in a third. CalcCascade checks
// every cell, runs the cascade with its sensitivity analysis and shades the cells by effect.
#pragma once

#include "signal/cascade.h"
#include "shell/calcframe.h"

#include <QDialog>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace korvel::ui {

class NoiseCalcWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit NoiseCalcWindow(QWidget* parent = nullptr);

    void Calculate() override { CalcCascade(); }

    // Program-wide: the number of stages and the most the window allows without a warning.
    static int& StageCount();
    static int& MaxStages();

    // The picture files a stage can show (in the program folder's "stages" folder).
    static QStringList StagePictures();

public slots:
    // Checks every input cell, calculates, writes every output and the status.
    void CalcCascade();
    // Sets the number of stages from txtNumberStages and rebuilds the stage columns.
    void SetStages();
    // Asks, then erases all stage data and resets the system conditions.
    void ClearAll();
    void SetInterceptInput() { SetInterceptMode(InterceptMode::Input); }
    void SetInterceptOutput() { SetInterceptMode(InterceptMode::Output); }
    void LoadExample(int number);

private:
    struct StageData {
        QString name;
        QString picture;   // a name from StagePictures()
        QString cells[5];  // NF, gain, IP3, NF tempco, gain tempco as typed
    };
    struct Example {
        QString title;
        double system[6];
        InterceptMode mode;
        std::vector<StageData> stages;
    };
    static std::vector<Example> Examples();

    void BuildControls();
    void BuildMenus();
    void FillInputGrid();
    void RebuildStageColumns(int count);
    void WriteStage(int stage, const StageData& data);
    void ClearStageOutputs();
    void FitStageColumn(int column);
    void SetInterceptMode(InterceptMode mode);
    void SetCalcOnEdit(bool onEdit);
    void OnCellEdited(QTableWidget* grid, QTableWidgetItem* item);
    void CyclePicture(int row, int column);
    void ShowMaxStagesDialog();
    void ShowSensColor();
    // A failed cell check: sound, message, the cell marked and made current. Returns false.
    bool RefuseCell(QTableWidget* grid, int row, int column, const QString& message);
    // The value of an input cell, or nothing (after the refusal) when it fails its check.
    bool CheckCell(QTableWidget* grid, int row, int column, double minimum, double maximum,
                   const QString& rangeMessage, double& value);
    void SetCell(QTableWidget* grid, int row, int column, const QString& text);
    void SetCellColour(QTableWidget* grid, int row, int column, const QColor& colour);

    QTableWidget* grdInput_ = nullptr;
    QTableWidget* grdNoiseCalc_ = nullptr;
    QTableWidget* grdAnalysis_ = nullptr;
    QLineEdit* txtNumberStages_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QPushButton* cmdSetStages_ = nullptr;
    QPushButton* cmdClear_ = nullptr;
    QAction* mnuOptCalcOnEdit_ = nullptr;
    QAction* mnuOptCalcOnCommand_ = nullptr;
    QAction* mnuOptInterceptPointInput_ = nullptr;
    QAction* mnuOptInterceptPointOutput_ = nullptr;
    InterceptMode mode_ = InterceptMode::Output;
    bool calcOnEdit_ = true;
    // Set while the window itself writes cells, so that only the user's edits recalculate.
    int writing_ = 0;
};

// The dialog that changes the maximum number of stages.
class NoiseCalcPreferences : public QDialog {
    Q_OBJECT
public:
    explicit NoiseCalcPreferences(QWidget* parent = nullptr);

private:
    void Accept();
    QLineEdit* txtNewMaxStages_ = nullptr;
};

} // namespace korvel::ui
