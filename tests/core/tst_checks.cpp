// The input checks every calculator runs before computing.
#include "core/checks.h"
#include "recording_notifier.h"

#include <QtTest>

#include <limits>

using namespace korvel;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}

class TestChecks : public QObject {
    Q_OBJECT

private slots:
    void validateInput_data();
    void validateInput();
    void checkRange_data();
    void checkRange();
    void checkRatio_data();
    void checkRatio();
    void checksUseDecimalSeparator();
};

void TestChecks::validateInput_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("optional");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty, required") << "" << false << "Input not optional";
    QTest::newRow("blanks only, required") << "   " << false << "Input not optional";
    QTest::newRow("empty, optional") << "" << true << "";
    QTest::newRow("blanks only, optional") << "   " << true << "";
    QTest::newRow("number") << "50" << false << "";
    QTest::newRow("number with blanks and exponent") << " -1.5e-3 " << false << "";
    QTest::newRow("optional still checks numbers") << "abc" << true << "Input must be numeric value";
    QTest::newRow("letters") << "abc" << false << "Input must be numeric value";
    QTest::newRow("unit typed in the box") << "50MHz" << false << "Input must be numeric value";
    QTest::newRow("prefix letter") << "4k7" << false << "Input must be numeric value";
    QTest::newRow("point only") << "." << false << "Input must be numeric value";
    QTest::newRow("sign only") << "-" << false << "Input must be numeric value";
    QTest::newRow("incomplete exponent") << "1e" << false << "Input must be numeric value";
    QTest::newRow("two points") << "1.2.3" << false << "Input must be numeric value";
    QTest::newRow("comma") << "1,5" << false << "Input must be numeric value";
}

void TestChecks::validateInput()
{
    QFETCH(QString, text);
    QFETCH(bool, optional);
    QFETCH(QString, message);
    test::RecordingNotifier rec;
    QCOMPARE(Q(ValidateInputMessage(text.toStdString(), optional)), message);
    if (!text.trimmed().isEmpty())
        QCOMPARE(Q(CheckNumericMessage(text.toStdString())), message);
    QVERIFY(rec.messages.empty()); // the window, not the check, shows the message
}

void TestChecks::checkRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("zeroAllowed");
    QTest::addColumn<QString>("message");

    QTest::newRow("zero allowed on the minimum") << 0.0 << 0.0 << 10.0 << true << "";
    QTest::newRow("zero refused") << 0.0 << 0.0 << 10.0 << false << "Input cannot be zero";
    QTest::newRow("zero refused before the range") << 0.0 << 1.0 << 10.0 << false << "Input cannot be zero";
    QTest::newRow("negative with zero minimum")
        << -1.0 << 0.0 << 10.0 << true << "Input value too low. Must be > or = 0";
    QTest::newRow("below a non-zero minimum")
        << -1.0 << 0.5 << 10.0 << true << "Input value too low. Must be > 0.5";
    QTest::newRow("zero minimum but zero not allowed")
        << -1.0 << 0.0 << 10.0 << false << "Input value too low. Must be > 0";
    QTest::newRow("below 1E-300") << 1e-301 << 1e-300 << 1e300 << false << "Input value too low. Must be > 1E-300";
    QTest::newRow("below 0.001") << 0.0005 << 0.001 << 100.0 << false << "Input value too low. Must be > 0.001";
    QTest::newRow("above 1E+300")
        << std::numeric_limits<double>::max() << 0.0 << 1e300 << true << "Input value too high.  Must be < 1E+300";
    QTest::newRow("above 10") << 10.5 << 0.0 << 10.0 << true << "Input value too high.  Must be < 10";
    QTest::newRow("above a fractional maximum") << 0.95 << 0.0 << 0.9 << true << "Input value too high.  Must be < 0.9";
    QTest::newRow("the maximum passes") << 10.0 << 0.0 << 10.0 << true << "";
    QTest::newRow("the minimum passes") << 0.5 << 0.5 << 10.0 << false << "";
    QTest::newRow("inside") << 5.0 << 1.0 << 10.0 << false << "";
    QTest::newRow("negative range") << -5.0 << -10.0 << -1.0 << false << "";
    QTest::newRow("below a negative minimum")
        << -20.0 << -10.0 << -1.0 << false << "Input value too low. Must be > -10";
}

