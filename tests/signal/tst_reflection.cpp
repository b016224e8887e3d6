// Reflection conversions: the textbook values, the ends of the range where a quantity runs off
// to infinity or has no value, round trips through every quantity, the texts one Enter writes
// into each field, and the power split with its undefined cases.
#include "signal/reflection.h"

#include "core/fault.h"

#include <QtTest>

#include <cmath>
#include <functional>

using namespace korvel;

namespace {

using Conversion = std::function<ReflValue(double)>;

Conversion ConversionNamed(const QString& name)
{
    constexpr double z0 = 50.0;
    if (name == "RhoFromSWR") return RhoFromSWR;
    if (name == "RhoFromReturnLoss") return RhoFromReturnLoss;
    if (name == "RhoFromMismatchLoss") return RhoFromMismatchLoss;
    if (name == "RhoFromTransCoeffMag") return RhoFromTransCoeffMag;
    if (name == "RhoFromTransCoeffDB") return RhoFromTransCoeffDB;
    if (name == "RhoFromLoadResistance") return [](double r) { return RhoFromLoadResistance(r, z0); };
    if (name == "RhoFromLoadConductance") return [](double g) { return RhoFromLoadConductance(g, z0); };
    if (name == "LoadResistanceFromRho") return [](double rho) { return LoadResistanceFromRho(rho, z0); };
    if (name == "LoadConductanceFromRho") return [](double rho) { return LoadConductanceFromRho(rho, z0); };
    if (name == "SWRfromRho") return SWRfromRho;
    if (name == "ReturnLossFromRho") return ReturnLossFromRho;
    if (name == "MismatchLossFromRho") return MismatchLossFromRho;
    if (name == "TransmissionCoeffMagFromRho") return TransmissionCoeffMagFromRho;
    if (name == "TransmissionCoeffdBFromRho") return TransmissionCoeffdBFromRho;
    return {};
}

// "*" marks a field that keeps its text.
QStringList Texts(const ReflEntry& e)
{
    QStringList out;
    for (const auto& t : e.texts)
        out << (t ? QString::fromStdString(*t) : QString("*"));
    return out;
}

ReflState Start(double rho = 0.5, double z0 = 50.0)
{
    ReflState s;
    s.rho = rho;
    s.t = 1.0 - rho * rho;
    s.z0 = z0;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(korvel::ReflKind)
Q_DECLARE_METATYPE(korvel::ReflField)
Q_DECLARE_METATYPE(korvel::PowerField)

class TestReflection : public QObject {
    Q_OBJECT
private slots:
    void conversions_data();
    void conversions();
    void roundTrips_data();
    void roundTrips();
    void overflowIsAFault();
    void specialTexts();
    void entry_data();
    void entry();
    void entryKeepsRhoOnFault();
    void shortcut_data();
    void shortcut();
    void split_data();
    void split();
};

void TestReflection::conversions_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<double>("argument");
    QTest::addColumn<ReflKind>("kind");
    QTest::addColumn<double>("expected");

    const auto N = ReflKind::Number;
    const auto Inf = ReflKind::Infinite;
    const auto Und = ReflKind::Undefined;
    // rho = 0.5: SWR 3, RL 20 log10 2, ML = T(dB) = 10 log10(4/3), T = 0.75, R = 3 Z0.
    const double rl = 20.0 * std::log10(2.0);
    const double ml = 10.0 * std::log10(4.0 / 3.0);
    QTest::newRow("swr 3") << "RhoFromSWR" << 3.0 << N << 0.5;
    QTest::newRow("swr 1 is a match") << "RhoFromSWR" << 1.0 << N << 0.0;
    QTest::newRow("swr 1e300 rounds to a total reflection") << "RhoFromSWR" << 1e300 << N << 1.0;
    QTest::newRow("rl 6.02") << "RhoFromReturnLoss" << rl << N << 0.5;
    QTest::newRow("rl 20") << "RhoFromReturnLoss" << 20.0 << N << 0.1;
    QTest::newRow("rl huge underflows to a match") << "RhoFromReturnLoss" << 1e300 << N << 0.0;
    QTest::newRow("ml 1.249") << "RhoFromMismatchLoss" << ml << N << 0.5;
    QTest::newRow("ml 3.01 is rho 0.707") << "RhoFromMismatchLoss" << 10.0 * std::log10(2.0) << N << std::sqrt(0.5);
    QTest::newRow("t 0.75") << "RhoFromTransCoeffMag" << 0.75 << N << 0.5;
    QTest::newRow("t 1 is a match") << "RhoFromTransCoeffMag" << 1.0 << N << 0.0;
    QTest::newRow("t dB 1.249") << "RhoFromTransCoeffDB" << ml << N << 0.5;
    QTest::newRow("r 150 over 50") << "RhoFromLoadResistance" << 150.0 << N << 0.5;
    QTest::newRow("r 25 over 50, below Z0") << "RhoFromLoadResistance" << 25.0 << N << 1.0 / 3.0;
    QTest::newRow("r 0 is a short") << "RhoFromLoadResistance" << 0.0 << N << 1.0;
    QTest::newRow("g 0 is an open") << "RhoFromLoadConductance" << 0.0 << Inf << 0.0;
    QTest::newRow("g 0.04 is 25 ohm") << "RhoFromLoadConductance" << 0.04 << N << 1.0 / 3.0;
    QTest::newRow("g 0.02 is a match") << "RhoFromLoadConductance" << 0.02 << N << 0.0;
    QTest::newRow("R from 0.5") << "LoadResistanceFromRho" << 0.5 << N << 150.0;
    QTest::newRow("R from 1/3 is above Z0") << "LoadResistanceFromRho" << 1.0 / 3.0 << N << 100.0;
    QTest::newRow("R from 0") << "LoadResistanceFromRho" << 0.0 << N << 50.0;
    QTest::newRow("R from 1") << "LoadResistanceFromRho" << 1.0 << Inf << 0.0;
    QTest::newRow("G from 0.5") << "LoadConductanceFromRho" << 0.5 << N << 1.0 / 150.0;
    QTest::newRow("G from 1") << "LoadConductanceFromRho" << 1.0 << Inf << 0.0;
    QTest::newRow("SWR from 0.5") << "SWRfromRho" << 0.5 << N << 3.0;
    QTest::newRow("SWR from 0") << "SWRfromRho" << 0.0 << N << 1.0;
    QTest::newRow("SWR from 1") << "SWRfromRho" << 1.0 << Inf << 0.0;
    QTest::newRow("RL from 0.5") << "ReturnLossFromRho" << 0.5 << N << rl;
    QTest::newRow("RL from 1") << "ReturnLossFromRho" << 1.0 << N << 0.0;
    QTest::newRow("RL from 0") << "ReturnLossFromRho" << 0.0 << Inf << 0.0;
    QTest::newRow("ML from 0.5") << "MismatchLossFromRho" << 0.5 << N << ml;
    QTest::newRow("ML from 0") << "MismatchLossFromRho" << 0.0 << N << 0.0;
    QTest::newRow("ML from 1") << "MismatchLossFromRho" << 1.0 << Inf << 0.0;
    QTest::newRow("T from 0.5") << "TransmissionCoeffMagFromRho" << 0.5 << N << 0.75;
    QTest::newRow("T from 1") << "TransmissionCoeffMagFromRho" << 1.0 << N << 0.0;
    QTest::newRow("T dB from 0.5") << "TransmissionCoeffdBFromRho" << 0.5 << N << ml;
    QTest::newRow("T dB from 1 has no value") << "TransmissionCoeffdBFromRho" << 1.0 << Und << 0.0;
}

void TestReflection::conversions()
{
    QFETCH(QString, function);
    QFETCH(double, argument);
    QFETCH(ReflKind, kind);
    QFETCH(double, expected);
    const Conversion f = ConversionNamed(function);
    QVERIFY2(bool(f), qPrintable(function));
    const ReflValue v = f(argument);
    QCOMPARE(v.fault, 0);
    QCOMPARE(v.kind, kind);
    if (kind == ReflKind::Number)
        QVERIFY2(std::fabs(v.value - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString("%1(%2) = %3, expected %4").arg(function).arg(argument).arg(v.value, 0, 'g', 17)
                                .arg(expected, 0, 'g', 17)));
}

void TestReflection::roundTrips_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("back");
    for (const auto& [to, back] : std::initializer_list<std::pair<const char*, const char*>>{
             {"SWRfromRho", "RhoFromSWR"},
             {"ReturnLossFromRho", "RhoFromReturnLoss"},
             {"MismatchLossFromRho", "RhoFromMismatchLoss"},
             {"TransmissionCoeffMagFromRho", "RhoFromTransCoeffMag"},
             {"TransmissionCoeffdBFromRho", "RhoFromTransCoeffDB"},
             {"LoadResistanceFromRho", "RhoFromLoadResistance"},
             {"LoadConductanceFromRho", "RhoFromLoadConductance"}})
        QTest::newRow(to) << QString(to) << QString(back);
}

