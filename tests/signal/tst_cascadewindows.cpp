// The cascade and mixer spur windows as widgets: what drive scripts cannot see (control
// names, the stage symbols stepping on a double click, columns widening for long stage names,
// help topics).
#include "signal/ui/mixerspur.h"
#include "signal/ui/noisecalc.h"
#include "shell/uihooks.h"

#include "core/settings.h"

#include <QtTest>

#include <QLineEdit>
#include <QTableWidget>

#include <memory>

using namespace korvel;
using namespace korvel::ui;

class TestCascadeWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void names_data();
    void names();
    void stageSymbolSteps();
    void longNameWidensColumn_data();
    void longNameWidensColumn();
    void helpTopics();

private:
    QStringList messages_;
};

namespace {

std::unique_ptr<CalcFrame> Make(const QString& window)
{
    if (window == "frmNoiseCalc")
        return std::make_unique<NoiseCalcWindow>();
    return std::make_unique<MixerSpurWindow>();
}

} // namespace

void TestCascadeWindows::initTestCase()
{
    Hooks hooks;
    hooks.message = [this](const QString& title, const QString& text, MsgIcon, Buttons) {
        messages_ << title + "|" + text;
        return Answer::Yes;
    };
    hooks.sound = [](const QString&) {};
    hooks.open = [](const QString&) { return true; };
    SetHooks(std::move(hooks));
}

void TestCascadeWindows::init()
{
    ResetSettings();
    messages_.clear();
}

void TestCascadeWindows::names_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("cascade") << "frmNoiseCalc"
                             << QStringList{"grdInput", "grdNoiseCalc", "grdAnalysis", "txtNumberStages",
                                            "cmdSetStages", "cmdCalculate", "cmdClear", "mnuCalculateAnalyze",
                                            "mnuOptCalcOnEdit", "mnuOptCalcOnCommand", "mnuOptInterceptPointInput",
                                            "mnuOptInterceptPointOutput", "mnuOptMaxStages", "mnuOptSensColor",
                                            "mnuAppExample1", "mnuAppExample2", "mnuAppExample3", "mnuAppExample6",
                                            "mnuFilePrint", "sbrInfo", "lblWeb", "picWeb", "cmdReturnMainMenu"};
    QTest::newRow("spurs") << "frmMixerSpur"
                           << QStringList{"txtRFmin", "txtRFmax", "txtLOmin", "txtLOmax", "txtIFmin", "txtIFmax",
                                          "txtRFharmonicM", "txtLOharmonicN", "txtDecimalPlaces", "optScheme(0)",
                                          "optScheme(1)", "optScheme(2)", "optScheme(3)", "fraMixerScheme",
                                          "lblNumberOfSpurs", "fpListIF", "cmdCalculate", "mnuCalculateSpurs",
                                          "cbofpFreqUnits", "mnuSelectFreqUnits", "sbrInfo", "cmdReturnMainMenu"};
}

void TestCascadeWindows::names()
{
    QFETCH(QString, window);
    QFETCH(QStringList, controls);
    const std::unique_ptr<CalcFrame> w = Make(window);
    QCOMPARE(w->objectName(), window);
    for (const QString& name : controls)
        QVERIFY2(w->findChild<QObject*>(name), qPrintable(name));
}

void TestCascadeWindows::stageSymbolSteps()
{
    NoiseCalcWindow w;
    auto* grid = w.findChild<QTableWidget*>("grdNoiseCalc");
    QTableWidgetItem* picture = grid->item(1, 2);
    const QStringList pictures = NoiseCalcWindow::StagePictures();
    QCOMPARE(picture->data(Qt::UserRole).toString(), pictures.front());
    // A double click steps to the next symbol, round to the first again.
    for (qsizetype k = 1; k <= pictures.size(); ++k) {
        emit grid->cellDoubleClicked(1, 2);
        QCOMPARE(picture->data(Qt::UserRole).toString(), pictures.at(k % pictures.size()));
    }
    // Only the picture row of a stage column steps; the value rows and the label column do not.
    emit grid->cellDoubleClicked(3, 2);
    emit grid->cellDoubleClicked(1, 0);
    QCOMPARE(picture->data(Qt::UserRole).toString(), pictures.front());
    QCOMPARE(grid->item(1, 0)->data(Qt::UserRole), QVariant());
}

void TestCascadeWindows::longNameWidensColumn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("wider");
    QTest::newRow("short name keeps the width") << "LNA" << false;
    QTest::newRow("long name widens") << "Second Conversion Image Reject Filter" << true;
}

void TestCascadeWindows::longNameWidensColumn()
{
    QFETCH(QString, name);
    QFETCH(bool, wider);
    NoiseCalcWindow w;
    auto* grid = w.findChild<QTableWidget*>("grdNoiseCalc");
    const int before = grid->columnWidth(3);
    grid->item(2, 3)->setText(name);
    QCOMPARE(grid->columnWidth(3) > before, wider);
    QVERIFY(grid->columnWidth(3) > grid->fontMetrics().horizontalAdvance(name));
    // Rebuilding the columns for more stages keeps the widened column.
    auto* count = w.findChild<QLineEdit*>("txtNumberStages");
    count->setText("8");
    w.SetStages();
    QCOMPARE(grid->columnCount(), 10);
    QVERIFY(grid->columnWidth(3) > grid->fontMetrics().horizontalAdvance(name));
    QCOMPARE(grid->item(2, 3)->text(), name);
}

void TestCascadeWindows::helpTopics()
{
    QCOMPARE(NoiseCalcWindow().HelpTopic(), 52);
    QCOMPARE(MixerSpurWindow().HelpTopic(), 54);
}

QTEST_MAIN(TestCascadeWindows)
#include "tst_cascadewindows.moc"
