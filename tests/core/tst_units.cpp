// Scientific and engineering parts, the prefixed-unit display, unit long names and the unit
// conversions.
#include "core/cxmath.h"
#include "core/units.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <set>
#include <string>

using namespace korvel;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool Near(double actual, double expected, double relTol)
{
    if (expected == 0.0)
        return std::fabs(actual) <= relTol;
    return std::fabs(actual - expected) <= relTol * std::fabs(expected);
}

QByteArray Describe(double actual, double expected)
{
    return QByteArray("actual ") + QByteArray::number(actual, 'g', 17) + ", expected "
           + QByteArray::number(expected, 'g', 17);
}

} // namespace

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void sciParts_data();
    void sciParts();
    void engParts_data();
    void engParts();
    void sciPartsOfNonFiniteValueIsAMathFault();

    void engDisplay_data();
    void engDisplay();
    void engUnitTextOutsidePrefixRange_data();
    void engUnitTextOutsidePrefixRange();

    void unitLongName_data();
    void unitLongName();
    void unitLongNameUnknownLetter();
    void siUnitName_data();
    void siUnitName();
    void siUnitNameUnknown();

    void convertUnit_data();
    void convertUnit();
    void convertBetweenCodes_data();
    void convertBetweenCodes();
    void everyCodeRoundTrips_data();
    void everyCodeRoundTrips();
    void codeListCoversEveryFamily();
    void unknownCode_data();
    void unknownCode();
    void conversionFaults_data();
    void conversionFaults();
    void logarithmOfNonPositivePowerIsAMathFault();
};

// ---- Scientific and engineering parts ----------------------------------------------------

void TestUnits::sciParts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("mantissa");
    QTest::addColumn<int>("exponent");
    QTest::newRow("hair below 1e-3 snaps up") << 0.000999999999999999 << 1.0 << -3;
    QTest::newRow("hair below 1000 rounds up") << 999.9999999999999 << 1.0 << 3;
    QTest::newRow("negative hair below -10 snaps") << -9.99999999999999 << -1.0 << 1;
    QTest::newRow("hair below 1e6 snaps") << 999999.999999999 << 1.0 << 6;
    QTest::newRow("hair above 1 is kept") << 1.00000000000001 << 1.00000000000001 << 0;
    QTest::newRow("4.7e-5") << 4.7e-5 << 4.7 << -5;
    QTest::newRow("-0.0022") << -0.0022 << -2.2 << -3;
    QTest::newRow("123.456") << 123.456 << 1.23456 << 2;
    QTest::newRow("1") << 1.0 << 1.0 << 0;
    QTest::newRow("exponent 0 with fraction") << 3.3 << 3.3 << 0;
    QTest::newRow("1e300") << 1e300 << 1.0 << 300;
    QTest::newRow("-6.02e-300") << -6.02e-300 << -6.02 << -300;
    QTest::newRow("0") << 0.0 << 0.0 << 0;
}

void TestUnits::sciParts()
{
    QFETCH(double, value);
    QFETCH(double, mantissa);
    QFETCH(int, exponent);
    test::RecordingNotifier rec;
    const SciPair p = SciParts(value);
    QVERIFY2(Near(p.mantissa, mantissa, 1e-14), Describe(p.mantissa, mantissa));
    QCOMPARE(p.exponent, exponent);
    QVERIFY(rec.messages.empty());
}

