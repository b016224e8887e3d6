// Microstrip formulas: the worked examples, impedances and effective permittivities published
// for the same closed-form models, the thickness and dielectric edge cases, the accuracy
// warnings at their exact thresholds, the fault paths, and sweeps over everything the window
// accepts.
#include "lines/microstrip.h"

#include <QtTest>

#include <cmath>
#include <vector>

using namespace korvel;

Q_DECLARE_METATYPE(std::vector<korvel::LineWarning>)

namespace {

constexpr double kMil = 2.54e-5;   // metres
constexpr double kMm = 1e-3;

const LineWarning kWidthYellow{"Very high or very low Width/Height ratio may affect accuracy",
                               LineStatusLevel::Warning};
const LineWarning kWidthRed{"Extreme Width/Height ratio may impair accuracy", LineStatusLevel::Severe};
const LineWarning kErYellow{"High dielectric constant may affect accuracy", LineStatusLevel::Warning};
const LineWarning kErRed{"Extreme dielectric constant may impair accuracy", LineStatusLevel::Severe};
const char* const kFault = "Unexpected math error (B01). Combination of Er and W/H out of range.";

bool RelNear(double got, double want, double rel)
{
    return std::fabs(got - want) <= rel * std::fabs(want);
}

QByteArray Show(double got, double want)
{
    return "got " + QByteArray::number(got, 'g', 12) + ", want " + QByteArray::number(want, 'g', 12);
}

QByteArray Describe(const std::vector<LineWarning>& ws)
{
    QByteArray out;
    for (const auto& w : ws)
        out += QByteArray("[") + w.text.c_str() + "/" + QByteArray::number(static_cast<int>(w.level)) + "]";
    return out;
}

MicrostripResult Analyse(double w, double h, double t, double er, double f, double unit)
{
    return AnalyseMicrostrip({w * unit, h * unit, t * unit, 1000.0 * kMil, f, er});
}

} // namespace

class TestMicrostrip : public QObject {
    Q_OBJECT
private slots:
    void workedExamples_data();
    void workedExamples();
    void defaultWave();
    void dispersionWorked_data();
    void dispersionWorked();
    void publishedValues_data();
    void publishedValues();
    void zeroThickness_data();
    void zeroThickness();
    void airDielectric_data();
    void airDielectric();
    void staticLimit_data();
    void staticLimit();
    void warnings_data();
    void warnings();
    void typedRatioDecidesWarnings();
    void faults_data();
    void faults();
    void directCallWritesPermittivity();
    void sweepWidth();
    void sweepThickness();
    void sweepFrequency();
};

void TestMicrostrip::workedExamples_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eeff");
    // Dimensions in mil, 1 GHz. Z0 is shown to two decimals, the permittivity to three.
    QTest::newRow("defaults") << 12.0 << 6.0 << 2.1 << 1.0 << 80.42 << 1.0;
    QTest::newRow("defaults with zero thickness") << 12.0 << 6.0 << 0.0 << 1.0 << 89.03 << 1.0;
    QTest::newRow("FR-4 fifty ohm") << 23.0 << 12.5 << 1.4 << 4.6 << 48.52 << 3.362;
}

void TestMicrostrip::workedExamples()
{
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, z0);
    QFETCH(double, eeff);
    const MicrostripResult r = Analyse(w, h, t, er, 1e9, kMil);
    QVERIFY(!r.fault.raised);
    QVERIFY2(std::fabs(r.z0_ohm - z0) < 0.005, Show(r.z0_ohm, z0));
    QVERIFY2(std::fabs(r.eeff - eeff) < 0.0005, Show(r.eeff, eeff));
    QVERIFY2(RelNear(r.wave.velocityFactor, 1.0 / std::sqrt(r.eeff), 1e-14), Show(r.wave.velocityFactor, 0));
}

void TestMicrostrip::defaultWave()
{
    // In air the wave travels at c: 1 GHz is 299.792458 mm, 11802.853 mil; 1000 mil of line
    // is 0.085 of it, 30.5 degrees.
    const MicrostripResult r = Analyse(12.0, 6.0, 2.1, 1.0, 1e9, kMil);
    QCOMPARE(r.whRatio, 2.0);
    QCOMPARE(r.wave.velocityFactor, 1.0);
    QVERIFY(RelNear(r.wave.wavelength_m / kMil, 11802.8526772, 1e-10));
    QVERIFY(RelNear(r.wave.fractionOfWavelength, 0.0847252802, 1e-9));
    QVERIFY(RelNear(r.wave.electricalLength_rad * 180.0 / 3.14159265358979, 30.5011009, 1e-8));
    QVERIFY2(r.warnings.empty(), Describe(r.warnings));
}

