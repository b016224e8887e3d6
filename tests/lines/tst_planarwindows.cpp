// The microstrip, stripline and coplanar-waveguide windows as widgets: what drive scripts
// cannot see (tooltips, the captions shown, where the focus goes after a refused
// ratio, the menus, the help topic) and the names every control must carry.
#include "lines/ui/planarwindow.h"
#include "shell/services.h"
#include "shell/uihooks.h"
#include "shell/unitselector.h"

#include "core/settings.h"

#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

using namespace korvel;
using namespace korvel::ui;

namespace {

const PlanarWindowDescription& DescriptionOf(const QString& window)
{
    if (window == "frmMicrostrip")
        return MicrostripDescription();
    if (window == "frmStripline")
        return StriplineDescription();
    return CpwDescription();
}

// A stand-in for the formulas that returns chosen values, so that the window's number formats
// can be tried exactly on their limits.
PlanarOutcome g_forced;
PlanarOutcome Forced(const PlanarReading&, const PlanarKept&) { return g_forced; }

} // namespace

class TestPlanarWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void names_data();
    void names();
    void absentControls_data();
    void absentControls();
    void tooltips_data();
    void tooltips();
    void captions_data();
    void captions();
    void menus_data();
    void menus();
    void focusAfterRatioFailure_data();
    void focusAfterRatioFailure();
    void typingResets_data();
    void typingResets();
    void f3Synthesizes_data();
    void f3Synthesizes();
    void groundPlaneChoiceDecidesModel();
    void formats_data();
    void formats();

private:
    void Open(const QString& window);
    template <typename T = QWidget>
    T* Child(const QString& name)
    {
        auto* w = window_->findChild<T*>(name);
        if (!w)
            qWarning("no control %s", qPrintable(name));
        return w;
    }

    std::unique_ptr<PlanarLineWindow> window_;
    QStringList messages_;
    QStringList sounds_;
};

void TestPlanarWindows::initTestCase()
{
    Hooks hooks;
    hooks.message = [this](const QString& title, const QString& text, MsgIcon, Buttons) {
        messages_ << title + "|" + text;
        return Answer::Ok;
    };
    hooks.sound = [this](const QString& file) { sounds_ << file; };
    hooks.open = [](const QString&) { return true; };
    SetHooks(std::move(hooks));
}

void TestPlanarWindows::init()
{
    ResetSettings();
    messages_.clear();
    sounds_.clear();
}

void TestPlanarWindows::cleanup() { window_.reset(); }

void TestPlanarWindows::Open(const QString& window)
{
    window_ = std::make_unique<PlanarLineWindow>(DescriptionOf(window));
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void TestPlanarWindows::names_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    const QStringList common{"txtWidth", "txtHeight", "txtThickness", "txtLength", "txtFreq", "txtEr",
                             "cbofpFreqUnits", "cbofpLengthUnits", "cbofpAngleUnits", "cbofpDielectric", "lblZ0",
                             "lblKeff", "lblPropVel", "lblWavelength", "lblWavelengthUnits", "lblFractLambda",
                             "lblElectLength", "cmdCalculate", "cmdReturnMainMenu", "sbrInfo", "lblWeb", "picWeb",
                             "txtLossTan", "lblLossTan", "lblLoss", "lblLossEqual", "lblLossUnits", "mnuCalculateZo",
                             "mnuSelectDielectric", "mnuSelectFreqUnits", "mnuSelectLengthUnits",
                             "mnuSelectAngleUnits", "menFileReturn", "menFileExitProgram", "mnuOptionsWindow",
                             "mnuCustomizePreferences", "menHelpAbout", "txtTargetZ0", "cmdSynthesize",
                             "mnuSynthesizeWidth"};
    for (const char* window : {"frmMicrostrip", "frmStripline", "frmCPW"})
        for (const QString& name : common)
            QTest::addRow("%s %s", window, qPrintable(name)) << QString(window) << name;
    QTest::newRow("microstrip W/H") << "frmMicrostrip" << "lblWHratio";
    QTest::newRow("stripline W/H") << "frmStripline" << "lblWHratio";
    QTest::newRow("cpw gap") << "frmCPW" << "txtGap";
    QTest::newRow("cpw shape factor") << "frmCPW" << "lblKe";
    QTest::newRow("cpw frame") << "frmCPW" << "fraGroundplane";
    QTest::newRow("cpw picture") << "frmCPW" << "imgCpwGnd";
    QTest::newRow("cpw solved dimension") << "frmCPW" << "fraSynthesize";
}