void TestUnits::engParts_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("mantissa");
    QTest::addColumn<int>("exponent3");
    QTest::newRow("4.7e-5 is 47 u") << 4.7e-5 << 47.0 << -6;
    QTest::newRow("-0.0022 is -2.2 m") << -0.0022 << -2.2 << -3;
    QTest::newRow("1e-4 floors to 100 u") << 1e-4 << 100.0 << -6;
    QTest::newRow("1e-5 floors to 10 u") << 1e-5 << 10.0 << -6;
    QTest::newRow("hair below 1e-3 is 1 m") << 0.000999999999999999 << 1.0 << -3;
    QTest::newRow("hair below 1000 is 1 k") << 999.9999999999999 << 1.0 << 3;
    QTest::newRow("12345") << 12345.0 << 12.345 << 3;
    QTest::newRow("470000") << 470000.0 << 470.0 << 3;
    QTest::newRow("-3.3e7") << -3.3e7 << -33.0 << 6;
    QTest::newRow("1e-27") << 1e-27 << 1.0 << -27;
    QTest::newRow("0") << 0.0 << 0.0 << 0;
}

void TestUnits::engParts()
{
    QFETCH(double, value);
    QFETCH(double, mantissa);
    QFETCH(int, exponent3);
    test::RecordingNotifier rec;
    const SciPair p = EngParts(value);
    QVERIFY2(Near(p.mantissa, mantissa, 1e-14), Describe(p.mantissa, mantissa));
    QCOMPARE(p.exponent, exponent3);
}

void TestUnits::sciPartsOfNonFiniteValueIsAMathFault()
{
    test::RecordingNotifier rec;
    const SciPair p = SciParts(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(p.mantissa, 0.0);
    QCOMPARE(p.exponent, 0);
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].text), QString("Sys Error M03-6  Overflow"));
    QCOMPARE(Q(rec.messages[0].title), QString("Unexpected math error."));
}

// ---- Engineering display -----------------------------------------------------------------

void TestUnits::engDisplay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("dBm");
    QTest::addColumn<double>("mantissa");
    QTest::addColumn<QString>("unit");

    // Capacitance is never shown in millifarads; inductance is.
    QTest::newRow("2.2 mF shows as 2200 uF") << 0.0022 << "F" << false << 2200.0 << "uF";
    QTest::newRow("2.2 mH stays mH") << 0.0022 << "H" << false << 2.2 << "mH";
    QTest::newRow("47 uF") << 4.7e-5 << "F" << false << 47.0 << "uF";
    QTest::newRow("1 mF hair below") << 0.000999999999999999 << "F" << false << 1000.0 << "uF";
    QTest::newRow("10 pF") << 1e-11 << "F" << false << 10.0 << "pF";
    QTest::newRow("12.7 nH") << 1.27e-8 << "H" << false << 12.7 << "nH";
    QTest::newRow("4.7 kOhms") << 4700.0 << "Ohms" << false << 4.7 << "kOhms";
    QTest::newRow("1 kOhm from hair below") << 999.9999999999999 << "Ohm" << false << 1.0 << "kOhm";
    QTest::newRow("1 mHz from hair below") << 0.000999999999999999 << "Hz" << false << 1.0 << "mHz";
    QTest::newRow("1 YHz") << 1e24 << "Hz" << false << 1.0 << "YHz";
    QTest::newRow("3.3 yW") << 3.3e-24 << "W" << false << 3.3 << "yW";
    QTest::newRow("0 F") << 0.0 << "F" << false << 0.0 << "F";
    // The dBm flag only renames a power's unit; the mantissa is untouched.
    QTest::newRow("0.5 W with dBm") << 0.5 << "W" << true << 500.0 << "dBm";
    QTest::newRow("0.5 W without dBm") << 0.5 << "W" << false << 500.0 << "mW";
    QTest::newRow("dBm flag ignored for volts") << 0.5 << "V" << true << 500.0 << "mV";
    QTest::newRow("dBm flag ignored for farads") << 0.0022 << "F" << true << 2200.0 << "uF";
    QTest::newRow("negative 2.2 mV") << -0.0022 << "V" << false << -2.2 << "mV";
}

void TestUnits::engDisplay()
{
    QFETCH(double, value);
    QFETCH(QString, base);
    QFETCH(bool, dBm);
    QFETCH(double, mantissa);
    QFETCH(QString, unit);
    test::RecordingNotifier rec;
    const double m = EngMantissa(value, base.toStdString(), dBm);
    QVERIFY2(Near(m, mantissa, 1e-14), Describe(m, mantissa));
    QCOMPARE(Q(EngUnitText(value, base.toStdString(), dBm)), unit);
    QVERIFY(rec.messages.empty());
}

