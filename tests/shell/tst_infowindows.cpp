// The small windows: splash, about box and system information, the guide page, the credits,
// the colour-intensity chooser and the help viewer.
#include "shell/helpviewer.h"
#include "shell/infowindows.h"
#include "shell/registry.h"
#include "shell/uihooks.h"

#include "core/settings.h"
#include "core/version.h"
#include "shell_capture.h"

#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace korvel;
using namespace korvel::ui;

class TestInfoWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterInfoWindows(); }
    void splash();
    void aboutBox();
    void sysInfoUnavailable();
    void sysInfoStartsTool();
    void getKeyValue_data();
    void getKeyValue();
    void tolvaneGuideMissing();
    void credits();
    void infoWindow();
    void sensColor_data();
    void sensColor();
    void sensColorButtons();
    void helpTopics_data();
    void helpTopics();
};

void TestInfoWindows::splash()
{
    QPointer<SplashWindow> s = new SplashWindow;
    QCOMPARE(s->objectName(), QString("frmSplash"));
    QCOMPARE(s->findChild<QLabel*>("lblVersion")->text(), "Version " + VersionText());
    QCOMPARE(VersionText(), QString(KORVEL_VERSION));
    s->show();
    QTest::keyClick(s, Qt::Key_Space);  // a key press unloads it
    QTRY_VERIFY(s.isNull());
}

void TestInfoWindows::aboutBox()
{
    test::ShellCapture capture;
    QPointer<AboutWindow> about = ShowAboutBox("About Korvel", "Korvel for Windows");
    QCOMPARE(about->objectName(), QString("frmAbout"));
    QCOMPARE(about->windowTitle(), QString("About Korvel"));
    QVERIFY(!about->isModal());
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QString("Korvel for Windows"));
    QCOMPARE(about->findChild<QLabel*>("lblVersion")->text(), "Version: " + VersionText());
    // The same box serves the SPCS pages with their own caption and title.
    QCOMPARE(ShowAboutBox("About SPCS", "SPCS"), about.data());
    QCOMPARE(about->windowTitle(), QString("About SPCS"));
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QString("SPCS"));
    about->findChild<QPushButton*>("cmdOK")->click();
    QTRY_VERIFY(about.isNull());
}

void TestInfoWindows::sysInfoUnavailable()
{
    test::ShellCapture capture;
    QTemporaryDir empty;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", empty.path().toLocal8Bit());
    AboutWindow about;
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    qputenv("PATH", oldPath);
    QVERIFY(capture.opened.isEmpty());
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].text, QString("System Information Is Unavailable At This Time"));
    QCOMPARE(capture.messages[0].title, QString("Korvel"));
}

void TestInfoWindows::sysInfoStartsTool()
{
    test::ShellCapture capture;
    QTemporaryDir dir;
    // The second program of the list is there; the first one found is started.
    const QString tool = dir.filePath(AboutWindow::SysInfoPrograms().at(1));
    QFile f(tool);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    AboutWindow about;
    about.StartSysInfo();
    qputenv("PATH", oldPath);
    QCOMPARE(capture.opened, QStringList{tool});
    QVERIFY(capture.messages.empty());
}

void TestInfoWindows::getKeyValue_data()
{
    QTest::addColumn<QString>("keyName");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("where");
    QTest::newRow("in the folder") << "" << "tool" << true << "tool";
    QTest::newRow("sub-folder first") << "sub" << "tool" << true << "sub/tool";
    QTest::newRow("sub-folder missing falls back") << "nosub" << "tool" << true << "tool";
    QTest::newRow("not executable") << "" << "plain" << false << "";
    QTest::newRow("absent") << "" << "absent" << false << "";
    QTest::newRow("no name") << "" << "" << false << "";
}

void TestInfoWindows::getKeyValue()
{
    QFETCH(QString, keyName);
    QFETCH(QString, valueName);
    QFETCH(bool, found);
    QFETCH(QString, where);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    for (const QString& name : {QString("tool"), QString("sub/tool"), QString("plain")}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        if (name != "plain")
            QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    }
    const auto [ok, path] = AboutWindow::GetKeyValue(dir.path(), keyName, valueName);
    QCOMPARE(ok, found);
    QCOMPARE(path, found ? QFileInfo(dir.filePath(where)).absoluteFilePath() : QString());
}

