// The window side of the shared services: message boxes, sounds, the document opener, the
// input-box checks, and the core's notifier routed through them.
#include "shell/services.h"
#include "shell/uihooks.h"

#include "core/notifier.h"
#include "core/settings.h"
#include "shell_capture.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel;
using namespace korvel::ui;

class TestServices : public QObject {
    Q_OBJECT
private slots:
    void init() { ResetSettings(); }
    void messageBoxTitle_data();
    void messageBoxTitle();
    void playWave_data();
    void playWave();
    void coreNotifierRoutes();
    void openDocumentFailures_data();
    void openDocumentFailures();
    void twips_data();
    void twips();
    void flagInvalidInput();
    void fieldChecks_data();
    void fieldChecks();
    void ratioFlagsBoth();
    void missingPicturesAreEmpty();
};

void TestServices::messageBoxTitle_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty title is the program's") << "" << "Korvel";
    QTest::newRow("own title") << "Browser Unavailable" << "Browser Unavailable";
}

void TestServices::messageBoxTitle()
{
    QFETCH(QString, title);
    test::ShellCapture capture;
    QCOMPARE(ShowMessageBox(nullptr, title, "text", MsgIcon::Information), Answer::Ok);
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QTEST(capture.messages[0].title, "shown");
    QCOMPARE(capture.messages[0].icon, MsgIcon::Information);
}

void TestServices::playWave_data()
{
    QTest::addColumn<bool>("soundOn");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("heard");
    QTest::newRow("on") << true << false << true;
    QTest::newRow("off") << false << false << false;
    QTest::newRow("off but forced") << false << true << true;
    QTest::newRow("on and forced") << true << true << true;
}

void TestServices::playWave()
{
    QFETCH(bool, soundOn);
    QFETCH(bool, force);
    QFETCH(bool, heard);
    test::ShellCapture capture;
    Settings().soundEnabled = soundOn;
    PlayWave("ding.wav", force);
    QCOMPARE(capture.sounds, heard ? QStringList{"ding.wav"} : QStringList{});
    capture.Clear();
    QCOMPARE(ui::PlaySound("laser.wav", force), heard);
    QCOMPARE(capture.sounds, heard ? QStringList{"laser.wav"} : QStringList{});
}

void TestServices::coreNotifierRoutes()
{
    test::ShellCapture capture;
    InstallCoreNotifier();
    korvel::ShowMessage("", "Sys Error M1  Division by zero", MsgIcon::Critical);
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].title, QString("Korvel"));
    QCOMPARE(capture.messages[0].text, QString("Sys Error M1  Division by zero"));
    QCOMPARE(capture.messages[0].icon, MsgIcon::Critical);
    // The core weighs the setting; a forced sound gets through with sound off.
    Settings().soundEnabled = false;
    QVERIFY(!korvel::PlaySound("ding.wav", false));
    QVERIFY(capture.sounds.isEmpty());
    QVERIFY(korvel::PlaySound("ding.wav", true));
    QCOMPARE(capture.sounds, QStringList{"ding.wav"});
    SetNotifier(nullptr);
}

void TestServices::openDocumentFailures_data()
{
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QString>("message");
    QTest::newRow("opened") << true << true << "";
    QTest::newRow("nothing opens it")
        << false << true << "Korvel no file association for %1 found on your system.";
    QTest::newRow("document missing") << false << false
                                      << "Korvel encountered problem with your browser.(Error2)";
}

void TestServices::openDocumentFailures()
{
    QFETCH(bool, opens);
    QFETCH(bool, exists);
    QFETCH(QString, message);
    test::ShellCapture capture;
    capture.openSucceeds = opens;
    QTemporaryDir dir;
    const QString target = dir.filePath("guide.xyz");
    if (exists) {
        QFile f(target);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QCOMPARE(OpenDocument(nullptr, target), opens);
    QCOMPARE(capture.opened, QStringList{target});
    if (message.isEmpty()) {
        QVERIFY(capture.messages.empty());
        return;
    }
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].title, QString("Browser Unavailable"));
    QCOMPARE(capture.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(capture.messages[0].text, message.contains("%1") ? message.arg(target) : message);
}

void TestServices::twips_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("main width") << 11520 << 768;
    QTest::newRow("reset height") << 8060 << 537;
    QTest::newRow("start height") << 8050 << 537;
    QTest::newRow("list bar") << 1360 << 91;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("gap under the web picture") << 330 << 22;
}