void TestReflection::roundTrips()
{
    QFETCH(QString, to);
    QFETCH(QString, back);
    const Conversion f = ConversionNamed(to);
    const Conversion g = ConversionNamed(back);
    // Across the whole open range, from a near match to a near total reflection.
    for (double rho : {1e-6, 0.001, 0.01, 0.1, 0.2, 1.0 / 3.0, 0.5, 0.7, 0.9, 0.99, 0.999}) {
        const ReflValue there = f(rho);
        QCOMPARE(there.kind, ReflKind::Number);
        const ReflValue again = g(there.value);
        QCOMPARE(again.kind, ReflKind::Number);
        // Near a match the power forms (1 - rho^2) lose the small rho to rounding.
        const double tol = (to.contains("Mismatch") || to.contains("Trans")) ? 1e-9 / rho : 1e-12;
        QVERIFY2(std::fabs(again.value - rho) <= tol * std::max(rho, 1e-3),
                 qPrintable(QString("rho %1 came back as %2").arg(rho, 0, 'g', 17).arg(again.value, 0, 'g', 17)));
    }
}

void TestReflection::overflowIsAFault()
{
    // A conductance so small that its resistance overflows a double is a fault, not a number.
    const ReflValue v = RhoFromLoadConductance(1e-320, 50.0);
    QCOMPARE(v.fault, int(kFaultOverflow));
    // A resistance that overflows on the way from rho.
    QCOMPARE(LoadResistanceFromRho(1.0 - 1e-15, 1e300).fault, int(kFaultOverflow));
    QCOMPARE(LoadConductanceFromRho(1.0 - 1e-15, 1e300).fault, int(kFaultOverflow));
}