void TestInfoWindows::tolvaneGuideMissing()
{
    test::ShellCapture capture;
    QWidget* page = CreateWindow("frmTolvane", nullptr);
    QVERIFY(page);
    auto* guide = page->findChild<LinkLabel*>("lblGuide");
    QVERIFY(guide);
    QFile::remove(ProgramFile("TolvaneGuide.pdf"));  // never there beside the tests
    emit guide->clicked();
    QVERIFY(capture.opened.isEmpty());
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].text,
             QString::fromUtf8("Error not able to open Adobe® Acrobat® or PDF file is missing. "));
    // The second link goes to a page of the web.
    capture.Clear();
    emit page->findChild<LinkLabel*>("lblReader")->clicked();
    QCOMPARE(capture.opened.size(), 1);
    QVERIFY(capture.opened[0].startsWith("https://"));
    delete page;
}

void TestInfoWindows::credits()
{
    QPointer<CreditsWindow> c = ShowCredits();
    QCOMPARE(c->objectName(), QString("frmCredits"));
    QTest::mouseClick(c, Qt::LeftButton);
    QTRY_VERIFY(c.isNull());
    c = ShowCredits();
    QTest::keyClick(c, Qt::Key_A);
    QTRY_VERIFY(c.isNull());
}

void TestInfoWindows::infoWindow()
{
    QPointer<InfoWindow> w = new InfoWindow("Nothing to add.");
    w->show();
    QCOMPARE(w->objectName(), QString("frmInfo"));
    w->findChild<QPushButton*>("cmdClose")->click();
    QTRY_VERIFY(w.isNull());
}

void TestInfoWindows::sensColor_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<float>("intensity");
    QTest::newRow("0") << 0 << "0%  (no color)" << 0.0f;
    QTest::newRow("1") << 1 << "20%" << 0.2f;
    QTest::newRow("2") << 2 << "40%  (default)" << 0.4f;
    QTest::newRow("3 is not 0.6") << 3 << "60%" << 0.5f;
    QTest::newRow("4 is not 0.8") << 4 << "80%" << 0.6f;
    QTest::newRow("5") << 5 << "100%" << 1.0f;
}

void TestInfoWindows::sensColor()
{
    QFETCH(int, index);
    QFETCH(float, intensity);
    SensColorWindow chooser;
    chooser.show();
    auto* option = chooser.findChild<QRadioButton*>(QString("optColor(%1)").arg(index));
    QVERIFY(option);
    QTEST(option->text(), "caption");
    SensitivityColourIntensity() = -1.0f;
    option->click();
    QCOMPARE(SensitivityColourIntensity(), intensity);
    QVERIFY(option->isChecked());
}

void TestInfoWindows::sensColorButtons()
{
    SensColorWindow chooser;
    QCOMPARE(chooser.findChild<QLabel*>("Label1")->text(), QString("Set color level for sensitivity analysis:"));
    QVERIFY(chooser.findChild<QRadioButton*>("optColor(2)")->isChecked());
    int recalculated = 0;
    bool hiddenWhenRecalculated = false;
    chooser.SetRecalculate([&] {
        ++recalculated;
        hiddenWhenRecalculated = chooser.isHidden();
    });
    chooser.show();
    chooser.findChild<QPushButton*>("Command2")->click();  // Cancel only hides
    QVERIFY(chooser.isHidden());
    QCOMPARE(recalculated, 0);
    chooser.show();
    SensitivityColourIntensity() = 0.4f;
    chooser.findChild<QRadioButton*>("optColor(5)")->click();
    chooser.findChild<QPushButton*>("Command1")->click();
    QCOMPARE(recalculated, 1);
    QVERIFY(hiddenWhenRecalculated);
    QCOMPARE(SensitivityColourIntensity(), 1.0f);
    // Hidden, not unloaded: the last choice is still selected next time.
    chooser.show();
    QVERIFY(chooser.findChild<QRadioButton*>("optColor(5)")->isChecked());
}

void TestInfoWindows::helpTopics_data()
{
    QTest::addColumn<int>("topic");
    QTest::newRow("main") << 1;
    QTest::newRow("round coax") << 24;
    QTest::newRow("unknown") << 9999;
}

void TestInfoWindows::helpTopics()
{
    QFETCH(int, topic);
    HelpViewer* viewer = ShowHelpTopic(topic);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->Topic(), topic);
    const QString file = HelpViewer::TopicFile(topic);
    QVERIFY(file.endsWith(QString("help/topic%1.html").arg(topic)));
    const QString text = viewer->Browser()->toPlainText();
    if (QFileInfo::exists(file))
        QVERIFY(!text.contains("not available"));
    else
        QVERIFY(text.contains(QString("Help topic %1 is not available").arg(topic)));
    // One viewer for the session.
    QCOMPARE(ShowHelpTopic(topic), viewer);
}

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
