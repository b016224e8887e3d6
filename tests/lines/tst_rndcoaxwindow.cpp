// The round coax window as a widget: what drive scripts cannot see (tooltips, static captions,
// menu order, where the focus goes) and the names every control must carry.
#include "lines/ui/rndcoax.h"
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

using namespace korvel;
using namespace korvel::ui;

class TestRndCoaxWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void names_data();
    void names();
    void tooltips_data();
    void tooltips();
    void captions_data();
    void captions();
    void menuOrder();
    void helpTopic();
    void focusAfterUnitList();
    void focusStaysInCustomEr();
    void focusAfterSynthesis();
    void focusAfterRatioFailure();
    void fieldCheckFlagsBothBoxes();

private:
    template <typename T = QWidget>
    T* Child(const char* name)
    {
        auto* w = window_->findChild<T*>(name);
        if (!w)
            qWarning("no control %s", name);
        return w;
    }

    RndCoaxWindow* window_ = nullptr;
    QStringList messages_;
    QStringList sounds_;
};

void TestRndCoaxWindow::initTestCase()
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

void TestRndCoaxWindow::init()
{
    ResetSettings();
    messages_.clear();
    sounds_.clear();
    window_ = new RndCoaxWindow;
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void TestRndCoaxWindow::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void TestRndCoaxWindow::names_data()
{
    QTest::addColumn<QString>("name");
    for (const char* n :
         {"txtOuterDiam", "txtInnerDiam", "txtLength", "txtFreq", "txtEr", "txtZ0", "cbofpFreqUnits",
          "cbofpLengthUnits", "cbofpAngleUnits", "cbofpDielectric", "lblD1D2Ratio", "lblPropVel", "lblWavelength",
          "lblWavelengthUnits", "lblFractLambda", "lblElectLength", "cmdCalculate", "cmdCalculateD2",
          "cmdReturnMainMenu", "sbrInfo", "lblWeb", "picWeb", "txtLossTan", "lblLossTan", "lblLoss", "lblLossEqual",
          "lblLossUnits", "mnuCalculateZo", "mnuCalculateD2", "mnuSelectDielectric", "mnuSelectFreqUnits",
          "mnuSelectLengthUnits", "mnuSelectAngleUnits", "menFileReturn", "menFileExitProgram", "mnuOptionsWindow",
          "mnuCustomizePreferences", "menHelpAbout"})
        QTest::newRow(n) << QString(n);
}

void TestRndCoaxWindow::names()
{
    QFETCH(QString, name);
    QCOMPARE(window_->objectName(), QString("frmRndCoax"));
    QVERIFY2(window_->findChild<QObject*>(name), qPrintable(name));
    // One control per name, or drive mode would reach the wrong one.
    QCOMPARE(window_->findChildren<QObject*>(name).size(), qsizetype(1));
}

void TestRndCoaxWindow::tooltips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");
    QTest::newRow("outer") << "txtOuterDiam" << "Enter outer diameter of coax in user-selected Length Units";
    QTest::newRow("inner") << "txtInnerDiam" << "Enter inner diameter of coax in user-selected Length Units";
    QTest::newRow("length") << "txtLength" << "Enter physical length of coax in user-selected Length Units";
    QTest::newRow("z0") << "txtZ0" << "Display Z0 or enter Z0 to calculate D2";
    QTest::newRow("analysis") << "cmdCalculate" << "Calculates Z0 from physical dimensions";
    QTest::newRow("synthesis") << "cmdCalculateD2" << "Calculates D2 from Z0 and D1";
}

void TestRndCoaxWindow::tooltips()
{
    QFETCH(QString, name);
    QFETCH(QString, tip);
    QWidget* w = window_->findChild<QWidget*>(name);
    QVERIFY(w);
    QCOMPARE(w->toolTip(), tip);
}

void TestRndCoaxWindow::captions_data()
{
    QTest::addColumn<QString>("text");
    for (const char* t : {"Frequency:", "Length Units:", "Dielectric:", "Z0 =", "D1/D2 =", "Vp =", "fraction of c",
                          "1.0 Wavelength =", "Elect Length ="})
        QTest::newRow(t) << QString(t);
}