void TestReflection::specialTexts()
{
    QCOMPARE(ReflText(SWRfromRho(1.0), "0.00"), std::string(" Infinite"));
    QCOMPARE(ReflText(TransmissionCoeffdBFromRho(1.0), "0.000"), std::string(" Undefined"));
    QCOMPARE(ReflText(SWRfromRho(0.5), "0.00"), std::string("3.00"));
}

void TestReflection::entry_data()
{
    QTest::addColumn<ReflField>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("z0Typed");
    QTest::addColumn<QStringList>("texts");   // Gamma, Zload, Yload, SWR, Rl, Lmm, Tmag, TdB
    QTest::addColumn<bool>("warning");
    QTest::addColumn<double>("rho");

    QTest::newRow("rho 0.5") << ReflField::Gamma << 0.5 << "0.5" << "50"
                             << QStringList{"*", "150.000", "0.00667", "3.00", "6.021", "1.249", "0.750", "1.249"}
                             << false << 0.5;
    QTest::newRow("rho 1") << ReflField::Gamma << 1.0 << "1" << "50"
                           << QStringList{"*", " Infinite", " Infinite", " Infinite", "0.000", " Infinite", "0.000",
                                          " Undefined"}
                           << true << 1.0;
    QTest::newRow("rho 0") << ReflField::Gamma << 0.0 << "0" << "50"
                           << QStringList{"*", "50.000", "0.02000", "1.00", " Infinite", "0.000", "1.000", "0.000"}
                           << true << 0.0;
    QTest::newRow("swr 1 is rho 0") << ReflField::SWR << 1.0 << "1" << "50"
                                    << QStringList{"0.000", "50.000", "0.02000", "*", " Infinite", "0.000", "1.000",
                                                   "0.000"}
                                    << true << 0.0;
    QTest::newRow("swr 2") << ReflField::SWR << 2.0 << "2" << "50"
                           << QStringList{"0.333", "100.000", "0.01000", "*", "9.542", "0.512", "0.889", "0.512"}
                           << false << 1.0 / 3.0;
    QTest::newRow("return loss 20") << ReflField::Rl << 20.0 << "20" << "50"
                                    << QStringList{"0.100", "61.111", "0.01636", "1.22", "*", "0.044", "0.990", "0.044"}
                                    << false << 0.1;
    QTest::newRow("return loss tiny is total") << ReflField::Rl << 1e-300 << "1e-300" << "50"
                                               << QStringList{"1.000", " Infinite", " Infinite", " Infinite", "*",
                                                              " Infinite", "0.000", " Undefined"}
                                               << true << 1.0;
    QTest::newRow("mismatch loss 1.249") << ReflField::Lmm << 10.0 * std::log10(4.0 / 3.0) << "1.249" << "50"
                                         << QStringList{"0.500", "150.000", "0.00667", "3.00", "6.021", "*", "0.750",
                                                        "1.249"}
                                         << false << 0.5;
    QTest::newRow("T 1 is a match") << ReflField::Tmag << 1.0 << "1" << "50"
                                    << QStringList{"0.000", "50.000", "0.02000", "1.00", " Infinite", "0.000", "*",
                                                   "0.000"}
                                    << true << 0.0;
    QTest::newRow("T dB 3.0103") << ReflField::TdB << 10.0 * std::log10(2.0) << "3.0103" << "50"
                                 << QStringList{"0.707", "291.421", "0.00343", "5.83", "3.010", "3.010", "0.500", "*"}
                                 << false << std::sqrt(0.5);
    // Below Z0: the conductance comes from 1/R, the load itself is not rewritten.
    QTest::newRow("Zload 25") << ReflField::Zload << 25.0 << "25" << "50"
                              << QStringList{"0.333", "*", "0.04000", "2.00", "9.542", "0.512", "0.889", "0.512"}
                              << false << 1.0 / 3.0;
    // The same rho from a conductance gives the load above Z0.
    QTest::newRow("Yload 0.04") << ReflField::Yload << 0.04 << "0.04" << "50"
                                << QStringList{"0.333", "100.000", "*", "2.00", "9.542", "0.512", "0.889", "0.512"}
                                << false << 1.0 / 3.0;
    QTest::newRow("Zload typed as Z0") << ReflField::Zload << 50.0 << "50" << "50"
                                       << QStringList{"0.000", "*", "0.02000", "1.00", " Infinite", "0.000", "1.000",
                                                      "0.000"}
                                       << true << 0.0;
    QTest::newRow("Zload 50.0 against 50") << ReflField::Zload << 50.0 << "50.0" << "50"
                                           << QStringList{"0.000", "*", "0.02000", "1.00", " Infinite", "0.000",
                                                          "1.000", "0.000"}
                                           << false << 0.0;
    QTest::newRow("Zload 0 is a short") << ReflField::Zload << 0.0 << "0" << "50"
                                        << QStringList{"1.000", "*", " Infinite", " Infinite", "0", " Infinite", "0",
                                                       " Undefined"}
                                        << true << 1.0;
    QTest::newRow("Yload 0 is an open") << ReflField::Yload << 0.0 << "0" << "50"
                                        << QStringList{"1.000", " Infinite", "*", " Infinite", "0", " Infinite", "0",
                                                       " Undefined"}
                                        << true << 1.0;
    QTest::newRow("Zload huge is a total reflection, no warning")
        << ReflField::Zload << 1e300 << "1e300" << "50"
        << QStringList{"1.000", "*", "0.00000", " Infinite", "0.000", " Infinite", "0.000", " Undefined"} << false
        << 1.0;
}