void TestUnits::engUnitTextOutsidePrefixRange_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("dBm");
    QTest::addColumn<QString>("unit");
    QTest::newRow("1e-27 F") << 1e-27 << "F" << false << "F";
    QTest::newRow("4.7e-26 H") << 4.7e-26 << "H" << false << "H";
    QTest::newRow("1e27 Hz") << 1e27 << "Hz" << false << "Hz";
    QTest::newRow("1e-27 W as dBm") << 1e-27 << "W" << true << "dBm";
}

void TestUnits::engUnitTextOutsidePrefixRange()
{
    QFETCH(double, value);
    QFETCH(QString, base);
    QFETCH(bool, dBm);
    QFETCH(QString, unit);
    test::RecordingNotifier rec;
    QCOMPARE(Q(EngUnitText(value, base.toStdString(), dBm)), unit);
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].title), QString("Math error"));
    QCOMPARE(Q(rec.messages[0].text), QString("Error 201: Internal math over/underflow on Units"));
    QCOMPARE(rec.messages[0].icon, MsgIcon::Exclamation);
}

// ---- Long names --------------------------------------------------------------------------

void TestUnits::unitLongName_data()
{
    QTest::addColumn<QString>("prefixed");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kilohm") << "kOhm" << "Ohm" << "kilohm";
    QTest::newRow("megohm") << "MOhm" << "Ohm" << "megohm";
    QTest::newRow("milliohm") << "mOhm" << "Ohm" << "milliohm";
    QTest::newRow("microhm") << "uOhm" << "Ohm" << "microhm";
    QTest::newRow("nanohm") << "nOhm" << "Ohm" << "nanohm";
    QTest::newRow("gigaohm keeps its vowels") << "GOhm" << "Ohm" << "gigaohm";
    QTest::newRow("ohm") << "Ohm" << "Ohm" << "ohm";
    QTest::newRow("microfarad") << "uF" << "F" << "microfarad";
    QTest::newRow("picofarad") << "pF" << "F" << "picofarad";
    QTest::newRow("farad") << "F" << "F" << "farad";
    QTest::newRow("nanohenry") << "nH" << "H" << "nanohenry";
    QTest::newRow("kilohertz") << "kHz" << "Hz" << "kilohertz";
    QTest::newRow("megampere") << "MA" << "A" << "megampere";
    QTest::newRow("gigampere") << "GA" << "A" << "gigampere";
    QTest::newRow("dekampere") << "DA" << "A" << "dekampere";
    QTest::newRow("milliampere") << "mA" << "A" << "milliampere";
    QTest::newRow("kiloampere") << "kA" << "A" << "kiloampere";
    QTest::newRow("centisiemens") << "cS" << "S" << "centisiemens";
    QTest::newRow("hectovolt") << "hV" << "V" << "hectovolt";
    QTest::newRow("yottawatt") << "YW" << "W" << "yottawatt";
    QTest::newRow("zeptosecond") << "zs" << "s" << "zeptosecond";
}

void TestUnits::unitLongName()
{
    QFETCH(QString, prefixed);
    QFETCH(QString, base);
    QFETCH(QString, expected);
    test::RecordingNotifier rec;
    QCOMPARE(Q(UnitLongName(prefixed.toStdString(), base.toStdString())), expected);
    QVERIFY(rec.messages.empty());
}

void TestUnits::unitLongNameUnknownLetter()
{
    test::RecordingNotifier rec;
    QCOMPARE(Q(UnitLongName("xF", "F")), QString("farad"));
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].title), QString("Conversion error"));
    QCOMPARE(Q(rec.messages[0].text), QString("Error 201a: No match for Units"));
    QCOMPARE(rec.messages[0].icon, MsgIcon::Exclamation);
}

