// The complex calculator as a widget, driven by real key presses with the focus where a user
// has it: typing into x, Enter, Page Up / Page Down and the operator keys, a focused button
// taking Enter, and the names every control must carry.
#include "tools/ui/complexmath.h"

#include "core/settings.h"
#include "shell/uihooks.h"

#include <QtTest>

#include <QLineEdit>
#include <QPushButton>

using namespace korvel;
using namespace korvel::ui;

class TestComplexMathWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void names_data();
    void names();
    void tooltips_data();
    void tooltips();
    void keySequences_data();
    void keySequences();
    void focusedButtonTakesEnter();
    void refusalFromKeyboard();

private:
    QLineEdit* Box(const char* name) { return window_->findChild<QLineEdit*>(name); }
    // Types text into a box that has the focus, then presses the keys.
    void Press(const QString& script);

    ComplexMathWindow* window_ = nullptr;
    QStringList messages_;
};

void TestComplexMathWindow::initTestCase()
{
    Hooks hooks;
    hooks.message = [this](const QString& title, const QString& text, MsgIcon, Buttons) {
        messages_ << title + "|" + text;
        return Answer::Ok;
    };
    hooks.sound = [](const QString&) {};
    hooks.open = [](const QString&) { return true; };
    SetHooks(std::move(hooks));
}

void TestComplexMathWindow::init()
{
    ResetSettings();
    messages_.clear();
    window_ = new ComplexMathWindow;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void TestComplexMathWindow::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void TestComplexMathWindow::names_data()
{
    QTest::addColumn<QString>("name");
    QStringList names = {"txtZo", "txtYo", "txtDecimalPlaces", "UpDown1", "txtFreq", "cbofpFreqUnits",
                         "txtResistor", "txtReactive", "cmdEnter", "cmdDrop", "cmdSwap", "cmdClear1", "cmdClearAll",
                         "cmdUndo", "cmdRclZo", "cmdRclYo", "cmdPi", "cmdConstE", "cmdAdd", "cmdSub", "cmdMult",
                         "cmdDiv", "cmdYtoX", "cmdSquare", "cmdInverse", "cmdSqrt", "cmdLn", "cmdInverseLn",
                         "cmdLog", "cmdMag", "cmdConjg", "cmdRectToPolarDeg", "cmdPolarToRectDeg", "cmdSin", "cmdCos",
                         "cmdTan", "cmdCot", "cmdAsin", "cmdAcos", "cmdAtan", "cmdAcot", "cmdSinh", "cmdCosh",
                         "cmdTanh", "cmdAtanh", "cmdCoth", "cmdNormalizeZ", "cmdUnNormalizeZn", "cmdNormalizeY",
                         "cmdUnNormalizeYn", "cmdZtoGamma", "cmdGammaToZ", "cmdEquivSeriesZ", "cmdEquivParallelZ",
                         "cmdEquivParallelY", "cmdEquivSeriesY", "cmdZfromSeries", "cmdYfromParallel", "cmdEquivCkd",
                         "cmdReturnMainMenu", "sbrInfo", "lblWeb", "picWeb"};
    for (int i = 0; i < kStackDepth; ++i)
        names << QString("txtRegisterRe(%1)").arg(i) << QString("txtRegisterIm(%1)").arg(i);
    for (char m = 'A'; m <= 'F'; ++m)
        names << QString("cmdSto%1").arg(m) << QString("cmdRcl%1").arg(m);
    for (const QString& n : names)
        QTest::newRow(qPrintable(n)) << n;
}

void TestComplexMathWindow::names()
{
    QFETCH(QString, name);
    QCOMPARE(window_->objectName(), QString("frmComplexMath"));
    QCOMPARE(window_->findChildren<QObject*>(name).size(), qsizetype(1));
}

void TestComplexMathWindow::tooltips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::newRow("normalize Z") << "cmdNormalizeZ" << "Normalize Z" << "[Register x] / Zo";
    QTest::newRow("unnormalize Zn") << "cmdUnNormalizeZn" << "Unnormalize Zn" << "[Register x] * Zo";
    QTest::newRow("normalize Y") << "cmdNormalizeY" << "Normalize Y" << "[Register x] / Yo";
    QTest::newRow("unnormalize Yn") << "cmdUnNormalizeYn" << "Unnormalize Yn" << "[Register x] * Yo";
    QTest::newRow("series from Z") << "cmdEquivSeriesZ" << "Equivalent Series Circuit"
                                   << "Series equivalent circuit from Z in [Register x]";
    QTest::newRow("parallel from Z") << "cmdEquivParallelZ" << "Equivalent Parallel Circuit"
                                     << "Parallel equivalent circuit from Z in [Register x]";
    QTest::newRow("parallel from Y") << "cmdEquivParallelY" << "Equivalent Parallel Circuit"
                                     << "Parallel equivalent circuit from Y in [Register x]";
    QTest::newRow("series from Y") << "cmdEquivSeriesY" << "Equivalent Series Circuit"
                                   << "Series equivalent circuit from Y in [Register x]";
    QTest::newRow("Z from circuit") << "cmdZfromSeries" << "Enter Z from Circuit Values"
                                    << "[Register x] = impedance of circuit";
    QTest::newRow("Y from circuit") << "cmdYfromParallel" << "Enter Y from Circuit Values"
                                    << "[Register x] = admittance  of circuit";
    QTest::newRow("select circuit") << "cmdEquivCkd" << "Select Equivalent Circuit"
                                    << "Click to cycle through circuit choices";
}

