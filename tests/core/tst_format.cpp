// Numeric pictures, the default number-to-text conversion and the numeric test of input text.
#include "core/units.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace korvel;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

} // namespace

class TestFormat : public QObject {
    Q_OBJECT

private slots:
    void formatValue_data();
    void formatValue();
    void formatValueOfNonFiniteValueReportsOverflow();
    void formatValueHashMantissaKeepsFifteenDigits_data();
    void formatValueHashMantissaKeepsFifteenDigits();

    void numberText_data();
    void numberText();
    void numberTextRoundTrips_data();
    void numberTextRoundTrips();

    void isNumericText_data();
    void isNumericText();
    void numericTextWithCommaSeparator();
};

void TestFormat::formatValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    // Rounding is half away from zero on the 15-digit decimal form, not on the binary value:
    // 2.675 and 1.005 are stored a hair below the tie and would round down in printf.
    QTest::newRow("tie 0.125") << 0.125 << "0.00" << "0.13";
    QTest::newRow("tie 2.675 stored below") << 2.675 << "0.00" << "2.68";
    QTest::newRow("tie 1.005 stored below") << 1.005 << "0.00" << "1.01";
    QTest::newRow("tie -2.675") << -2.675 << "0.00" << "-2.68";
    QTest::newRow("tie 0.5 to units") << 0.5 << "0." << "1.";
    QTest::newRow("tie 2.5 to units") << 2.5 << "0." << "3.";
    QTest::newRow("tie 0.05") << 0.05 << "0.0" << "0.1";
    QTest::newRow("tie 0.0005") << 0.0005 << "0.000" << "0.001";
    QTest::newRow("below tie") << 0.12499 << "0.00" << "0.12";
    QTest::newRow("carry through nines") << 9.995 << "0.00" << "10.00";
    QTest::newRow("carry 99.96") << 99.96 << "0.0" << "100.0";

    // A value that rounds to zero shows no minus sign.
    QTest::newRow("-0.04 to zero") << -0.04 << "0.0" << "0.0";
    QTest::newRow("-0.004 to zero") << -0.004 << "0.00" << "0.00";
    QTest::newRow("-0.05 keeps sign") << -0.05 << "0.0" << "-0.1";
    QTest::newRow("negative zero") << -0.0 << "0.00" << "0.00";
    QTest::newRow("tiny negative") << -1e-300 << "0.00" << "0.00";

    // The point is written whenever the pattern has one.
    QTest::newRow("0. on 12.3") << 12.3 << "0." << "12.";
    QTest::newRow("0. on 0") << 0.0 << "0." << "0.";
    QTest::newRow("#0.# on 2") << 2.0 << "#0.#" << "2.";
    QTest::newRow("#0.# on 2.25") << 2.25 << "#0.#" << "2.3";
    QTest::newRow("#0.# on 0.04") << 0.04 << "#0.#" << "0.";
    QTest::newRow("#0.### on 2.5") << 2.5 << "#0.###" << "2.5";
    QTest::newRow("#0.### on 1234.56789") << 1234.56789 << "#0.###" << "1234.568";
    QTest::newRow("#0.### on 0.0004") << 0.0004 << "#0.###" << "0.";
    QTest::newRow("#0.### on 0.0005") << 0.0005 << "#0.###" << "0.001";

    // "#" before the point is dropped when not significant; "0" is not.
    QTest::newRow("###.00 on 0.5") << 0.5 << "###.00" << ".50";
    QTest::newRow("###.00 on 0") << 0.0 << "###.00" << ".00";
    QTest::newRow("###.00 on 1234.5") << 1234.5 << "###.00" << "1234.50";
    QTest::newRow("##0.00 on 0.5") << 0.5 << "##0.00" << "0.50";
    QTest::newRow("##0.00 on 12.345") << 12.345 << "##0.00" << "12.35";
    QTest::newRow("###0.00 on 0.004") << 0.004 << "###0.00" << "0.00";
    QTest::newRow("###0.00 on -98765.4321") << -98765.4321 << "###0.00" << "-98765.43";
    QTest::newRow("##0.0 on 7") << 7.0 << "##0.0" << "7.0";
    QTest::newRow("##0.0 on -0.25") << -0.25 << "##0.0" << "-0.3";

    // Literal leading blanks stay, and the minus sign goes in front of them.
    QTest::newRow("  0.0 on 5") << 5.0 << "  0.0" << "  5.0";
    QTest::newRow("  0.0 on -5") << -5.0 << "  0.0" << "-  5.0";
    QTest::newRow("  0.00 on 50.125") << 50.125 << "  0.00" << "  50.13";
    QTest::newRow("  0.000 on 0.0123456") << 0.0123456 << "  0.000" << "  0.012";
    QTest::newRow("  0.000 on -1.0005") << -1.0005 << "  0.000" << "-  1.001";
    QTest::newRow("  0.000 rounds to zero") << -0.0004 << "  0.000" << "  0.000";

    QTest::newRow("0.0000 on pi") << 3.14159265358979 << "0.0000" << "3.1416";
    QTest::newRow("0.00000 on 1/3") << 1.0 / 3.0 << "0.00000" << "0.33333";
    QTest::newRow("0.00000 on 2e-6") << 2e-6 << "0.00000" << "0.00000";
    QTest::newRow("0.00000 on 5e-6") << 5e-6 << "0.00000" << "0.00001";
    QTest::newRow("0.000 on 50") << 50.0 << "0.000" << "50.000";

    // Large values print every integer digit; beyond the 15th they come from the 15-digit
    // form, so they are zeros.
    QTest::newRow("1e20") << 1e20 << "0.00" << "100000000000000000000.00";
    QTest::newRow("-1e20") << -1e20 << "0.00" << "-100000000000000000000.00";
    QTest::newRow("17 digits cut to 15") << 12345678901234567.0 << "0." << "12345678901234600.";
    QTest::newRow("15 digits then fraction") << 123456789012.345 << "0.00" << "123456789012.35";
    QTest::newRow("1e-300") << 1e-300 << "0.00" << "0.00";

    // Thousands grouping and quoted literals.
    QTest::newRow("grouping") << 1234567.891 << "#,##0.00" << "1,234,567.89";
    QTest::newRow("grouping, small value") << 0.5 << "#,##0.00" << "0.50";
    QTest::newRow("quoted unit") << 3.456 << "0.0\" dB\"" << "3.5 dB";

    // Percent scales by 100.
    QTest::newRow("0.0% on 0.1234") << 0.1234 << "0.0%" << "12.3%";
    QTest::newRow("0.0% on 1") << 1.0 << "0.0%" << "100.0%";
    QTest::newRow("0.0% on -0.00049") << -0.00049 << "0.0%" << "0.0%";
    QTest::newRow("Percent on 0.5") << 0.5 << "Percent" << "50.00%";
    QTest::newRow("percent on 0.12345") << 0.12345 << "percent" << "12.35%";

    // Scientific notation.
    QTest::newRow("0.00E+00 on 1234") << 1234.0 << "0.00E+00" << "1.23E+03";
    QTest::newRow("0.00E+00 on 1") << 1.0 << "0.00E+00" << "1.00E+00";
    QTest::newRow("0.00E+00 on 0") << 0.0 << "0.00E+00" << "0.00E+00";
    QTest::newRow("0.00E+00 on -0.0001234") << -0.0001234 << "0.00E+00" << "-1.23E-04";
    QTest::newRow("0.00E+00 mantissa carry") << 9.996 << "0.00E+00" << "1.00E+01";
    QTest::newRow("0.00E+00 on 1e300") << 1e300 << "0.00E+00" << "1.00E+300";
    QTest::newRow("0.00E+00 on 1.5e-300") << 1.5e-300 << "0.00E+00" << "1.50E-300";
    QTest::newRow("0.00E+00 tie") << 1.125e6 << "0.00E+00" << "1.13E+06";
    QTest::newRow("Scientific") << 299792458.0 << "Scientific" << "3.00E+08";
    QTest::newRow("scientific") << 0.000047 << "scientific" << "4.70E-05";
    QTest::newRow("E- hides plus") << 31.4159 << "0.00E-00" << "3.14E01";
    QTest::newRow("E- shows minus") << 0.0314159 << "0.00E-00" << "3.14E-02";
    QTest::newRow("lower-case e") << 1234.0 << "0.0e+00" << "1.2e+03";
    QTest::newRow("two integer places") << 1234.0 << "00.00E+00" << "12.34E+02";

    // A bare "E+" writes the exponent in as few digits as it needs, and nothing for 0.
    QTest::newRow("#.###E+ on 1") << 1.0 << "#.###E+" << "1.E+";
    QTest::newRow("#.###E+ on 1234.5") << 1234.5 << "#.###E+" << "1.235E+3";
    QTest::newRow("#.###E+ on 0.00047") << 0.00047 << "#.###E+" << "4.7E-4";
    QTest::newRow("#.###E+ on -2e-12") << -2e-12 << "#.###E+" << "-2.E-12";
    QTest::newRow("#.###E+ on 9.9996") << 9.9996 << "#.###E+" << "1.E+1";
}