void TestServices::twips()
{
    QFETCH(int, twips);
    QTEST(TwipsToPixels(twips), "pixels");
}

void TestServices::flagInvalidInput()
{
    test::ShellCapture capture;
    QWidget window;
    auto* a = new QLineEdit("12.5", &window);
    auto* b = new QLineEdit("3", &window);
    window.show();
    FlagInvalidInput(a, "Input cannot be zero", b);
    QCOMPARE(FieldBackground(a), QColor(255, 255, 0));
    QCOMPARE(FieldBackground(b), QColor(255, 255, 0));
    QCOMPARE(a->selectedText(), QString("12.5"));
    QCOMPARE(b->selectedText(), QString("3"));
    QCOMPARE(capture.sounds, QStringList{"ding.wav"});
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].title, QString("Oops... Invalid input."));
    QCOMPARE(capture.messages[0].text, QString("Input cannot be zero"));
    QCOMPARE(capture.messages[0].icon, MsgIcon::Exclamation);

    // With sound off the box still says why, in silence.
    capture.Clear();
    Settings().soundEnabled = false;
    FlagInvalidInput(a, "Input not optional");
    QVERIFY(capture.sounds.isEmpty());
    QCOMPARE(capture.messages.size(), std::size_t(1));
}

void TestServices::fieldChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("optional");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("zeroAllowed");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::newRow("blanks, required") << "   " << false << 0.0 << 10.0 << true << "Input not optional";
    QTest::newRow("blank, optional") << "" << true << 0.0 << 10.0 << true << "";
    QTest::newRow("not numeric") << "1..2" << false << 0.0 << 10.0 << true << "Input must be numeric value";
    QTest::newRow("zero allowed") << "0" << false << 0.0 << 10.0 << true << "";
    QTest::newRow("zero refused") << "0" << false << 0.0 << 10.0 << false << "Input cannot be zero";
    QTest::newRow("below zero floor") << "-1" << false << 0.0 << 10.0 << true
                                      << "Input value too low. Must be > or = 0";
    QTest::newRow("below floor") << "-1" << false << 0.5 << 10.0 << true
                                 << "Input value too low. Must be > 0.5";
    QTest::newRow("maximum passes") << "10" << false << 0.0 << 10.0 << true << "";
    QTest::newRow("above") << "10.01" << false << 0.0 << 10.0 << true
                           << "Input value too high.  Must be < 10";
}

void TestServices::fieldChecks()
{
    QFETCH(QString, text);
    QFETCH(bool, optional);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, zeroAllowed);
    QFETCH(QString, message);
    test::ShellCapture capture;
    QLineEdit box(text);
    const bool ok = ValidateInput(&box, optional)
        && (text.trimmed().isEmpty() || CheckRange(FieldValue(&box), minimum, maximum, zeroAllowed, &box));
    QCOMPARE(ok, message.isEmpty());
    if (ok) {
        QVERIFY(capture.messages.empty());
        QCOMPARE(FieldBackground(&box), QLineEdit().palette().color(QPalette::Base));
    } else {
        QCOMPARE(capture.messages.size(), std::size_t(1));
        QCOMPARE(capture.messages[0].text, message);
        QCOMPARE(FieldBackground(&box), kFieldMarked);
    }
}

void TestServices::ratioFlagsBoth()
{
    test::ShellCapture capture;
    QLineEdit d1("2"), d2("2");
    QVERIFY(!CheckRatio(2, &d1, 2, &d2, 0.1, 10, false, "D2", "D1"));
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].text, QString("Ratio D2 / D1 cannot be unity"));
    QCOMPARE(FieldBackground(&d1), kFieldMarked);
    QCOMPARE(FieldBackground(&d2), kFieldMarked);
    capture.Clear();
    QLineEdit e1("1"), e2("1");
    QVERIFY(CheckRatio(1, &e1, 1, &e2, 0.1, 10, true));
    QVERIFY(capture.messages.empty());
}

void TestServices::missingPicturesAreEmpty()
{
    test::ShellCapture capture;
    QVERIFY(ProgramPicture("no-such-picture.bmp").isNull());
    QVERIFY(ProgramIcon("icons/no-such-icon.svg").isNull());
    QCOMPARE(ProgramCursor("no-such.cur").shape(), Qt::ArrowCursor);
    QVERIFY(capture.messages.empty());
}

QTEST_MAIN(TestServices)
#include "tst_services.moc"