void TestUnits::siUnitName_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nodim") << "nodim" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("rad/s") << "rad/s" << "radian per second";
    QTest::newRow("Hz") << "Hz" << "hertz";
    QTest::newRow("Ohm") << "Ohm" << "ohm";
    QTest::newRow("S") << "S" << "siemens";
    QTest::newRow("A") << "A" << "ampere";
    QTest::newRow("V") << "V" << "volt";
    QTest::newRow("H") << "H" << "henry";
    QTest::newRow("F") << "F" << "farad";
    QTest::newRow("m") << "m" << "meter";
    QTest::newRow("degK") << "degK" << "degree kelvin";
    QTest::newRow("rad") << "rad" << "radian";
    QTest::newRow("s") << "s" << "second";
    QTest::newRow("W") << "W" << "watt";
    QTest::newRow("J") << "J" << "joule";
    QTest::newRow("kg") << "kg" << "kilogram";
}

void TestUnits::siUnitName()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    test::RecordingNotifier rec;
    QCOMPARE(Q(SIUnitName(code.toStdString())), expected);
    QVERIFY(rec.messages.empty());
}

void TestUnits::siUnitNameUnknown()
{
    test::RecordingNotifier rec;
    // "Ohms" is a display unit, not a base code; names are case-sensitive.
    QCOMPARE(Q(SIUnitName("Ohms")), QString());
    QCOMPARE(Q(SIUnitName("hz")), QString());
    QCOMPARE(rec.messages.size(), std::size_t(2));
    QCOMPARE(Q(rec.messages[0].title), QString("Conversion error"));
    QCOMPARE(Q(rec.messages[0].text), QString("Error 201b: No match for SI Units"));
    QCOMPARE(rec.messages[0].icon, MsgIcon::Exclamation);
}

// ---- Conversions -------------------------------------------------------------------------