void TestFormat::formatValue()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    test::RecordingNotifier rec;
    QCOMPARE(Q(FormatValue(value, pattern.toStdString())), expected);
    QVERIFY(rec.messages.empty());
}

void TestFormat::formatValueOfNonFiniteValueReportsOverflow()
{
    test::RecordingNotifier rec;
    QCOMPARE(Q(FormatValue(std::numeric_limits<double>::infinity(), "0.00")), QString());
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].text), QString("Error SV0-6  Overflow"));
    QCOMPARE(Q(rec.messages[0].title), QString());
    QCOMPARE(rec.messages[0].icon, MsgIcon::None);

    // Scaling for a percentage can overflow a finite value too.
    rec.Clear();
    QCOMPARE(Q(FormatValue(1e307, "0.0%")), QString());
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].text), QString("Error SV0-6  Overflow"));
}

void TestFormat::formatValueHashMantissaKeepsFifteenDigits_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    // The scientific decomposition of values rests on exactly this text.
    QTest::newRow("pi") << 3.14159265358979 << "3.14159265358979E+";
    QTest::newRow("1/3") << 1.0 / 3.0 << "3.33333333333333E-1";
    QTest::newRow("hair below 1e-3") << 0.000999999999999999 << "9.99999999999999E-4";
    QTest::newRow("hair below 1000 rounds to it") << 999.9999999999999 << "1.E+3";
    QTest::newRow("-4.7e-5") << -4.7e-5 << "-4.7E-5";
    QTest::newRow("1.6605402e-27") << 1.6605402e-27 << "1.6605402E-27";
}