void TestPlanarWindows::names()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    Open(window);
    QCOMPARE(window_->objectName(), window);
    QVERIFY2(window_->findChild<QObject*>(name), qPrintable(name));
    // One control per name, or drive mode would reach the wrong one.
    QCOMPARE(window_->findChildren<QObject*>(name).size(), qsizetype(1));
}

// Controls a window does not show: the CPW has no W/H, the other two no shape factor or gap.
void TestPlanarWindows::absentControls_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::newRow("cpw W/H") << "frmCPW" << "lblWHratio";
    QTest::newRow("microstrip shape factor") << "frmMicrostrip" << "lblKe";
    QTest::newRow("stripline shape factor") << "frmStripline" << "lblKe";
    QTest::newRow("microstrip gap") << "frmMicrostrip" << "txtGap";
    QTest::newRow("stripline ground choice") << "frmStripline" << "optGroundplane";
}

void TestPlanarWindows::absentControls()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    Open(window);
    auto* w = window_->findChild<QWidget*>(name);
    QVERIFY(!w || !w->isVisible());
}

void TestPlanarWindows::tooltips_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    const QString width = "Enter line width in user-selected Length units";
    const QString height = "Enter substrate height in user-selected Length units";
    const QString calc = "Calculate Z0 from physical parameters";
    QTest::newRow("ms width") << "frmMicrostrip" << "txtWidth" << width;
    QTest::newRow("ms height") << "frmMicrostrip" << "txtHeight" << height;
    QTest::newRow("ms thickness") << "frmMicrostrip" << "txtThickness" << "Enter thickness of microstrip";
    QTest::newRow("ms length") << "frmMicrostrip" << "txtLength"
                               << "Enter physical length of line in user-selected Length units";
    QTest::newRow("ms calculate") << "frmMicrostrip" << "cmdCalculate" << calc;
    QTest::newRow("sl width") << "frmStripline" << "txtWidth" << width;
    QTest::newRow("sl height") << "frmStripline" << "txtHeight" << height;
    QTest::newRow("sl thickness") << "frmStripline" << "txtThickness" << "Enter thickness of strip";
    QTest::newRow("sl length") << "frmStripline" << "txtLength"
                               << "Enter physical length of line in user-selected Length units";
    QTest::newRow("sl calculate") << "frmStripline" << "cmdCalculate" << calc;
    QTest::newRow("cpw gap") << "frmCPW" << "txtGap" << "Enter spacing between center line and grounds";
    QTest::newRow("cpw width") << "frmCPW" << "txtWidth" << width;
    QTest::newRow("cpw thickness") << "frmCPW" << "txtThickness" << "Enter conductor thickness";
    QTest::newRow("cpw height") << "frmCPW" << "txtHeight" << height;
    QTest::newRow("cpw length") << "frmCPW" << "txtLength"
                                << "Enter physical length of line in user-selected Length Units";
    QTest::newRow("cpw calculate") << "frmCPW" << "cmdCalculate" << calc;
}

void TestPlanarWindows::tooltips()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QString, tip);
    Open(window);
    QWidget* w = Child(name);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tip);
}