void TestMicrostrip::dispersionWorked_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eeff");
    // Dimensions in mm. Worked separately, in double precision, from the model's equations as
    // written (fn = f H in GHz mm from 2.5 to 19): every dispersion constant shows here, where
    // the 1 GHz examples barely feel them.
    QTest::newRow("alumina 10 mil, 10 GHz") << 0.3 << 0.254 << 0.018 << 9.8 << 1e10 << 44.075612454765235
                                            << 6.563555064539511;
    QTest::newRow("RO4003 20 mil, 20 GHz") << 0.6 << 0.508 << 0.035 << 3.38 << 2e10 << 71.88964447773401
                                           << 2.574722839221161;
    QTest::newRow("GaAs 100 um, 40 GHz") << 0.05 << 0.1 << 0.003 << 13.0 << 4e10 << 57.076012003292384
                                         << 8.160891429197656;
    QTest::newRow("wide on FR-4, 10 GHz") << 5.0 << 1.6 << 0.035 << 4.6 << 1e10 << 37.57429002377171
                                          << 3.9753269278680277;
    QTest::newRow("narrow on alumina, 30 GHz") << 0.1 << 0.635 << 0.005 << 9.8 << 3e10 << 106.66983401192783
                                               << 6.626394174339961;
}

void TestMicrostrip::dispersionWorked()
{
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, f);
    QFETCH(double, z0);
    QFETCH(double, eeff);
    const MicrostripResult r = Analyse(w, h, t, er, f, kMm);
    QVERIFY(!r.fault.raised);
    QVERIFY2(RelNear(r.z0_ohm, z0, 1e-10), Show(r.z0_ohm, z0));
    QVERIFY2(RelNear(r.eeff, eeff, 1e-10), Show(r.eeff, eeff));
}

void TestMicrostrip::publishedValues_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("z0");
    QTest::addColumn<double>("eeff");
    QTest::addColumn<double>("tolerance");
    // Dimensions in mm. Values other line calculators publish for the same Hammerstad-Jensen
    // static model with Kirschning-Jansen dispersion; their constants and the exact form of the
    // thickness correction differ, so agreement within 1 % is what the models promise (their
    // own stated accuracy against measurement is of that order too).
    // 1.55 mm FR-4 board at 1 GHz: Z0 49.14 ohm, effective permittivity 3.324.
    QTest::newRow("FR-4 1.55 mm, 1 GHz") << 3.0 << 1.55 << 0.035 << 4.413 << 1e9 << 49.14 << 3.324 << 0.01;
    // A textbook design table: 50 ohm on Er 2.55, 1 mm, at 1 MHz, effective permittivity 2.122.
    // Z0 agrees to 0.06 %. The table's permittivity is the one at the thickness-corrected width
    // before the thickness factor (this model gives 2.1222 there, see below); the factor
    // (Z01(u1)/Z01(ur))^2 then lowers it to 2.1098, 0.6 % below the table.
    QTest::newRow("Er 2.55 textbook, 1 MHz") << 2.762 << 1.0 << 0.03 << 2.55 << 1e6 << 50.0 << 2.122 << 0.01;
}

void TestMicrostrip::publishedValues()
{
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, f);
    QFETCH(double, z0);
    QFETCH(double, eeff);
    QFETCH(double, tolerance);
    const MicrostripResult r = Analyse(w, h, t, er, f, kMm);
    QVERIFY(!r.fault.raised);
    QVERIFY2(RelNear(r.z0_ohm, z0, tolerance), Show(r.z0_ohm, z0));
    QVERIFY2(RelNear(r.eeff, eeff, tolerance), Show(r.eeff, eeff));
    if (f < 1e7) {
        // At 1 MHz nothing disperses: the table's permittivity is the static one at the
        // corrected width, to the 0.3 % that separates tools using different constants.
        QVERIFY2(RelNear(r.efDispersed, eeff, 0.003), Show(r.efDispersed, eeff));
    }
}

void TestMicrostrip::zeroThickness_data()
{
    QTest::addColumn<double>("wh");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("f");
    QTest::newRow("narrow, FR-4, 1 GHz") << 0.1 << 4.6 << 1e9;
    QTest::newRow("square, alumina, 10 GHz") << 1.0 << 9.8 << 1e10;
    QTest::newRow("wide, PTFE, 30 GHz") << 20.0 << 2.1 << 3e10;
    QTest::newRow("narrowest accepted") << 0.001 << 2.2 << 1e9;
    QTest::newRow("widest accepted") << 1000.0 << 2.2 << 1e9;
}