void TestUnits::convertUnit_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("toBase");
    QTest::addColumn<double>("expected");

    QTest::newRow("10 mil to m") << 10.0 << "mil" << true << 0.000254;
    QTest::newRow("0.000254 m to mil") << 0.000254 << "mil" << false << 10.0;
    QTest::newRow("0 dBm to W") << 0.0 << "dBm" << true << 0.001;
    QTest::newRow("0.001 W to dBm") << 0.001 << "dBm" << false << 0.0;
    QTest::newRow("1 W to dBm") << 1.0 << "dBm" << false << 30.0;
    QTest::newRow("1 W to W") << 1.0 << "W" << false << 1.0;
    QTest::newRow("0 dBmV to W") << 0.0 << "dBmV" << true << 1e-6 / 75;
    QTest::newRow("1e-6/75 W to dBmV") << 1e-6 / 75 << "dBmV" << false << 0.0;
    QTest::newRow("-3 dBW") << -3.0 << "dBW" << true << 0.50118723362727;
    QTest::newRow("25 degC to K") << 25.0 << "degC" << true << 298.15;
    QTest::newRow("298.15 K to degF") << 298.15 << "degF" << false << 77.0;
    QTest::newRow("32 degF to K") << 32.0 << "degF" << true << 273.15;
    QTest::newRow("0 K to degC") << 0.0 << "degC" << false << -273.15;
    QTest::newRow("6 dB is a voltage ratio") << 6.0 << "dB" << true << 1.9952623149688795;
    QTest::newRow("2 voltage ratio in dB") << 2.0 << "dB" << false << 6.0205999132796;
    QTest::newRow("1 B") << 1.0 << "B" << true << 3.1622776601683795;
    QTest::newRow("power ratio 4 is voltage ratio 2") << 4.0 << "Ap" << true << 2.0;
    QTest::newRow("voltage ratio 3 is power ratio 9") << 3.0 << "Ap" << false << 9.0;
    QTest::newRow("1 Np uses the program's e") << 1.0 << "Np" << true << kE;
    QTest::newRow("e in Np") << kE << "Np" << false << 1.0;
    QTest::newRow("1 MHz") << 1.0 << "MHz" << true << 1e6;
    QTest::newRow("2.4 GHz in MHz") << 2.4e9 << "MHz" << false << 2400.0;
    QTest::newRow("47 kOhm") << 47.0 << "kOhm" << true << 47000.0;
    QTest::newRow("100 pF") << 100.0 << "pF" << true << 1e-10;
    QTest::newRow("12 nH") << 12.0 << "nH" << true << 1.2e-8;
    QTest::newRow("1 in") << 1.0 << "in" << true << 0.0254;
    QTest::newRow("1 ft") << 1.0 << "ft" << true << 0.3048;
    QTest::newRow("1 yard") << 1.0 << "yard" << true << 0.9144;
    QTest::newRow("1 mi") << 1.0 << "mi" << true << 1609.344;
    QTest::newRow("1 miUS") << 1.0 << "miUS" << true << 1609.34721869;
    QTest::newRow("1 nmi") << 1.0 << "nmi" << true << 1852.0;
    QTest::newRow("1 Angstrom") << 1.0 << "Angstrom" << true << 1e-10;
    QTest::newRow("180 deg is the program's pi") << 180.0 << "deg" << true << kPi;
    QTest::newRow("100 grad") << 100.0 << "grad" << true << kPi / 2;
    QTest::newRow("250 cir mil") << 250.0 << "cir mil" << true << kPi / 2;
    QTest::newRow("1 rad/s") << 1.0 << "rad/s" << true << 2 * kPi;
    QTest::newRow("nodim") << 3.5 << "nodim" << true << 3.5;
    QTest::newRow("empty code") << 3.5 << "" << false << 3.5;
    QTest::newRow("1 mo") << 1.0 << "mo" << true << 2629743.831225;
    QTest::newRow("1 yr") << 1.0 << "yr" << true << 31556925.9747;
    QTest::newRow("1 hp") << 1.0 << "hp" << true << 745.699871582;
    QTest::newRow("1 slug") << 1.0 << "slug" << true << 14.5939029372;
    QTest::newRow("1 grain") << 1.0 << "grain" << true << 6.479891e-05;
    QTest::newRow("1 oz") << 1.0 << "oz" << true << 0.028349523195;
    QTest::newRow("1 J") << 1.0 << "J" << true << 1.0;
    // Case matters: milli and mega, pico and peta.
    QTest::newRow("1 mA") << 1.0 << "mA" << true << 1e-3;
    QTest::newRow("1 MA") << 1.0 << "MA" << true << 1e6;
    QTest::newRow("1 pH") << 1.0 << "pH" << true << 1e-12;
    QTest::newRow("1 PH") << 1.0 << "PH" << true << 1e15;
    QTest::newRow("1 ms is a time") << 1.0 << "ms" << true << 1e-3;
    QTest::newRow("1 mS is a conductance") << 1.0 << "mS" << true << 1e-3;
    QTest::newRow("1 h is an hour") << 1.0 << "h" << true << 3600.0;
    QTest::newRow("1 H is a henry") << 1.0 << "H" << true << 1.0;
}

void TestUnits::convertUnit()
{
    QFETCH(double, value);
    QFETCH(QString, code);
    QFETCH(bool, toBase);
    QFETCH(double, expected);
    test::RecordingNotifier rec;
    const double got = ConvertUnit(value, code.toStdString(), toBase);
    if (expected == 0.0)
        QVERIFY2(std::fabs(got) < 1e-12, Describe(got, expected));
    else
        QVERIFY2(Near(got, expected, 1e-12), Describe(got, expected));
    QVERIFY(rec.messages.empty());
}