void TestPlanarWindows::captions_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("text");
    for (const char* window : {"frmMicrostrip", "frmStripline", "frmCPW"})
        for (const char* t : {"Frequency:", "Length Units:", "Dielectric:", "Z0 =", "Vp =", "fraction of c",
                              "1.0 Wavelength =", "Elect Length =", "Width (W) =", "Thickness (T) =", "Er =",
                              "Target Z0 ="})
            QTest::addRow("%s %s", window, t) << QString(window) << QString(t);
    QTest::newRow("ms W/H") << "frmMicrostrip" << "W/H =";
    QTest::newRow("sl W/H") << "frmStripline" << "W/H =";
    QTest::newRow("cpw shape") << "frmCPW" << "Shape factor =";
    QTest::newRow("cpw gap") << "frmCPW" << "Gap (G) =";
}

void TestPlanarWindows::captions()
{
    QFETCH(QString, window);
    QFETCH(QString, text);
    Open(window);
    bool shown = false;
    for (QLabel* label : window_->findChildren<QLabel*>())
        shown = shown || (label->text() == text && label->isVisible());
    QVERIFY2(shown, qPrintable(text));
}

void TestPlanarWindows::menus_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("help");
    QTest::addColumn<int>("topic");
    QTest::newRow("microstrip") << "frmMicrostrip" << "Microstrip &Help" << 2;
    QTest::newRow("stripline") << "frmStripline" << "Stripline &Help" << 11;
    QTest::newRow("cpw") << "frmCPW" << "Coplanar Waveguide &Help" << 7;
}

void TestPlanarWindows::menus()
{
    QFETCH(QString, window);
    QFETCH(QString, help);
    QFETCH(int, topic);
    Open(window);
    QCOMPARE(window_->HelpTopic(), topic);
    QStringList titles;
    for (QAction* a : window_->Menus()->actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Calculate", "&Select Parameters", "&Options", "&Help"}));
    QStringList items;
    for (QAction* a : window_->HelpMenu()->actions())
        if (!a->isSeparator())
            items << a->text();
    QCOMPARE(items.first(), help);
    QCOMPARE(items.last(), QString("&About Korvel"));
    QStringList calc;
    QMenu* calcMenu = Child<QMenu>("mnuCalculate");
    QVERIFY(calcMenu);
    for (QAction* a : calcMenu->actions())
        if (!a->isSeparator())
            calc << a->text();
    QCOMPARE(calc, QStringList({"Calculate &ZO", "Synthesize &Width", "&Table of Z0 vs. Width", "&Plot Z0 vs. Width"}));
    // The table and plot items carry no action: nothing is computed or shown.
    for (const char* inert : {"mnuTableZ0", "mnuPlotZ0"}) {
        QAction* a = Child<QAction>(inert);
        QVERIFY(a);
        a->trigger();
    }
    QVERIFY(Child<QLabel>("lblZ0")->text().isEmpty());
    QVERIFY(messages_.isEmpty());
}

void TestPlanarWindows::focusAfterRatioFailure_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("microstrip narrow") << "frmMicrostrip" << "txtWidth" << "0.005"
                                       << "Ratio of highlighted fields must be > 0.001" << "txtWidth"
                                       << QStringList{"txtWidth", "txtHeight"};
    // The height is the box typed, yet the width is the one handed back for correction.
    QTest::newRow("microstrip thin substrate") << "frmMicrostrip" << "txtHeight" << "0.01"
                                               << "Ratio of highlighted fields must be < 1000" << "txtWidth"
                                               << QStringList{"txtWidth", "txtHeight"};
    QTest::newRow("stripline wide") << "frmStripline" << "txtWidth" << "7001"
                                    << "Ratio of highlighted fields must be < 1000" << "txtWidth"
                                    << QStringList{"txtWidth", "txtHeight"};
    QTest::newRow("stripline thick") << "frmStripline" << "txtThickness" << "6.95"
                                     << "Ratio of highlighted fields must be < 0.99" << "txtThickness"
                                     << QStringList{"txtThickness", "txtHeight"};
}

