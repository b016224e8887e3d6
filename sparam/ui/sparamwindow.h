// The S-parameter window: up to three Touchstone data sets, a frequency grid, a tree of
// parameters whose nodes depend on the display type, and six displays (the file as text, a
// table, rectangular, Smith and polar charts, and Smith-chart circles at one frequency).
#pragma once

#include "sparamnodes.h"

#include "shell/calcframe.h"
#include "sparam/interpolation.h"
#include "sparam/touchstone.h"

#include <QStringList>

#include <array>
#include <functional>
#include <set>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace korvel::ui {

class SmithChart;

// The help topics the window opens.
inline constexpr int kSparamHelpTopic = 90;
inline constexpr int kParameterDefinitionsTopic = 91;
inline constexpr int kStabilityTopic = 92;
inline constexpr int kFileFormatTopic = 93;
inline constexpr int kDesigningTopic = 94;

class SparamWindow : public CalcFrame {
    Q_OBJECT
public:
    explicit SparamWindow(QWidget* parent = nullptr);

    const DataSetSlots& DataSets() const { return slots_; }
    DisplayType CurrentDisplay() const;
    bool IsFullScreen() const;
    // A data set (1..3) as drive mode reads it back: the JSON fields after its number, empty
    // for a slot that does not exist.
    Q_INVOKABLE QString DriveDataSetJson(int slot) const;

public slots:
    // cmdCalc: the checks, then the chosen display.
    void Calculate() override;
    // Loads a file into a slot (1..3), as the open tools do once a file is chosen. A relative
    // path is looked for in the working folder, then beside the program.
    void LoadFile(int slot, const QString& path);
    // The example entries, 1..6.
    void LoadExample(int number);
    // The active chart as an image, or the table as tab-separated text, on the clipboard.
    void CopyDisplay();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildToolbar();
    void BuildControls();
    void OpenFileDialog(int slot);
    void RefreshDataSetControls();
    void RebuildTree();
    void TreeClicked(QTreeWidgetItem* item);
    void SetGridMode(int mode);
    void DisplayTypeChosen(int type);
    std::vector<int> CheckedSets() const;
    std::vector<const ParamNode*> ChosenNodes() const;
    bool RunChecks();
    bool ReadGrid(std::vector<float>& grid, float& single);
    // The work of Calculate, LoadFile and LoadExample, which run it guarded.
    void CalculateNow();
    void LoadFileNow(int slot, const QString& path);
    void LoadExampleNow(int number);
    // Runs a handler's work so that no exception leaves it: running out of memory empties the
    // displays, which may be half drawn, and says so.
    void Guarded(const std::function<void()>& work);
    // Empties every display, so that none shows a data set that is no longer loaded.
    void ClearDisplay();
    void ShowText();
    void ShowTabular(const std::vector<GridSet>& sets, const std::vector<int>& numbers);
    void ShowRectangular(const std::vector<GridSet>& sets, const std::vector<int>& numbers);
    void ShowPolar(const std::vector<GridSet>& sets, const std::vector<int>& numbers);
    void ShowSmith(const std::vector<GridSet>& sets, const std::vector<int>& numbers);
    void ShowSmithCircles(const std::vector<GridSet>& sets, const std::vector<int>& numbers);
    void ApplyChartOptions();
    void ToggleFullScreen();
    void UndoZoom();
    void ShowExampleText(const QString& title, const QString& text);
    double LineWidth() const;

    DataSetSlots slots_;
    QString lastFolder_;
    std::array<std::set<std::string>, kDisplayTypes> chosen_;
    int textSlot_ = 0;
    std::array<bool, 3> shown_{};   // the slots the current display was drawn from
    bool fullScreen_ = false;
    bool inExample_ = false;

    QToolBar* toolbar_ = nullptr;
    std::array<QCheckBox*, 3> chkDataSets_{};
    QTreeWidget* tree_ = nullptr;
    std::array<QRadioButton*, kDisplayTypes> optDisplay_{};
    std::array<QRadioButton*, 3> optFreq_{};
    QLineEdit* txtStart_ = nullptr;
    QLineEdit* txtStop_ = nullptr;
    QLineEdit* txtStep_ = nullptr;
    QLabel* lblStart_ = nullptr;
    QLabel* lblStop_ = nullptr;
    QLabel* lblStep_ = nullptr;
    QLineEdit* numberGain_ = nullptr;
    QLineEdit* gainSpacing_ = nullptr;
    QLineEdit* numberNoise_ = nullptr;
    QLineEdit* noiseSpacing_ = nullptr;
    QWidget* controls_ = nullptr;
    QLabel* lblExampleTitle_ = nullptr;
    QLabel* lblExampleText_ = nullptr;
    QLabel* lblCursor_ = nullptr;
    QStackedWidget* displays_ = nullptr;
    QPlainTextEdit* rtbFileViewer_ = nullptr;
    QTableWidget* grdTabular_ = nullptr;
    QChartView* peRectPlot_ = nullptr;
    QChartView* pePolar_ = nullptr;
    SmithChart* peSmith_ = nullptr;
    SmithChart* peSmithCircles_ = nullptr;

    QAction* lightLine_ = nullptr;
    QAction* mediumLine_ = nullptr;
    QAction* heavyLine_ = nullptr;
    QAction* points_ = nullptr;
    QAction* line_ = nullptr;
    QAction* linePoints_ = nullptr;
    QAction* linearFreq_ = nullptr;
    QAction* logFreq_ = nullptr;
    QAction* labelFreq_ = nullptr;
    QAction* noLabels_ = nullptr;
    QAction* white_ = nullptr;
    QAction* black_ = nullptr;
};

} // namespace korvel::ui
