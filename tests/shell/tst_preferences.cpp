// The preferences dialog: each click writes its setting at once, the enabling rules between
// the frames, and the check of the junction temperature when the dialog closes.
#include "shell/preferences.h"
#include "shell/services.h"

#include "core/settings.h"
#include "shell_capture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace korvel;
using namespace korvel::ui;

namespace {

QRadioButton* Opt(QWidget* dialog, const QString& array, int index)
{
    return dialog->findChild<QRadioButton*>(QString("%1(%2)").arg(array).arg(index));
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetSettings(); }
    void controlsAndCaptions_data();
    void controlsAndCaptions();
    void loadsCurrentSettings();
    void optionWritesSetting_data();
    void optionWritesSetting();
    void standardValueResetsTolerance_data();
    void standardValueResetsTolerance();
    void mathCorrectDisablesTolerance();
    void intelligentFormat();
    void typingStoresTemperature_data();
    void typingStoresTemperature();
    void closingChecksTemperature_data();
    void closingChecksTemperature();
    void okClosesWhenValid();
};

void TestPreferences::controlsAndCaptions_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("tolerance") << "optTolerance" << QStringList{"0.1 %", "1 %", "5 %", "10 %", "20 %"};
    QTest::newRow("component") << "optComponent" << QStringList{"&Math Correct", "&Standard Value"};
    QTest::newRow("sound") << "optPlaySound" << QStringList{"Sound &On", "Sound O&ff"};
    QTest::newRow("sig figs") << "optSigFig" << QStringList{"&2", "&3", "&4", "&5"};
    QTest::newRow("bypass") << "optBypassCap"
                            << QStringList{"Z0 : Xc = 50 : 1", "Z0 : Xc = 200 : 1   (default)",
                                           "Z0 : Xc = 1000 : 1", "Z0 : Xc = 5000 : 1"};
}

void TestPreferences::controlsAndCaptions()
{
    QFETCH(QString, array);
    QFETCH(QStringList, captions);
    PreferencesDialog dialog;
    QCOMPARE(dialog.windowTitle(), QString("User Preferences"));
    QCOMPARE(dialog.objectName(), QString("frmPreferences"));
    for (int i = 0; i < captions.size(); ++i) {
        QRadioButton* b = Opt(&dialog, array, i);
        QVERIFY2(b, qPrintable(QString("%1(%2)").arg(array).arg(i)));
        QCOMPARE(b->text(), captions[i]);
    }
    QVERIFY(!Opt(&dialog, array, int(captions.size())));
    auto* tabs = dialog.findChild<QTabWidget*>("SStabPreferences");
    QVERIFY(tabs);
    // The temperature box sits on tab 3.
    QVERIFY(tabs->widget(3)->isAncestorOf(dialog.findChild<QLineEdit*>("txtTjMaxTrip")));
}

void TestPreferences::loadsCurrentSettings()
{
    Settings().componentTolerance = 10;
    Settings().useStandardValues = false;
    Settings().soundEnabled = false;
    Settings().intelligentFormat = false;
    Settings().significantFigures = 4;
    Settings().bypassRatio = 5000;
    Settings().maxJunctionTempC = 125.5;
    PreferencesDialog dialog;
    QVERIFY(Opt(&dialog, "optTolerance", 3)->isChecked());
    QVERIFY(Opt(&dialog, "optComponent", 0)->isChecked());
    QVERIFY(Opt(&dialog, "optPlaySound", 1)->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox*>("chkIntelligentFormat")->isChecked());
    QVERIFY(Opt(&dialog, "optSigFig", 2)->isChecked());
    QVERIFY(Opt(&dialog, "optBypassCap", 3)->isChecked());
    QCOMPARE(dialog.findChild<QLineEdit*>("txtTjMaxTrip")->text(), QString("125.5"));
    // Standard values off: the tolerance is meaningless; intelligent format off: sig figs count.
    QVERIFY(!dialog.findChild<QGroupBox*>("fraTolerance")->isEnabled());
    QVERIFY(!Opt(&dialog, "optTolerance", 0)->isEnabled());
    QVERIFY(dialog.findChild<QGroupBox*>("fraSigFigs")->isEnabled());
    // Loading itself changes nothing.
    QCOMPARE(Settings().significantFigures, 4);
    QCOMPARE(Settings().componentTolerance, 10);
}