void TestUnits::convertBetweenCodes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    // Independent facts about the units, checked through the base unit. The constants are
    // the program's own, so a few facts hold only to their last digits.
    QTest::newRow("mile in feet") << 1.0 << "mi" << "ft" << 5280.0 << 1e-9;
    QTest::newRow("mile in yards") << 1.0 << "mi" << "yard" << 1760.0 << 1e-9;
    QTest::newRow("foot in inches") << 1.0 << "ft" << "in" << 12.0 << 1e-9;
    QTest::newRow("1000 mil is an inch") << 1000.0 << "mil" << "in" << 1.0 << 1e-9;
    QTest::newRow("km in m") << 1.0 << "km" << "m" << 1000.0 << 1e-9;
    QTest::newRow("25.4 mm in mil") << 25.4 << "mm" << "mil" << 1000.0 << 1e-9;
    QTest::newRow("-40 is -40 in both scales") << -40.0 << "degC" << "degF" << -40.0 << 1e-9;
    QTest::newRow("water boils") << 100.0 << "degC" << "degF" << 212.0 << 1e-9;
    QTest::newRow("0 degF in degC") << 0.0 << "degF" << "degC" << -160.0 / 9.0 << 1e-9;
    QTest::newRow("full turn in grad") << 360.0 << "deg" << "grad" << 400.0 << 1e-9;
    QTest::newRow("full turn in cir mil") << 360.0 << "deg" << "cir mil" << 1000.0 << 1e-9;
    QTest::newRow("week in hours") << 1.0 << "wk" << "h" << 168.0 << 1e-9;
    QTest::newRow("day in minutes") << 1.0 << "d" << "min" << 1440.0 << 1e-9;
    QTest::newRow("year is twelve months") << 1.0 << "yr" << "mo" << 12.0 << 1e-9;
    QTest::newRow("pound in ounces") << 1.0 << "p" << "oz" << 16.0 << 1e-9;
    // The pound is carried as 0.45359237112 kg, 2.5e-9 above the grain's 7000 x 64.79891 mg.
    QTest::newRow("7000 grains make a pound") << 7000.0 << "grain" << "p" << 1.0 << 1e-8;
    QTest::newRow("30 dBm is 0 dBW") << 30.0 << "dBm" << "dBW" << 0.0 << 1e-9;
    QTest::newRow("-30 dBW is 0 dBm") << -30.0 << "dBW" << "dBm" << 0.0 << 1e-9;
    QTest::newRow("60 dBmV is 1 V on 75 ohm") << 60.0 << "dBmV" << "W" << 1.0 / 75.0 << 1e-9;
    QTest::newRow("0 dBmV in dBm") << 0.0 << "dBmV" << "dBm" << -48.750612633917 << 1e-9;
    QTest::newRow("6 dB is 0.6 B") << 6.0 << "dB" << "B" << 0.6 << 1e-9;
    QTest::newRow("1 Np in dB") << 1.0 << "Np" << "dB" << 8.6858896380650 << 1e-9;
    QTest::newRow("power ratio 100 is 20 dB") << 100.0 << "Ap" << "dB" << 20.0 << 1e-9;
    QTest::newRow("Av and Ai alike") << 2.5 << "Av" << "Ai" << 2.5 << 1e-9;
    QTest::newRow("1 MA in mA") << 1.0 << "MA" << "mA" << 1e9 << 1e-9;
    QTest::newRow("1 pH in PH") << 1.0 << "pH" << "PH" << 1e-27 << 1e-9;
    QTest::newRow("1 ms in us") << 1.0 << "ms" << "us" << 1000.0 << 1e-9;
    QTest::newRow("1 dS in mS") << 1.0 << "dS" << "mS" << 100.0 << 1e-9;
    QTest::newRow("1 kg in ug") << 1.0 << "kg" << "ug" << 1e9 << 1e-9;
}

void TestUnits::convertBetweenCodes()
{
    QFETCH(double, value);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    test::RecordingNotifier rec;
    const double base = ConvertUnit(value, from.toStdString(), true);
    const double got = ConvertUnit(base, to.toStdString(), false);
    QVERIFY2(Near(got, expected, tolerance), Describe(got, expected));
    QVERIFY(rec.messages.empty());
}