void TestReflection::entry()
{
    QFETCH(ReflField, field);
    QFETCH(double, value);
    QFETCH(QString, typed);
    QFETCH(QString, z0Typed);
    QFETCH(QStringList, texts);
    QFETCH(bool, warning);
    QFETCH(double, rho);

    const ReflEntry e = EnterReflection(field, value, Start(), typed.toStdString(), z0Typed.toStdString());
    QCOMPARE(Texts(e), texts);
    QCOMPARE(e.warning, warning);
    QVERIFY(std::fabs(e.state.rho - rho) < 1e-12);
    // T kept for the power split always follows the new rho.
    QVERIFY(std::fabs(e.state.t - (1.0 - rho * rho)) < 1e-12);
    QCOMPARE(e.state.z0, 50.0);
}

void TestReflection::entryKeepsRhoOnFault()
{
    // The rho statement faults: rho stays, the fault is a warning, the other fields are
    // written from the rho that stayed.
    const ReflEntry e = EnterReflection(ReflField::Yload, 1e-320, Start(0.5), "1e-320", "50");
    QVERIFY(e.warning);
    QCOMPARE(e.state.rho, 0.5);
    QCOMPARE(Texts(e), (QStringList{"0.500", "150.000", "*", "3.00", "6.021", "1.249", "0.750", "1.249"}));
    // A Z0 other than 50 is used for the loads.
    const ReflEntry f = EnterReflection(ReflField::Gamma, 0.5, Start(0.0, 75.0), "0.5", "75");
    QCOMPARE(*f.texts[std::size_t(ReflField::Zload)], std::string("225.000"));
}