void TestFormat::formatValueHashMantissaKeepsFifteenDigits()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    test::RecordingNotifier rec;
    QCOMPARE(Q(FormatValue(value, "#.#########################################E+")), expected);
}

void TestFormat::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0.0001 stays plain") << 0.0001 << "0.0001";
    QTest::newRow("0.00001 takes exponent") << 0.00001 << "1E-05";
    QTest::newRow("0.000015") << 0.000015 << "1.5E-05";
    QTest::newRow("1e15 takes exponent") << 1e15 << "1E+15";
    QTest::newRow("15 digits stay plain") << 123456789012345.0 << "123456789012345";
    QTest::newRow("atomic mass unit") << 1.6605402e-27 << "1.6605402E-27";
    QTest::newRow("1e300") << 1e300 << "1E+300";
    QTest::newRow("1e-300") << 1e-300 << "1E-300";
    QTest::newRow("0.001") << 0.001 << "0.001";
    QTest::newRow("0.5") << 0.5 << "0.5";
    QTest::newRow("-2") << -2.0 << "-2";
    QTest::newRow("0") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("1/3 to 15 digits") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("0.1 + 0.2 hides binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("trailing zeros dropped") << 2.5e10 << "25000000000";
}

void TestFormat::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    test::RecordingNotifier rec;
    QCOMPARE(Q(NumberText(value)), expected);
}

void TestFormat::numberTextRoundTrips_data()
{
    QTest::addColumn<double>("value");
    for (int e = -300; e <= 300; e += 23) {
        const double v = 1.2345678901234 * std::pow(10.0, e);
        QTest::newRow(qPrintable(QString("1.2345678901234e%1").arg(e))) << v;
        QTest::newRow(qPrintable(QString("-7.77e%1").arg(e))) << -7.77 * std::pow(10.0, e);
    }
}

void TestFormat::numberTextRoundTrips()
{
    QFETCH(double, value);
    test::RecordingNotifier rec;
    const std::string text = NumberText(value);
    QVERIFY2(IsNumericText(text), text.c_str());
    const double back = NumberFromText(text);
    QVERIFY2(std::fabs(back - value) <= 1e-14 * std::fabs(value), text.c_str());
}

void TestFormat::isNumericText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");

    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("decimal") << "12.5" << true << 12.5;
    QTest::newRow("trailing point") << "1." << true << 1.0;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("minus") << "-3.25" << true << -3.25;
    QTest::newRow("plus") << "+4" << true << 4.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("upper-case exponent, signed") << "2.5E-3" << true << 0.0025;
    QTest::newRow("exponent with plus") << "-1.5e+2" << true << -150.0;
    QTest::newRow("surrounding blanks") << "  42  " << true << 42.0;
    QTest::newRow("surrounding tabs") << "\t7\t" << true << 7.0;
    QTest::newRow("underflow reads as zero") << "1e-999" << true << 0.0;

    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blanks only") << "   " << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("sign and point") << "+." << false << 0.0;
    QTest::newRow("exponent without digits") << "1e" << false << 0.0;
    QTest::newRow("exponent sign without digits") << "1e+" << false << 0.0;
    QTest::newRow("exponent alone") << "e5" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("trailing letters") << "12abc" << false << 0.0;
    QTest::newRow("comma is not the separator") << "1,5" << false << 0.0;
    QTest::newRow("blank inside") << "1 000" << false << 0.0;
    QTest::newRow("sign after blank gap") << "- 5" << false << 0.0;
    QTest::newRow("double sign") << "--5" << false << 0.0;
    QTest::newRow("fractional exponent") << "1e2.5" << false << 0.0;
    QTest::newRow("prefix letter") << "10k" << false << 0.0;
    QTest::newRow("beyond double range") << "1e999" << false << 0.0;
}

void TestFormat::isNumericText()
{
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    test::RecordingNotifier rec;
    const std::string s = text.toStdString();
    QCOMPARE(IsNumericText(s), numeric);
    QCOMPARE(NumberFromText(s), value);
}

void TestFormat::numericTextWithCommaSeparator()
{
    test::RecordingNotifier rec;
    Settings().decimalSeparator = std::string(1, ','); // a decimal-comma locale
    QVERIFY(IsNumericText("1,5"));
    QCOMPARE(NumberFromText("1,5"), 1.5);
    QVERIFY(!IsNumericText("1.5"));
    QVERIFY(!IsNumericText("1,5,0"));
}

QTEST_APPLESS_MAIN(TestFormat)
#include "tst_format.moc"