void TestPreferences::optionWritesSetting_data()
{
    QTest::addColumn<QString>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("value");
    QTest::newRow("0.1 %") << "optTolerance" << 0 << "tolerance" << 0;
    QTest::newRow("1 %") << "optTolerance" << 1 << "tolerance" << 1;
    QTest::newRow("10 %") << "optTolerance" << 3 << "tolerance" << 10;
    QTest::newRow("20 %") << "optTolerance" << 4 << "tolerance" << 20;
    QTest::newRow("sound off") << "optPlaySound" << 1 << "sound" << 0;
    QTest::newRow("50:1") << "optBypassCap" << 0 << "bypass" << 50;
    QTest::newRow("1000:1") << "optBypassCap" << 2 << "bypass" << 1000;
    QTest::newRow("5000:1") << "optBypassCap" << 3 << "bypass" << 5000;
    QTest::newRow("2 figures") << "optSigFig" << 0 << "sigfigs" << 2;
    QTest::newRow("5 figures") << "optSigFig" << 3 << "sigfigs" << 5;
}

void TestPreferences::optionWritesSetting()
{
    QFETCH(QString, array);
    QFETCH(int, index);
    QFETCH(QString, setting);
    QFETCH(int, value);
    Settings().intelligentFormat = false;  // so that the sig-fig buttons can be clicked
    PreferencesDialog dialog;
    dialog.show();
    // The option's own tab in front, as the user would have it.
    auto* tabs = dialog.findChild<QTabWidget*>("SStabPreferences");
    for (int t = 0; t < tabs->count(); ++t)
        if (tabs->widget(t)->isAncestorOf(Opt(&dialog, array, index)))
            tabs->setCurrentIndex(t);
    Opt(&dialog, array, index)->click();
    if (setting == "tolerance")
        QCOMPARE(Settings().componentTolerance, value);
    else if (setting == "sound")
        QCOMPARE(int(Settings().soundEnabled), value);
    else if (setting == "bypass")
        QCOMPARE(Settings().bypassRatio, value);
    else
        QCOMPARE(Settings().significantFigures, value);
}

void TestPreferences::standardValueResetsTolerance_data()
{
    QTest::addColumn<int>("chosen");
    QTest::newRow("0.1 % before") << 0;
    QTest::newRow("1 % before") << 1;
    QTest::newRow("20 % before") << 4;
    QTest::newRow("5 % before") << 2;
}

void TestPreferences::standardValueResetsTolerance()
{
    QFETCH(int, chosen);
    PreferencesDialog dialog;
    dialog.show();
    Opt(&dialog, "optTolerance", chosen)->click();
    Opt(&dialog, "optComponent", 0)->click();
    QVERIFY(!Settings().useStandardValues);
    Opt(&dialog, "optComponent", 1)->click();
    QVERIFY(Settings().useStandardValues);
    QCOMPARE(Settings().componentTolerance, 5);
    QVERIFY(Opt(&dialog, "optTolerance", 2)->isChecked());
    QVERIFY(dialog.findChild<QGroupBox*>("fraTolerance")->isEnabled());
    for (int i = 0; i < 5; ++i)
        QVERIFY(Opt(&dialog, "optTolerance", i)->isEnabled());
}

void TestPreferences::mathCorrectDisablesTolerance()
{
    PreferencesDialog dialog;
    dialog.show();
    QVERIFY(dialog.findChild<QGroupBox*>("fraTolerance")->isEnabled());
    Opt(&dialog, "optComponent", 0)->click();
    QVERIFY(!Settings().useStandardValues);
    QVERIFY(!dialog.findChild<QGroupBox*>("fraTolerance")->isEnabled());
    for (int i = 0; i < 5; ++i)
        QVERIFY(!Opt(&dialog, "optTolerance", i)->isEnabled());
}