void TestReflection::shortcut_data()
{
    QTest::addColumn<PowerField>("field");
    QTest::addColumn<double>("t");
    QTest::addColumn<bool>("logUnit");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QStringList>("texts");   // incident, reflected, transmitted; "*" kept
    QTest::addColumn<bool>("warning");

    QTest::newRow("incident, dBm, matched") << PowerField::Incident << 1.0 << true << true
                                            << QStringList{"*", "Undefined", "typed"} << false;
    QTest::newRow("incident, mW, matched") << PowerField::Incident << 1.0 << false << false << QStringList{} << false;
    QTest::newRow("incident, dBm, total") << PowerField::Incident << 0.0 << true << false << QStringList{} << false;
    QTest::newRow("reflected, dBm, total") << PowerField::Reflected << 0.0 << true << true
                                           << QStringList{"typed", "*", "0"} << false;
    QTest::newRow("reflected, W, total") << PowerField::Reflected << 0.0 << false << false << QStringList{} << false;
    QTest::newRow("transmitted, W, total") << PowerField::Transmitted << 0.0 << false << true
                                           << QStringList{"Undefined", "Undefined", "*"} << true;
    QTest::newRow("transmitted, dBW, total") << PowerField::Transmitted << 0.0 << true << true
                                             << QStringList{"Undefined", "Undefined", "*"} << true;
    QTest::newRow("transmitted, dBm, 0.75") << PowerField::Transmitted << 0.75 << true << false << QStringList{}
                                            << false;
}