void TestUnits::everyCodeRoundTrips_data()
{
    QTest::addColumn<QString>("code");
    for (std::string_view code : ConvertibleUnitCodes()) {
        const QString name = QString::fromUtf8(code.data(), qsizetype(code.size()));
        QTest::newRow(qPrintable(name.isEmpty() ? QString("(empty)") : name)) << name;
    }
}

void TestUnits::everyCodeRoundTrips()
{
    QFETCH(QString, code);
    test::RecordingNotifier rec;
    const std::string c = code.toStdString();
    for (double v : {0.5, 3.7, 47.0, 123.4, -2.25}) {
        if (v < 0 && c == "Ap")
            continue; // a power ratio has no negative square root
        const double base = ConvertUnit(v, c, true);
        QVERIFY2(std::isfinite(base) && base != 0.0, qPrintable(QString("%1 to base").arg(v)));
        const double back = ConvertUnit(base, c, false);
        QVERIFY2(Near(back, v, 1e-11), Describe(back, v));
    }
    QVERIFY(rec.messages.empty());
}

void TestUnits::codeListCoversEveryFamily()
{
    // Built here from the prefix rows rather than copied from the table.
    const char* small[] = {"y", "z", "a", "f", "p", "n", "u", "m"};
    const char* large[] = {"k", "M", "G", "T", "P", "E", "Z", "Y"};
    std::set<std::string> expected;
    auto addFamily = [&](const std::string& base, bool withSmall, bool withCentiDeci, int largeCount) {
        expected.insert(base);
        if (withSmall)
            for (const char* p : small)
                expected.insert(p + base);
        if (withCentiDeci) {
            expected.insert("c" + base);
            expected.insert("d" + base);
        }
        for (int i = 0; i < largeCount; ++i)
            expected.insert(large[i] + base);
    };
    addFamily("Hz", false, false, 8);
    addFamily("Ohm", true, false, 8);
    addFamily("S", true, true, 0);
    addFamily("A", true, true, 3);
    addFamily("V", true, true, 3);
    addFamily("H", true, true, 8);
    addFamily("F", true, true, 8);
    addFamily("s", true, true, 0);
    addFamily("W", true, true, 3);
    for (const char* c : {"mil", "in", "ft", "yard", "miUS", "mi", "nmi", "Angstrom", "um", "mm",
                          "cm", "m", "km", "degC", "degK", "degF", "deg", "rad", "grad", "cir mil",
                          "min", "h", "d", "wk", "mo", "yr", "hp", "dBm", "dBW", "dBmV", "Av", "Ai",
                          "Ap", "B", "dB", "Np", "J", "ug", "mg", "g", "kg", "grain", "oz", "p",
                          "slug", "nodim", "", "rad/s"})
        expected.insert(c);

    const auto& codes = ConvertibleUnitCodes();
    std::set<std::string> listed;
    for (std::string_view c : codes)
        QVERIFY2(listed.insert(std::string(c)).second, std::string(c).c_str()); // no duplicates
    for (const std::string& c : expected)
        QVERIFY2(listed.count(c) == 1, ("missing " + c).c_str());
    for (const std::string& c : listed)
        QVERIFY2(expected.count(c) == 1, ("unexpected " + c).c_str());
}