// A strip of no thickness has no edge widening: u1 = ur = W/H and the thickness factor on the
// permittivity is exactly 1.
void TestMicrostrip::zeroThickness()
{
    QFETCH(double, wh);
    QFETCH(double, er);
    QFETCH(double, f);
    const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, 0.0, kMm, f, er});
    QVERIFY(!r.fault.raised);
    QCOMPARE(r.dW1_m, 0.0);
    QCOMPARE(r.dWr_m, 0.0);
    QCOMPARE(r.u1, r.ur);
    QVERIFY(RelNear(r.ur, wh, 1e-15));
    QCOMPARE(r.eeff, r.efDispersed);
}

void TestMicrostrip::airDielectric_data()
{
    QTest::addColumn<double>("wh");
    QTest::addColumn<double>("th");
    QTest::addColumn<double>("f");
    QTest::newRow("defaults") << 2.0 << 0.35 << 1e9;
    QTest::newRow("narrow thin") << 0.01 << 0.001 << 1e9;
    QTest::newRow("wide thick, 30 GHz") << 50.0 << 0.2 << 3e10;
    QTest::newRow("zero thickness, 60 GHz") << 1.0 << 0.0 << 6e10;
}

// With Er = 1 there is no dielectric to disperse into: the widening is the same in air and in
// the "mixed" medium, every effective permittivity is 1, the wave travels at c, and the
// impedance is the air impedance of the widened strip at any frequency.
void TestMicrostrip::airDielectric()
{
    QFETCH(double, wh);
    QFETCH(double, th);
    QFETCH(double, f);
    const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, th * kMm, kMm, f, 1.0});
    QVERIFY(!r.fault.raised);
    QCOMPARE(r.dWr_m, r.dW1_m);
    QCOMPARE(r.eeStatic, 1.0);
    QCOMPARE(r.efDispersed, 1.0);
    QCOMPARE(r.eeff, 1.0);
    QCOMPARE(r.wave.velocityFactor, 1.0);
    QVERIFY2(RelNear(r.z0_ohm, r.z0Static, 1e-14), Show(r.z0_ohm, r.z0Static));
}

void TestMicrostrip::staticLimit_data()
{
    QTest::addColumn<double>("wh");
    QTest::addColumn<double>("er");
    QTest::newRow("FR-4 50 ohm") << 1.84 << 4.6;
    QTest::newRow("alumina narrow") << 0.1 << 9.8;
    QTest::newRow("GaAs wide") << 10.0 << 13.0;
    QTest::newRow("barium titanate") << 1.0 << 600.0;
}

// At 1 Hz on a 1 mm substrate the normalised frequency is 1e-6 GHz mm: both dispersion laws
// must reduce to the static values.
void TestMicrostrip::staticLimit()
{
    QFETCH(double, wh);
    QFETCH(double, er);
    const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, 0.01 * kMm, kMm, 1.0, er});
    QVERIFY(!r.fault.raised);
    QVERIFY2(RelNear(r.efDispersed, r.eeStatic, 1e-9), Show(r.efDispersed, r.eeStatic));
    QVERIFY2(RelNear(r.z0_ohm, r.z0Static, 1e-6), Show(r.z0_ohm, r.z0Static));
}

void TestMicrostrip::warnings_data()
{
    QTest::addColumn<double>("wh");
    QTest::addColumn<double>("er");
    QTest::addColumn<std::vector<LineWarning>>("expected");
    using W = std::vector<LineWarning>;
    QTest::newRow("0.05 is still normal") << 0.05 << 4.6 << W{};
    QTest::newRow("just below 0.05") << 0.0499 << 4.6 << W{kWidthYellow};
    QTest::newRow("20 is still normal") << 20.0 << 4.6 << W{};
    QTest::newRow("just above 20") << 20.01 << 4.6 << W{kWidthYellow};
    QTest::newRow("0.01 is yellow, not red") << 0.01 << 4.6 << W{kWidthYellow};
    QTest::newRow("just below 0.01 is red") << 0.0099 << 4.6 << W{kWidthYellow, kWidthRed};
    QTest::newRow("100 is yellow, not red") << 100.0 << 4.6 << W{kWidthYellow};
    QTest::newRow("just above 100 is red") << 100.1 << 4.6 << W{kWidthYellow, kWidthRed};
    QTest::newRow("er 50 gives no warning") << 1.0 << 50.0 << W{};
    QTest::newRow("er above 50") << 1.0 << 50.01 << W{kErYellow};
    QTest::newRow("er 200 is yellow only") << 1.0 << 200.0 << W{kErYellow};
    QTest::newRow("er above 200 is red") << 1.0 << 200.01 << W{kErYellow, kErRed};
    QTest::newRow("top of the range") << 1000.0 << 1000.0 << W{kWidthYellow, kWidthRed, kErYellow, kErRed};
    QTest::newRow("dielectric overrides width") << 0.03 << 60.0 << W{kWidthYellow, kErYellow};
}