void TestComplexMathWindow::tooltips()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    auto* b = window_->findChild<QPushButton*>(name);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), tip);
}

void TestComplexMathWindow::Press(const QString& script)
{
    // Tokens: "re:TEXT" / "im:TEXT" click into that x box and type; other tokens are keys.
    for (const QString& t : script.split(' ', Qt::SkipEmptyParts)) {
        QWidget* focus = QApplication::focusWidget();
        if (t.startsWith("re:") || t.startsWith("im:")) {
            QLineEdit* box = Box(t.startsWith("re:") ? "txtRegisterRe(0)" : "txtRegisterIm(0)");
            box->setFocus(Qt::TabFocusReason);
            QCoreApplication::processEvents();
            box->selectAll();
            QTest::keyClicks(box, t.mid(3));
        } else if (t == "ENTER") QTest::keyClick(focus, Qt::Key_Return);
        else if (t == "PGUP") QTest::keyClick(focus, Qt::Key_PageUp);
        else if (t == "PGDN") QTest::keyClick(focus, Qt::Key_PageDown);
        else QTest::keyClicks(focus, t);
    }
}

void TestComplexMathWindow::keySequences_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stack");  // x and y as shown

    QTest::newRow("3 Enter 4 -") << "re:3 ENTER 4 -" << "x (-1.000, 0.000) | y (0.000, 0.000)";
    // After Enter the copy in x is typed over, as on a hand-held.
    QTest::newRow("Enter then type replaces x") << "re:7 ENTER 2" << "x (2, 0.000) | y (7.000, 0.000)";
    QTest::newRow("a leading minus is a sign") << "re:5 ENTER -2 *" << "x (-10.000, 0.000) | y (0.000, 0.000)";
    QTest::newRow("exponent sign is part of the number") << "re:1e-3 ENTER 1e+3 *"
                                                           << "x (1.000, 0.000) | y (0.000, 0.000)";
    QTest::newRow("complex product") << "re:1 im:2 ENTER re:3 im:4 *" << "x (-5.000, 10.000) | y (0.000, 0.000)";
    QTest::newRow("division") << "re:-5 im:10 PGUP re:3 im:4 /" << "x (1.000, 2.000) | y (0.000, 0.000)";
    QTest::newRow("power") << "re:2 ENTER 10 ^" << "x (1024.000, 0.000) | y (0.000, 0.000)";
    QTest::newRow("plus") << "re:2.5 ENTER 0.25 +" << "x (2.750, 0.000) | y (0.000, 0.000)";
    QTest::newRow("page down drops") << "re:1 ENTER 2 ENTER 3 PGDN" << "x (2.000, 0.000) | y (1.000, 0.000)";
}

void TestComplexMathWindow::keySequences()
{
    QFETCH(QString, keys);
    QFETCH(QString, stack);
    Press(keys);
    QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join("; ")));
    QVERIFY2(window_->StackText().startsWith(stack), qPrintable(window_->StackText()));
}

void TestComplexMathWindow::focusedButtonTakesEnter()
{
    Press("re:9 ENTER 3");
    auto* swap = window_->findChild<QPushButton*>("cmdSwap");
    swap->setFocus(Qt::TabFocusReason);
    QTest::keyClick(swap, Qt::Key_Return);
    QVERIFY2(window_->StackText().startsWith("x (9.000, 0.000) | y (3.000, 0.000) | R2 (0.000, 0.000)"),
             qPrintable(window_->StackText()));
}

void TestComplexMathWindow::refusalFromKeyboard()
{
    Press("re:4 ENTER 0 /");
    QCOMPARE(messages_, QStringList{QString::fromUtf8("Data Error|Division by 0 \u00B1 j 0 is undefined")});
    QVERIFY2(window_->StackText().startsWith("x (0, 0.000) | y (4.000, 0.000)"), qPrintable(window_->StackText()));
}

QTEST_MAIN(TestComplexMathWindow)
#include "tst_complexmathwindow.moc"