void TestPlanarWindows::focusAfterRatioFailure()
{
    QFETCH(QString, window);
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QStringList, marked);
    Open(window);
    Child<QLineEdit>(box)->setText(text);
    Child<QPushButton>("cmdCalculate")->click();
    QCOMPARE(messages_, QStringList({"Oops... Invalid input.|" + message}));
    QCOMPARE(sounds_, QStringList({"ding.wav"}));
    QVERIFY(Child<QLabel>("lblZ0")->text().isEmpty());
    for (const QString& name : marked)
        QCOMPARE(Child<QLineEdit>(name)->palette().color(QPalette::Base), QColor(255, 255, 0));
    auto* target = Child<QLineEdit>(focus);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(target));
    QCOMPARE(target->selectedText(), target->text());
}

// Which boxes a keystroke sets back to white after every box was marked.
void TestPlanarWindows::typingResets_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("white");
    QTest::newRow("ms width") << "frmMicrostrip" << "txtWidth" << QStringList{"txtWidth", "txtHeight"};
    QTest::newRow("ms height") << "frmMicrostrip" << "txtHeight" << QStringList{"txtHeight", "txtWidth"};
    QTest::newRow("ms thickness") << "frmMicrostrip" << "txtThickness" << QStringList{"txtThickness"};
    QTest::newRow("ms length") << "frmMicrostrip" << "txtLength" << QStringList{"txtLength"};
    QTest::newRow("sl width") << "frmStripline" << "txtWidth" << QStringList{"txtWidth", "txtHeight"};
    QTest::newRow("sl thickness") << "frmStripline" << "txtThickness" << QStringList{"txtThickness", "txtHeight"};
    QTest::newRow("sl height") << "frmStripline" << "txtHeight" << QStringList{"txtHeight", "txtWidth"};
    QTest::newRow("cpw gap") << "frmCPW" << "txtGap" << QStringList{"txtGap"};
    QTest::newRow("cpw width") << "frmCPW" << "txtWidth" << QStringList{"txtWidth"};
    QTest::newRow("cpw height") << "frmCPW" << "txtHeight" << QStringList{"txtHeight"};
}

void TestPlanarWindows::typingResets()
{
    QFETCH(QString, window);
    QFETCH(QString, typed);
    QFETCH(QStringList, white);
    Open(window);
    const QStringList boxes{"txtWidth", "txtHeight", "txtThickness", "txtLength", "txtFreq"};
    QStringList all = boxes;
    if (window == "frmCPW")
        all << "txtGap";
    for (const QString& name : all)
        SetFieldBackground(Child<QLineEdit>(name), kFieldMarked);
    // A text no box holds by default, so that the change handler runs.
    Child<QLineEdit>(typed)->setText("0.5");
    for (const QString& name : all) {
        const QColor expected = white.contains(name) ? kFieldNormal : kFieldMarked;
        QVERIFY2(FieldBackground(Child<QLineEdit>(name)) == expected, qPrintable(name));
    }
}

void TestPlanarWindows::f3Synthesizes_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("solved");
    QTest::addColumn<QString>("z0");
    QTest::newRow("microstrip") << "frmMicrostrip" << "txtWidth" << "  50.00";
    QTest::newRow("stripline") << "frmStripline" << "txtWidth" << "  50.0";
    QTest::newRow("cpw width") << "frmCPW" << "txtWidth" << "  50.0";
    QTest::newRow("cpw gap") << "frmCPW" << "txtGap" << "  50.0";
}

// F3 writes the width (or gap) for the default target of 50 ohm and the analysis shows it.
void TestPlanarWindows::f3Synthesizes()
{
    QFETCH(QString, window);
    QFETCH(QString, solved);
    QFETCH(QString, z0);
    Open(window);
    if (solved == "txtGap")
        window_->findChildren<QRadioButton*>("optSynthesize").last()->setChecked(true);
    const QString typed = Child<QLineEdit>(solved)->text();
    QTest::keyClick(Child("txtWidth"), Qt::Key_F3);
    QVERIFY(Child<QLineEdit>(solved)->text() != typed);
    QCOMPARE(Child<QLabel>("lblZ0")->text(), z0);
    QVERIFY(messages_.isEmpty());
}

