// The five other coax-family windows as widgets, opened the way the catalogue opens them (by
// class name): what drive scripts cannot see (tooltips, the name of the synthesis procedure,
// the help topic) and the ratio caption each one shows.
#include "lines/ui/coaxwindow.h"
#include "lines/ui/register.h"
#include "shell/registry.h"
#include "shell/uihooks.h"

#include "core/settings.h"

#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <memory>

using namespace korvel;
using namespace korvel::ui;

namespace {

struct Expected {
    const char* window;
    const char* caption;
    int helpTopic;
    const char* helpCaption;
    const char* outerName;
    const char* outerTip;
    const char* innerTip;
    const char* lengthTip;
    const char* z0Tip;
    const char* synthName;
    const char* synthTip;
    const char* synthProcedure;   // the other family's procedure must not exist here
    const char* otherProcedure;
    const char* ratioCaption;
};

const char* const kCoaxZ0Tip = "Display Z0 or enter Z0 to calculate D2";
const char* const kWireZ0Tip = "Display Z0 or enter Z0 to calculate S";
const char* const kInnerTip = "Enter diameter of inner conductor in user-selected Length Units";
const char* const kLineLengthTip = "Enter physical length of line in user-selected Length Units";

const Expected kWindows[] = {
    {"frmSqrCoax", "Square Coax", 26, "Square Coax &Help", "txtOuterDimen",
     "Enter dimension of outer conductor in user-selected Length Units", kInnerTip,
     "Enter physical length of coax in user-selected Length Units", kCoaxZ0Tip, "cmdCalculateD2",
     "Calculates D2 from Z0 and D1", "CalcD2()", "CalcS()", "D1/D2 ="},
    {"frmSlabLine", "Slab Line", 67, "Slab Line &Help", "txtOuterDimen",
     "Enter distance between ground planes in user-selected Length Units", kInnerTip, kLineLengthTip, kCoaxZ0Tip,
     "cmdCalculateD2", "Calculates D2 from Z0 and D1", "CalcD2()", "CalcS()", "D1/D2 ="},
    {"frmTroughLine", "Trough Line", 66, "Trough Line &Help", "txtOuterDimen",
     "Enter width of trough in user-selected Length Units",
     "Enter diameter of center conductor in user-selected Length Units", kLineLengthTip, kCoaxZ0Tip,
     "cmdCalculateD2", "Calculates D2 from Z0 and D1", "CalcD2()", "CalcS()", "D1/D2 ="},
    {"frmParallelWires", "Parallel Wires", 13, "Parallel Wires &Help", "txtSpacing",
     "Enter spacing between wire centers in user-selected Length Units",
     "Enter diameter of wires in user-selected Length Units", kLineLengthTip, kWireZ0Tip, "cmdCalculateS",
     "Calculates S from Z0 and D", "CalcS()", "CalcD2()", "S/D ="},
    {"frmWireOverGround", "Wire Over Ground", 22, "Wire Over Ground &Help", "txtSpacing",
     "Enter height of wire over ground in user-selected Length Units",
     "Enter diameter of wire in user-selected Length Units",
     "Enter physical length of wire in user-selected Length Units", kWireZ0Tip, "cmdCalculateS",
     "Calculates S from Z0 and D", "CalcS()", "CalcD2()", "S/D ="},
};

} // namespace

class TestTemWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void identity_data() { Windows(); }
    void identity();
    void tooltips_data() { Windows(); }
    void tooltips();
    void names_data() { Windows(); }
    void names();
    void synthesisProcedure_data() { Windows(); }
    void synthesisProcedure();
    void ratioCaptionShown_data() { Windows(); }
    void ratioCaptionShown();

private:
    static void Windows();
    CalcFrame* Open(const Expected& row);

    std::unique_ptr<CalcFrame> window_;
    QStringList messages_;
};

void TestTemWindows::Windows()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kWindows)); ++i)
        QTest::newRow(kWindows[i].window) << i;
}

void TestTemWindows::initTestCase()
{
    Hooks hooks;
    hooks.message = [this](const QString& title, const QString& text, MsgIcon, Buttons) {
        messages_ << title + "|" + text;
        return Answer::Ok;
    };
    hooks.sound = [](const QString&) {};
    hooks.open = [](const QString&) { return true; };
    SetHooks(std::move(hooks));
    RegisterLineWindows();
}