void TestMicrostrip::warnings()
{
    QFETCH(double, wh);
    QFETCH(double, er);
    QFETCH(std::vector<LineWarning>, expected);
    MicrostripInputs in{wh * kMm, kMm, 0.0, kMm, 1e9, er};
    in.shownWH = wh;
    const MicrostripResult r = AnalyseMicrostrip(in);
    QVERIFY2(r.warnings == expected, Describe(r.warnings) + " expected " + Describe(expected));
}

// The rules read W/H of the values as typed: a metre conversion that rounds the ratio a hair
// below 0.05 must not turn a typed 0.05 into a warning, and the typed ratio is what is shown.
void TestMicrostrip::typedRatioDecidesWarnings()
{
    MicrostripInputs in{std::nextafter(0.05 * kMm, 0.0), kMm, 0.0, kMm, 1e9, 4.6};
    QVERIFY(in.w_m / in.h_m < 0.05);
    QCOMPARE(AnalyseMicrostrip(in).warnings, std::vector<LineWarning>{kWidthYellow});
    in.shownWH = 0.05;
    const MicrostripResult r = AnalyseMicrostrip(in);
    QVERIFY2(r.warnings.empty(), Describe(r.warnings));
    QCOMPARE(r.whRatio, 0.05);
}

void TestMicrostrip::faults_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("t");
    QTest::addColumn<double>("er");
    QTest::addColumn<double>("f");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("permittivityStored");
    // Dimensions in mm.
    // A strip a hundred times thinner than it is thick: the edge "widening" is negative and
    // larger than the strip, so the corrected width is below zero and its logarithms fail
    // before the model stores any permittivity.
    QTest::newRow("strip thicker than wide") << 0.001 << 1.0 << 0.1 << 4.6 << 1e9 << int(kFaultInvalidCall) << false;
    // f H beyond the double range overflows the first dispersion term.
    QTest::newRow("frequency overflow") << 1.0 << 1.0 << 0.0 << 4.6 << 1e300 << int(kFaultOverflow) << false;
    // Finding: the impedance-dispersion fit raises a ratio of two terms, 0.9408 ef^R8 - 0.9603
    // and (0.9408 - R9) ee^R8 - 0.9603, to a real power. Both cross zero near an effective
    // permittivity of 1.02, one at a slightly lower frequency than the other, so on foam
    // substrates (Er about 1.021 to 1.038, Styrofoam's 1.03 among them) a narrow band of widths
    // gives a negative base: a 1 mm foam board at 10 GHz with W/H 1.3 faults after the
    // dispersed permittivity is stored.
    QTest::newRow("foam substrate, 10 GHz") << 1.3 << 1.0 << 0.035 << 1.03 << 1e10 << int(kFaultInvalidCall) << true;
    QTest::newRow("foam, 10 mil, 10 GHz") << 14.5 * kMil / kMm << 10.0 * kMil / kMm << 0.0 << 1.03 << 1e10
                                         << int(kFaultInvalidCall) << true;
}

void TestMicrostrip::faults()
{
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(double, t);
    QFETCH(double, er);
    QFETCH(double, f);
    QFETCH(int, number);
    QFETCH(bool, permittivityStored);
    MicrostripInputs in{w * kMm, h * kMm, t * kMm, kMm, f, er};
    in.keptEeff = 7.25;   // left from an earlier calculation
    const MicrostripResult r = AnalyseMicrostrip(in);
    QVERIFY(r.fault.raised);
    QCOMPARE(r.fault.number, number);
    QCOMPARE(QByteArray(r.fault.text.c_str()), QByteArray(kFault));
    QCOMPARE(r.z0_ohm, 0.0);
    if (permittivityStored) {
        // Stored before the fault, so without the thickness factor.
        QVERIFY(r.eeff != 7.25);
        QCOMPARE(r.eeff, r.efDispersed);
    } else {
        QCOMPARE(r.eeff, 7.25);
    }
    QVERIFY(std::isfinite(r.wave.wavelength_m));
    QVERIFY(std::isfinite(r.wave.electricalLength_rad));
}

