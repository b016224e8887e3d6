// The reflection and intercept windows as widgets: what drive scripts cannot reach (leaving
// the Z0 box, which boxes take typing, help topics, control names).
#include "signal/ui/ip3window.h"
#include "signal/ui/reflectioncalc.h"
#include "shell/uihooks.h"

#include "core/settings.h"

#include <QtTest>

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>

using namespace korvel;
using namespace korvel::ui;

class TestSignalWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void names_data();
    void names();
    void z0CheckedOnLeaving();
    void z0RefusedOnLeaving();
    void ip3EditableBoxes_data();
    void ip3EditableBoxes();
    void helpTopics();

private:
    QStringList messages_;
    QStringList sounds_;
};

void TestSignalWindows::initTestCase()
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

void TestSignalWindows::init()
{
    ResetSettings();
    messages_.clear();
    sounds_.clear();
}

void TestSignalWindows::names_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("controls");
    QTest::newRow("reflection") << "frmReflectionCalc"
                                << QStringList{"txtGamma", "txtSWR", "txtRl", "txtLmm", "txtTmag", "txtTdB", "txtZload",
                                               "txtYload", "txtZ0", "txtPinc", "txtPrefl", "txtPtran",
                                               "cbofpPowerUnits", "lblPrUnits", "lblPtUnits", "mnuSelectPowerUnits",
                                               "sbrInfo", "lblWeb", "picWeb", "cmdReturnMainMenu"};
    QTest::newRow("intercept") << "frmIP3"
                               << QStringList{"txtGain", "txtIIP3", "txtOIP3", "txtPsig1In", "txtPsig1Out",
                                              "txtIM1in", "txtIM1out", "txtPsig2In", "txtPsig2Out", "txtIM2in",
                                              "txtIM2out", "optCalculate(0)", "optCalculate(1)", "optCalculate(2)",
                                              "optIP3ref(0)", "optIP3ref(1)", "optSignalRef(0)", "optSignalRef(1)",
                                              "optIMRef(0)", "optIMRef(1)", "optGraphRef(0)", "optGraphRef(1)",
                                              "txtGraphIP3", "txtGraphPsig1", "txtGraphIM1dBm", "txtGraphIM1dBC",
                                              "cmdCalculate", "mnuCalculateIntermods", "sbrInfo"};
}

void TestSignalWindows::names()
{
    QFETCH(QString, window);
    QFETCH(QStringList, controls);
    std::unique_ptr<QWidget> w;
    if (window == "frmReflectionCalc")
        w = std::make_unique<ReflectionCalcWindow>();
    else
        w = std::make_unique<IP3Window>();
    QCOMPARE(w->objectName(), window);
    for (const QString& name : controls)
        QVERIFY2(w->findChild<QObject*>(name), qPrintable(name + " missing"));
}

void TestSignalWindows::z0CheckedOnLeaving()
{
    ReflectionCalcWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* z0 = w.findChild<QLineEdit*>("txtZ0");
    auto* gamma = w.findChild<QLineEdit*>("txtGamma");
    z0->setFocus();
    QTRY_VERIFY(z0->hasFocus());
    z0->setText("75");
    gamma->setFocus();
    QTRY_VERIFY(gamma->hasFocus());
    QCOMPARE(w.Z0(), 75.0);
    // The new Z0 takes effect at the next entry, not before.
    QCOMPARE(w.findChild<QLineEdit*>("txtZload")->text(), QString());
    QTest::keyClick(gamma, Qt::Key_Return);
    QCOMPARE(w.findChild<QLineEdit*>("txtZload")->text(), QString("225.000"));
    QVERIFY(messages_.isEmpty());
}

void TestSignalWindows::z0RefusedOnLeaving()
{
    ReflectionCalcWindow w;
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* z0 = w.findChild<QLineEdit*>("txtZ0");
    auto* swr = w.findChild<QLineEdit*>("txtSWR");
    z0->setFocus();
    QTRY_VERIFY(z0->hasFocus());
    z0->setText("0");
    swr->setFocus();
    // Refused once, not again from inside its own message; the focus is back in the box.
    QCOMPARE(messages_, QStringList{"Oops... Invalid input.|Input cannot be zero"});
    QTRY_VERIFY(z0->hasFocus());
    QCOMPARE(w.Z0(), 50.0);
}

void TestSignalWindows::ip3EditableBoxes_data()
{
    QTest::addColumn<QString>("calculate");
    QTest::addColumn<QStringList>("switchOn");
    QTest::addColumn<QStringList>("editable");
    const QStringList all{"txtIIP3", "txtOIP3", "txtPsig1In", "txtPsig1Out", "txtIM1in", "txtIM1out"};
    QTest::newRow("products, defaults") << "optCalculate(0)" << QStringList{}
                                        << QStringList{"txtOIP3", "txtPsig1Out"};
    QTest::newRow("products, all at input") << "optCalculate(0)" << QStringList{"optIP3ref(0)", "optSignalRef(0)"}
                                            << QStringList{"txtIIP3", "txtPsig1In"};
    QTest::newRow("tones") << "optCalculate(1)" << QStringList{"optIMRef(0)"} << QStringList{"txtOIP3", "txtIM1in"};
    QTest::newRow("intercept") << "optCalculate(2)" << QStringList{"optIP3ref(0)"}
                               << QStringList{"txtPsig1Out", "txtIM1out"};
}

void TestSignalWindows::ip3EditableBoxes()
{
    QFETCH(QString, calculate);
    QFETCH(QStringList, switchOn);
    QFETCH(QStringList, editable);
    IP3Window w;
    w.findChild<QRadioButton*>(calculate)->setChecked(true);
    for (const QString& name : switchOn)
        w.findChild<QRadioButton*>(name)->setChecked(true);
    QStringList got;
    for (const char* name : {"txtIIP3", "txtOIP3", "txtPsig1In", "txtPsig1Out", "txtIM1in", "txtIM1out"})
        if (!w.findChild<QLineEdit*>(name)->isReadOnly())
            got << name;
    QCOMPARE(got, editable);
    // The gain is always typed; the second tone and product only mirror the first.
    QVERIFY(!w.findChild<QLineEdit*>("txtGain")->isReadOnly());
    QVERIFY(w.findChild<QLineEdit*>("txtPsig2In")->isReadOnly());
}

void TestSignalWindows::helpTopics()
{
    ReflectionCalcWindow r;
    IP3Window i;
    QCOMPARE(r.HelpTopic(), 51);
    QCOMPARE(i.HelpTopic(), 53);
    QCOMPARE(r.findChild<QAction*>("mnuHelpWindow")->text(), QString("Reflection Calculator &Help"));
    QCOMPARE(i.findChild<QAction*>("mnuHelpWindow")->text(), QString("Intercept Point &Help"));
}

QTEST_MAIN(TestSignalWindows)
#include "tst_signalwindows.moc"