void TestUnits::unknownCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("lower-case mhz") << "mhz";
    QTest::newRow("upper-case MHZ") << "MHZ";
    QTest::newRow("ohm") << "ohm";
    QTest::newRow("Ohms is a display unit") << "Ohms";
    QTest::newRow("Ms") << "Ms";
    QTest::newRow("leading blank") << " MHz";
    QTest::newRow("degR") << "degR";
    QTest::newRow("Btu") << "Btu";
    QTest::newRow("cal") << "cal";
    QTest::newRow("erg") << "erg";
    QTest::newRow("eV") << "eV";
    QTest::newRow("GeV") << "GeV";
    QTest::newRow("bev ??") << "bev ??";
    QTest::newRow("dyn") << "dyn";
    QTest::newRow("thermal conductivity, imperial") << "(Btu-ft)/hr-sq ft-degF)";
    QTest::newRow("thermal conductivity, cgs") << "(cal-cm)/(sec-sq cm-degC)";
    QTest::newRow("degC/W") << "degC/W";
    QTest::newRow("u") << "u";
    QTest::newRow("amu") << "amu";
}

void TestUnits::unknownCode()
{
    QFETCH(QString, code);
    test::RecordingNotifier rec;
    for (bool toBase : {true, false}) {
        rec.Clear();
        QCOMPARE(ConvertUnit(5.0, code.toStdString(), toBase), 0.0);
        QCOMPARE(rec.messages.size(), std::size_t(1));
        QCOMPARE(Q(rec.messages[0].title), QString());
        QCOMPARE(Q(rec.messages[0].text), QString("System Error 101 (Unit misspelled or out of range)"));
        QCOMPARE(rec.messages[0].icon, MsgIcon::None);
    }
}

void TestUnits::conversionFaults_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("toBase");
    QTest::addColumn<QString>("message");
    QTest::newRow("overflow to base") << 1e300 << "YHz" << true << "Error SV9-6  Overflow";
    QTest::newRow("overflow from base") << 1e300 << "yF" << false << "Error SV9-6  Overflow";
    QTest::newRow("overflow of a formula") << 1e306 << "mi" << true << "Error SV9-6  Overflow";
    QTest::newRow("Np of zero ratio") << 0.0 << "Np" << false
                                      << "Error SV9-5  Invalid procedure call or argument";
    QTest::newRow("Np overflow") << 1000.0 << "Np" << true << "Error SV9-6  Overflow";
    QTest::newRow("negative power ratio") << -4.0 << "Ap" << true
                                          << "Error SV9-5  Invalid procedure call or argument";
    // The voltage of a negative power is the fault; no logarithm is attempted after it.
    QTest::newRow("negative power in dBmV") << -1.0 << "dBmV" << false
                                            << "Error SV9-5  Invalid procedure call or argument";
}

void TestUnits::conversionFaults()
{
    QFETCH(double, value);
    QFETCH(QString, code);
    QFETCH(bool, toBase);
    QFETCH(QString, message);
    test::RecordingNotifier rec;
    QCOMPARE(ConvertUnit(value, code.toStdString(), toBase), 0.0);
    QCOMPARE(rec.messages.size(), std::size_t(1));
    QCOMPARE(Q(rec.messages[0].text), message);
    QCOMPARE(Q(rec.messages[0].title), QString());
    QCOMPARE(rec.messages[0].icon, MsgIcon::None);
}

void TestUnits::logarithmOfNonPositivePowerIsAMathFault()
{
    // A logarithmic code of a base value <= 0 is the logarithm's fault, reported by the math
    // module, and gives 0.
    for (const char* code : {"dBm", "dBW", "dBmV", "B", "dB"}) {
        test::RecordingNotifier rec;
        QCOMPARE(ConvertUnit(0.0, code, false), 0.0);
        QVERIFY2(rec.messages.size() == 1, code);
        QVERIFY2(rec.messages[0].text.rfind("Sys Error M00-", 0) == 0, rec.messages[0].text.c_str());
        QCOMPARE(Q(rec.messages[0].title), QString("Unexpected math error."));
        QCOMPARE(Q(Settings().lastMathError), Q(rec.messages[0].text));
        QCOMPARE(rec.sounds.size(), std::size_t(1));
        QCOMPARE(Q(rec.sounds[0]), QString("ding.wav"));
    }
}

QTEST_APPLESS_MAIN(TestUnits)
#include "tst_units.moc"