void TestReflection::shortcut()
{
    QFETCH(PowerField, field);
    QFETCH(double, t);
    QFETCH(bool, logUnit);
    QFETCH(bool, taken);
    QFETCH(QStringList, texts);
    QFETCH(bool, warning);
    const std::optional<PowerEntry> e = PowerShortcut(field, t, logUnit, "typed");
    QCOMPARE(e.has_value(), taken);
    if (!taken)
        return;
    QStringList got;
    for (const PowerOut& o : e->out) {
        QVERIFY(o.kind != PowerOut::Kind::Watts);
        got << (o.kind == PowerOut::Kind::Keep ? QString("*") : QString::fromStdString(o.text));
    }
    QCOMPARE(got, texts);
    QCOMPARE(e->warning, warning);
    QVERIFY(!e->incidentWatts);
}

void TestReflection::split_data()
{
    QTest::addColumn<PowerField>("field");
    QTest::addColumn<double>("watts");
    QTest::addColumn<double>("t");
    QTest::addColumn<QList<double>>("expected");   // incident, reflected, transmitted; NaN kept
    QTest::addColumn<bool>("warning");
    const double keep = std::nan("");

    QTest::newRow("incident 1 W, T 0.75") << PowerField::Incident << 1.0 << 0.75 << QList<double>{keep, 0.25, 0.75}
                                          << false;
    QTest::newRow("reflected 0.25 W, T 0.75") << PowerField::Reflected << 0.25 << 0.75
                                              << QList<double>{1.0, keep, 0.75} << false;
    QTest::newRow("transmitted 0.75 W, T 0.75") << PowerField::Transmitted << 0.75 << 0.75
                                                << QList<double>{1.0, 0.25, keep} << false;
    QTest::newRow("incident, matched") << PowerField::Incident << 2.0 << 1.0 << QList<double>{keep, 0.0, 2.0} << false;
    QTest::newRow("incident, total reflection") << PowerField::Incident << 2.0 << 0.0 << QList<double>{keep, 2.0, 0.0}
                                                << false;
    // Nothing reflected: the incident power cannot be found from the reflected one.
    QTest::newRow("reflected, matched") << PowerField::Reflected << 0.001 << 1.0 << QList<double>{keep, keep, keep}
                                        << true;
    QTest::newRow("reflected zero, matched") << PowerField::Reflected << 0.0 << 1.0 << QList<double>{keep, keep, keep}
                                             << true;
    QTest::newRow("transmitted, total reflection") << PowerField::Transmitted << 1.0 << 0.0
                                                   << QList<double>{keep, keep, keep} << true;
}

void TestReflection::split()
{
    QFETCH(PowerField, field);
    QFETCH(double, watts);
    QFETCH(double, t);
    QFETCH(QList<double>, expected);
    QFETCH(bool, warning);
    const PowerEntry e = SplitPower(field, watts, t);
    QCOMPARE(e.warning, warning);
    for (int i = 0; i < 3; ++i) {
        const PowerOut& o = e.out[std::size_t(i)];
        if (std::isnan(expected[i])) {
            QCOMPARE(o.kind, PowerOut::Kind::Keep);
        } else {
            QCOMPARE(o.kind, PowerOut::Kind::Watts);
            QVERIFY2(std::fabs(o.watts - expected[i]) < 1e-12,
                     qPrintable(QString("field %1: %2, expected %3").arg(i).arg(o.watts).arg(expected[i])));
        }
    }
    // The incident power is stored whenever it is known.
    if (!warning) {
        QVERIFY(e.incidentWatts.has_value());
        const double incident = field == PowerField::Incident ? watts : e.out[0].watts;
        QCOMPARE(*e.incidentWatts, incident);
    } else {
        QVERIFY(!e.incidentWatts);
    }
}

QTEST_APPLESS_MAIN(TestReflection)
#include "tst_reflection.moc"