void TestRndCoaxWindow::captions()
{
    QFETCH(QString, text);
    bool shown = false;
    for (QLabel* label : window_->findChildren<QLabel*>())
        shown = shown || (label->text() == text && label->isVisible());
    QVERIFY2(shown, qPrintable(text));
}

void TestRndCoaxWindow::menuOrder()
{
    QStringList titles;
    for (QAction* a : window_->Menus()->actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Calculate", "&Select Parameters", "&Options", "&Help"}));
    QStringList help;
    for (QAction* a : window_->HelpMenu()->actions())
        if (!a->isSeparator())
            help << a->text();
    QCOMPARE(help.first(), QString("Round Coax &Help"));
    QCOMPARE(help.last(), QString("&About Korvel"));
    QStringList file;
    for (QAction* a : window_->FileMenu()->actions())
        if (!a->isSeparator())
            file << a->text();
    QCOMPARE(file.mid(file.size() - 2), QStringList({"&Return to Main Menu", "E&xit Korvel"}));
}

void TestRndCoaxWindow::helpTopic() { QCOMPARE(window_->HelpTopic(), 24); }

void TestRndCoaxWindow::focusAfterUnitList()
{
    auto* freq = Child<UnitSelector>("cbofpFreqUnits");
    Child<QLineEdit>("txtFreq")->setFocus();
    freq->PickRow(1);
    QCOMPARE(freq->Code(), QString("MHz"));
    QTRY_COMPARE(QApplication::focusWidget(), Child<QWidget>("cmdCalculate"));
    // A material closes the dielectric list onto the Calculate button too.
    Child<QLineEdit>("txtFreq")->setFocus();
    Child<UnitSelector>("cbofpDielectric")->PickRow(1);
    QTRY_COMPARE(QApplication::focusWidget(), Child<QWidget>("cmdCalculate"));
}

void TestRndCoaxWindow::focusStaysInCustomEr()
{
    Child<UnitSelector>("cbofpDielectric")->PickRow(0);
    auto* er = Child<QLineEdit>("txtEr");
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(er));
    QVERIFY(er->isEnabled());
    QVERIFY(er->text().isEmpty());
}

void TestRndCoaxWindow::focusAfterSynthesis()
{
    auto* z0 = Child<QLineEdit>("txtZ0");
    z0->setText("50");
    Child<QPushButton>("cmdCalculateD2")->click();
    QCOMPARE(z0->text(), QString("  50.0"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(z0));
    QCOMPARE(z0->cursorPosition(), int(z0->text().size()));
    QVERIFY(messages_.isEmpty());
}

void TestRndCoaxWindow::focusAfterRatioFailure()
{
    Child<QLineEdit>("txtInnerDiam")->setText("100");
    Child<QPushButton>("cmdCalculate")->click();
    QCOMPARE(messages_, QStringList({"Oops... Invalid input.|Ratio of highlighted fields must be < 0.999"}));
    QVERIFY(Child<QLineEdit>("txtZ0")->text().isEmpty());
    QCOMPARE(sounds_, QStringList({"ding.wav"}));
    QTRY_COMPARE(QApplication::focusWidget(), Child<QWidget>("txtInnerDiam"));
}

void TestRndCoaxWindow::fieldCheckFlagsBothBoxes()
{
    auto* outer = Child<QLineEdit>("txtOuterDiam");
    auto* inner = Child<QLineEdit>("txtInnerDiam");
    inner->setText("200");
    Child<QPushButton>("cmdCalculate")->click();
    const QColor yellow(255, 255, 0);
    QCOMPARE(outer->palette().color(QPalette::Base), yellow);
    QCOMPARE(inner->palette().color(QPalette::Base), yellow);
    // The box to correct has the focus and its whole text selected, ready to be typed over.
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(inner));
    QCOMPARE(inner->selectedText(), QString("200"));
    inner->setText("20");
    QCOMPARE(outer->palette().color(QPalette::Base), QColor(255, 255, 255));
    QCOMPARE(inner->palette().color(QPalette::Base), QColor(255, 255, 255));
}

QTEST_MAIN(TestRndCoaxWindow)
#include "tst_rndcoaxwindow.moc"