void TestPreferences::intelligentFormat()
{
    PreferencesDialog dialog;
    dialog.show();
    dialog.findChild<QTabWidget*>("SStabPreferences")->setCurrentIndex(2);
    auto* check = dialog.findChild<QCheckBox*>("chkIntelligentFormat");
    QCOMPARE(check->text(), QString("Intelligent Format"));
    QVERIFY(check->isChecked());
    QVERIFY(!dialog.findChild<QGroupBox*>("fraSigFigs")->isEnabled());

    // Choose 5 figures while free to, then switch intelligent format on and off again.
    check->click();
    QVERIFY(!Settings().intelligentFormat);
    Opt(&dialog, "optSigFig", 3)->click();
    QCOMPARE(Settings().significantFigures, 5);
    check->click();
    QVERIFY(Settings().intelligentFormat);
    QVERIFY(!dialog.findChild<QGroupBox*>("fraSigFigs")->isEnabled());
    QVERIFY(!Opt(&dialog, "optSigFig", 0)->isEnabled());
    check->click();
    // Unchecking always comes back to three figures.
    QVERIFY(!Settings().intelligentFormat);
    QVERIFY(Opt(&dialog, "optSigFig", 1)->isChecked());
    QCOMPARE(Settings().significantFigures, 3);
    QVERIFY(dialog.findChild<QGroupBox*>("fraSigFigs")->isEnabled());
    QVERIFY(Opt(&dialog, "optSigFig", 3)->isEnabled());
}

void TestPreferences::typingStoresTemperature_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("stored");
    QTest::newRow("plain") << "175" << 175.0;
    QTest::newRow("negative") << "-40" << -40.0;
    QTest::newRow("decimal") << "127.5" << 127.5;
    QTest::newRow("exponent") << "1.5E2" << 150.0;
    QTest::newRow("below absolute zero still stored") << "-300" << -300.0;
    QTest::newRow("each number on the way is stored") << "12a" << 12.0;
    QTest::newRow("lone sign keeps the last") << "-" << 150.0;
}

void TestPreferences::typingStoresTemperature()
{
    QFETCH(QString, typed);
    PreferencesDialog dialog;
    auto* box = dialog.findChild<QLineEdit*>("txtTjMaxTrip");
    SetFieldBackground(box, kFieldMarked);
    box->selectAll();
    QTest::keyClicks(box, typed);
    QTEST(Settings().maxJunctionTempC, "stored");
    QCOMPARE(FieldBackground(box), kFieldNormal);
}

void TestPreferences::closingChecksTemperature_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::newRow("absolute zero") << "-273" << true << "";
    QTest::newRow("zero allowed") << "0" << true << "";
    QTest::newRow("huge") << "1E+300" << true << "";
    QTest::newRow("below absolute zero") << "-274" << false << "Input value too low. Must be > -273";
    QTest::newRow("just below") << "-273.5" << false << "Input value too low. Must be > -273";
    QTest::newRow("empty") << "" << false << "Input not optional";
    QTest::newRow("blanks") << "   " << false << "Input not optional";
    QTest::newRow("text") << "hot" << false << "Input must be numeric value";
}

void TestPreferences::closingChecksTemperature()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    test::ShellCapture capture;
    QPointer<PreferencesDialog> dialog = ShowPreferencesWindow();
    auto* tabs = dialog->findChild<QTabWidget*>("SStabPreferences");
    tabs->setCurrentIndex(0);
    auto* box = dialog->findChild<QLineEdit*>("txtTjMaxTrip");
    box->setText(text);
    dialog->close();
    if (accepted) {
        QVERIFY(capture.messages.empty());
        QTRY_VERIFY(dialog.isNull());  // unloaded
        return;
    }
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(tabs->currentIndex(), 3);
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].title, QString("Oops... Invalid input."));
    QCOMPARE(capture.messages[0].text, message);
    QCOMPARE(capture.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(FieldBackground(box), kFieldMarked);
    QCOMPARE(capture.sounds, QStringList{"ding.wav"});
    // Escape is a close too and is refused the same way.
    capture.Clear();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(capture.messages.size(), std::size_t(1));
    box->setText("150");
    dialog->close();
    QTRY_VERIFY(dialog.isNull());
}

void TestPreferences::okClosesWhenValid()
{
    test::ShellCapture capture;
    QPointer<PreferencesDialog> dialog = ShowPreferencesWindow();
    auto* ok = dialog->findChild<QPushButton*>("cmdOK");
    QCOMPARE(ok->text(), QString("OK"));
    dialog->findChild<QLineEdit*>("txtTjMaxTrip")->setText("-274");
    ok->click();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(Settings().maxJunctionTempC, -274.0);  // what was typed stays until corrected
    dialog->findChild<QLineEdit*>("txtTjMaxTrip")->setText("-273");
    ok->click();
    QTRY_VERIFY(dialog.isNull());
    QCOMPARE(Settings().maxJunctionTempC, -273.0);
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