// The formula function on its own: the window's variable is written in two steps and left as
// it stood when the model stops early.
void TestMicrostrip::directCallWritesPermittivity()
{
    double eeff = -1.0;
    FaultTrap ok;
    const double z0 = MicrostripZ0(23 * kMil, 12.5 * kMil, 4.6, 1e9, 1.4 * kMil, eeff, ok);
    QVERIFY(!ok.Raised());
    QVERIFY(std::fabs(z0 - 48.52) < 0.005);
    QVERIFY(std::fabs(eeff - 3.362) < 0.0005);

    double untouched = -1.0;
    FaultTrap bad;
    QCOMPARE(MicrostripZ0(0.001 * kMm, kMm, 4.6, 1e9, 0.1 * kMm, untouched, bad), 0.0);
    QVERIFY(bad.Raised());
    QCOMPARE(untouched, -1.0);
}

// Across the whole accepted W/H range (0.001 to 1000), for substrates from air to the top of
// the Er range, thin to thick strips and frequencies up to 25 GHz mm: no fault, nothing
// non-finite, the impedance falls strictly as the strip widens, and the effective
// permittivity lies between 1 and Er. Strips thicker than they are wide are outside what a
// thickness correction can describe and are left out, as is the foam band of Er found above.
void TestMicrostrip::sweepWidth()
{
    int cases = 0;
    for (double er : {1.0, 1.5, 2.2, 3.38, 4.6, 9.8, 13.0, 20.0, 50.0, 200.0, 1000.0}) {
        for (double fn : {1e-6, 1.0, 10.0, 25.0}) {
            for (double th : {0.0, 0.001, 0.01, 0.05, 0.1}) {
                double previous = INFINITY;
                for (double wh = 0.001; wh <= 1000.0; wh *= 1.07) {
                    if (th > wh)
                        continue;
                    const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, th * kMm, kMm, fn * 1e9, er});
                    const QByteArray where = QString("er %1 fn %2 T/H %3 W/H %4").arg(er).arg(fn).arg(th).arg(wh).toLatin1();
                    QVERIFY2(!r.fault.raised, where);
                    QVERIFY2(std::isfinite(r.z0_ohm) && std::isfinite(r.eeff), where);
                    QVERIFY2(r.z0_ohm > 0.0 && r.z0_ohm < previous, where + " " + Show(r.z0_ohm, previous));
                    QVERIFY2(r.eeff >= 1.0 && r.eeff <= er, where + " " + Show(r.eeff, er));
                    QVERIFY2(std::isfinite(r.wave.electricalLength_rad), where);
                    previous = r.z0_ohm;
                    ++cases;
                }
            }
        }
    }
    QVERIFY(cases > 20000);
}

// A thicker strip has more edge capacitance: at a fixed width the impedance falls as T grows.
void TestMicrostrip::sweepThickness()
{
    for (double er : {1.0, 2.2, 4.6, 9.8}) {
        for (double wh = 0.01; wh <= 100.0; wh *= 1.1) {
            double previous = INFINITY;
            for (double th = 0.0; th <= 0.1 && th <= wh; th += 0.002) {
                const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, th * kMm, kMm, 1e9, er});
                QVERIFY2(r.z0_ohm < previous, qPrintable(QString("er %1 W/H %2 T/H %3").arg(er).arg(wh).arg(th)));
                previous = r.z0_ohm;
            }
        }
    }
}

// As the frequency rises the field draws into the substrate: the dispersed permittivity starts
// at the static value, never falls, and stays below Er.
void TestMicrostrip::sweepFrequency()
{
    for (double er : {1.5, 2.2, 4.6, 9.8, 13.0, 20.0, 100.0}) {
        for (double wh = 0.001; wh <= 1000.0; wh *= 1.1) {
            double previous = 0.0;
            for (double fn = 0.001; fn <= 25.0; fn *= 1.2) {
                const MicrostripResult r = AnalyseMicrostrip({wh * kMm, kMm, 0.0, kMm, fn * 1e9, er});
                const QByteArray where = QString("er %1 W/H %2 fn %3").arg(er).arg(wh).arg(fn).toLatin1();
                QVERIFY2(r.efDispersed >= previous, where);
                QVERIFY2(r.efDispersed >= r.eeStatic && r.efDispersed <= er, where);
                previous = r.efDispersed;
            }
        }
    }
}

QTEST_APPLESS_MAIN(TestMicrostrip)
#include "tst_microstrip.moc"