void TestPlanarWindows::groundPlaneChoiceDecidesModel()
{
    Open("frmCPW");
    QList<QRadioButton*> opts = window_->findChildren<QRadioButton*>("optGroundplane");
    QCOMPARE(opts.size(), qsizetype(2));
    std::sort(opts.begin(), opts.end(),
              [](QRadioButton* a, QRadioButton* b) { return a->property("index").toInt() < b->property("index").toInt(); });
    QCOMPARE(opts[0]->text(), QString("With Groundplane"));
    QCOMPARE(opts[1]->text(), QString("No Groundplane"));
    QVERIFY(opts[0]->isChecked());
    auto* z0 = Child<QLabel>("lblZ0");
    Child<QPushButton>("cmdCalculate")->click();
    const QString withGround = z0->text();
    opts[1]->setChecked(true);
    QVERIFY(!Child("imgCpwGnd")->isVisible());
    // Changing the choice never recalculates.
    QCOMPARE(z0->text(), withGround);
    Child<QPushButton>("cmdCalculate")->click();
    const QString open = z0->text();
    // The lower plane adds capacitance: the grounded line has the lower impedance.
    QVERIFY2(withGround.toDouble() < open.toDouble(), qPrintable(withGround + " vs " + open));
}

void TestPlanarWindows::formats_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eeff");
    QTest::addColumn<QString>("z0Text");
    QTest::addColumn<QString>("eeffText");
    // Up to 1000 ohm inclusive the window's own decimals; above, whole ohms and a point.
    QTest::newRow("ms 1000") << "frmMicrostrip" << 1000.0 << 3.3624 << "  1000.00" << "  3.362";
    QTest::newRow("ms above 1000") << "frmMicrostrip" << 1000.4 << 1.0 << "1000." << "  1.000";
    QTest::newRow("ms 1022.04") << "frmMicrostrip" << 1022.04 << 1.0 << "1022." << "  1.000";
    QTest::newRow("ms small") << "frmMicrostrip" << 0.456 << 12.0 << "  0.46" << "  12.000";
    QTest::newRow("sl 1000") << "frmStripline" << 1000.0 << 2.2 << "  1000.0" << "  2.20";
    QTest::newRow("sl above 1000") << "frmStripline" << 1234.6 << 2.2 << "1235." << "  2.20";
    QTest::newRow("sl fifty") << "frmStripline" << 49.96 << 4.6 << "  50.0" << "  4.60";
    QTest::newRow("cpw 1000") << "frmCPW" << 1000.0 << 1.004 << "  1000.0" << "  1.00";
    QTest::newRow("cpw above 1000") << "frmCPW" << 1000.5 << 9.8 << "1001." << "  9.80";
}

void TestPlanarWindows::formats()
{
    QFETCH(QString, window);
    QFETCH(double, z0);
    QFETCH(double, eeff);
    QFETCH(QString, z0Text);
    QFETCH(QString, eeffText);
    PlanarWindowDescription d = DescriptionOf(window);
    d.analyse = &Forced;
    g_forced = {};
    g_forced.z0_ohm = z0;
    g_forced.eeff = eeff;
    window_ = std::make_unique<PlanarLineWindow>(d);
    window_->show();
    Child<QPushButton>("cmdCalculate")->click();
    QCOMPARE(Child<QLabel>("lblZ0")->text(), z0Text);
    QCOMPARE(Child<QLabel>("lblKeff")->text(), eeffText);
}

QTEST_MAIN(TestPlanarWindows)
#include "tst_planarwindows.moc"