void TestTemWindows::init()
{
    ResetSettings();
    messages_.clear();
}

void TestTemWindows::cleanup() { window_.reset(); }

CalcFrame* TestTemWindows::Open(const Expected& row)
{
    window_.reset(qobject_cast<CalcFrame*>(CreateWindow(row.window, nullptr)));
    if (window_) {
        window_->show();
        window_->activateWindow();
    }
    return window_.get();
}

void TestTemWindows::identity()
{
    QFETCH(int, row);
    const Expected& e = kWindows[row];
    CalcFrame* w = Open(e);
    QVERIFY2(w, e.window);
    QCOMPARE(w->objectName(), QString(e.window));
    QCOMPARE(w->windowTitle(), QString(e.caption));
    QCOMPARE(w->HelpTopic(), e.helpTopic);
    QAction* help = w->findChild<QAction*>("mnuHelpWindow");
    QVERIFY(help);
    QCOMPARE(help->text(), QString(e.helpCaption));
}

void TestTemWindows::tooltips()
{
    QFETCH(int, row);
    const Expected& e = kWindows[row];
    CalcFrame* w = Open(e);
    QVERIFY(w);
    const std::pair<const char*, const char*> tips[] = {
        {e.outerName, e.outerTip},
        {"txtInnerDiam", e.innerTip},
        {"txtLength", e.lengthTip},
        {"txtZ0", e.z0Tip},
        {"cmdCalculate", "Calculates Z0 from physical dimensions"},
        {e.synthName, e.synthTip},
    };
    for (const auto& [name, tip] : tips) {
        auto* control = w->findChild<QWidget*>(name);
        QVERIFY2(control, name);
        QCOMPARE(control->toolTip(), QString(tip));
    }
}

void TestTemWindows::names()
{
    QFETCH(int, row);
    const Expected& e = kWindows[row];
    CalcFrame* w = Open(e);
    QVERIFY(w);
    for (const char* name : {e.outerName, "txtInnerDiam", "txtLength", "txtFreq", "txtEr", "txtZ0",
                             "cbofpFreqUnits", "cbofpLengthUnits", "cbofpAngleUnits", "cbofpDielectric",
                             "lblD1D2Ratio", "lblPropVel", "lblWavelength", "lblWavelengthUnits", "lblFractLambda",
                             "lblElectLength", "cmdCalculate", e.synthName, "cmdReturnMainMenu", "sbrInfo",
                             "mnuCalculateZo", "mnuSelectDielectric"})
        QVERIFY2(w->findChildren<QObject*>(name).size() == 1, name);
    // The round coax's diameter box has no place here: its dimension box is named for what it holds.
    QVERIFY(!w->findChild<QObject*>("txtOuterDiam"));
}

void TestTemWindows::synthesisProcedure()
{
    QFETCH(int, row);
    const Expected& e = kWindows[row];
    CalcFrame* w = Open(e);
    QVERIFY(w);
    const QMetaObject* meta = w->metaObject();
    QVERIFY(meta->indexOfSlot(e.synthProcedure) >= 0);
    QCOMPARE(meta->indexOfSlot(e.otherProcedure), -1);
    // Called by its name, it synthesises: the solved box gets a three-decimal dimension.
    w->findChild<QLineEdit*>("txtZ0")->setText("120");
    const QByteArray procedure = QByteArray(e.synthProcedure).chopped(2);
    QVERIFY(QMetaObject::invokeMethod(w, procedure.constData()));
    QVERIFY(messages_.isEmpty());
    const bool wire = QByteArray(e.synthName) == "cmdCalculateS";
    const QString solved = w->findChild<QLineEdit*>(wire ? e.outerName : "txtInnerDiam")->text();
    QVERIFY2(solved.startsWith("  ") && solved.indexOf('.') == solved.size() - 4, qPrintable(solved));
    QCOMPARE(w->findChild<QLineEdit*>("txtZ0")->text(), QString("  120.0"));
}

void TestTemWindows::ratioCaptionShown()
{
    QFETCH(int, row);
    const Expected& e = kWindows[row];
    CalcFrame* w = Open(e);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    bool ratioShown = false;
    for (QLabel* label : w->findChildren<QLabel*>())
        ratioShown = ratioShown || (label->isVisible() && label->text() == e.ratioCaption);
    QVERIFY(ratioShown);
}

QTEST_MAIN(TestTemWindows)
#include "tst_temwindows.moc"