void TestChecks::checkRange()
{
    QFETCH(double, value);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, zeroAllowed);
    QFETCH(QString, message);
    test::RecordingNotifier rec;
    QCOMPARE(Q(CheckRangeMessage(value, minimum, maximum, zeroAllowed)), message);
}

void TestChecks::checkRatio_data()
{
    QTest::addColumn<double>("numerator");
    QTest::addColumn<double>("denominator");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<bool>("unityAllowed");
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("name2");
    QTest::addColumn<QString>("message");

    QTest::newRow("inside") << 3.0 << 1.0 << 1.0 << 10.0 << false << "D" << "d" << "";
    QTest::newRow("unity allowed") << 2.0 << 2.0 << 0.5 << 10.0 << true << "D" << "d" << "";
    QTest::newRow("unity refused, named")
        << 2.0 << 2.0 << 0.5 << 10.0 << false << "D" << "d" << "Ratio D / d cannot be unity";
    QTest::newRow("unity refused, unnamed")
        << 2.0 << 2.0 << 0.5 << 10.0 << false << "" << "" << "Ratio of highlighted fields cannot be unity";
    QTest::newRow("too low, named") << 1.0 << 2.0 << 1.0 << 10.0 << true << "D" << "d" << "Ratio D / d must be > 1";
    QTest::newRow("too low, unnamed")
        << 1.0 << 2.0 << 1.0 << 10.0 << true << "" << "" << "Ratio of highlighted fields must be > 1";
    QTest::newRow("too high, named") << 50.0 << 2.0 << 1.0 << 10.0 << true << "W" << "H" << "Ratio W / H must be < 10";
    QTest::newRow("too high, unnamed")
        << 50.0 << 2.0 << 1.0 << 10.0 << true << "" << "" << "Ratio of highlighted fields must be < 10";
    QTest::newRow("one name only counts as unnamed")
        << 50.0 << 2.0 << 1.0 << 10.0 << true << "W" << "" << "Ratio of highlighted fields must be < 10";
    QTest::newRow("bounds pass, minimum") << 1.0 << 1.0 << 1.0 << 10.0 << true << "a" << "b" << "";
    QTest::newRow("bounds pass, maximum") << 20.0 << 2.0 << 1.0 << 10.0 << false << "a" << "b" << "";
    QTest::newRow("small bounds in number text")
        << 1.0 << 1e6 << 0.001 << 1e300 << true << "S" << "H" << "Ratio S / H must be > 0.001";
    // Below the minimum is judged before unity.
    QTest::newRow("unity below minimum")
        << 1.0 << 1.0 << 1.5 << 10.0 << false << "b" << "a" << "Ratio b / a must be > 1.5";
    QTest::newRow("divide by zero is an infinite ratio")
        << 1.0 << 0.0 << 1.0 << 10.0 << true << "D" << "d" << "Ratio D / d must be < 10";
    QTest::newRow("zero over zero is refused")
        << 0.0 << 0.0 << 1.0 << 10.0 << true << "D" << "d" << "Ratio D / d must be > 1";
}

void TestChecks::checkRatio()
{
    QFETCH(double, numerator);
    QFETCH(double, denominator);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(bool, unityAllowed);
    QFETCH(QString, name1);
    QFETCH(QString, name2);
    QFETCH(QString, message);
    test::RecordingNotifier rec;
    QCOMPARE(Q(CheckRatioMessage(numerator, denominator, minimum, maximum, unityAllowed,
                                 name1.toStdString(), name2.toStdString())),
             message);
}

void TestChecks::checksUseDecimalSeparator()
{
    test::RecordingNotifier rec;
    Settings().decimalSeparator = std::string(1, ','); // a decimal-comma locale
    QCOMPARE(Q(CheckNumericMessage("2,5")), QString());
    QCOMPARE(Q(CheckNumericMessage("2.5")), QString("Input must be numeric value"));
    QCOMPARE(Q(CheckRangeMessage(0.1, 0.5, 10, true)), QString("Input value too low. Must be > 0,5"));
}

QTEST_APPLESS_MAIN(TestChecks)
#include "tst_checks.moc"
