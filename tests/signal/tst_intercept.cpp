// Two-tone intermodulation: the three relations between intercept, tone and product level,
// the move between input and output by the gain, unequal tones, the worked examples of the
// window, and the warnings at their exact boundaries.
#include "signal/intercept.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

Q_DECLARE_METATYPE(korvel::IP3Unknown)

class TestIntercept : public QObject {
    Q_OBJECT
private slots:
    void imLarge_data();
    void imLarge();
    void sigLarge_data();
    void sigLarge();
    void ip3_data();
    void ip3();
    void relationsAgree();
    void calc_data();
    void calc();
};

void TestIntercept::imLarge_data()
{
    QTest::addColumn<bool>("resultAtInput");
    QTest::addColumn<double>("p1");
    QTest::addColumn<double>("p2");
    QTest::addColumn<bool>("tonesAtInput");
    QTest::addColumn<double>("ip3");
    QTest::addColumn<bool>("ip3AtInput");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("expected");

    QTest::newRow("OIP3 20, tone 0 out") << false << 0.0 << 0.0 << false << 20.0 << false << 10.0 << -40.0;
    QTest::newRow("same, wanted at input") << true << 0.0 << 0.0 << false << 20.0 << false << 10.0 << -50.0;
    QTest::newRow("all at input, G 10") << false << -10.0 << -10.0 << true << 10.0 << true << 10.0 << -40.0;
    QTest::newRow("tones in, IP3 out") << false << -10.0 << -10.0 << true << 20.0 << false << 10.0 << -40.0;
    QTest::newRow("tone above intercept") << false << 30.0 << 30.0 << false << 20.0 << false << 0.0 << 50.0;
    QTest::newRow("unequal tones give nothing") << false << 0.0 << -3.0 << false << 20.0 << false << 10.0 << 0.0;
}

void TestIntercept::imLarge()
{
    QFETCH(bool, resultAtInput);
    QFETCH(double, p1);
    QFETCH(double, p2);
    QFETCH(bool, tonesAtInput);
    QFETCH(double, ip3);
    QFETCH(bool, ip3AtInput);
    QFETCH(double, g);
    QFETCH(double, expected);
    QCOMPARE(IMlarge(resultAtInput, p1, p2, tonesAtInput, ip3, ip3AtInput, g), expected);
}

void TestIntercept::sigLarge_data()
{
    QTest::addColumn<bool>("resultAtInput");
    QTest::addColumn<double>("ip3");
    QTest::addColumn<bool>("ip3AtInput");
    QTest::addColumn<double>("im");
    QTest::addColumn<bool>("imAtInput");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("expected");

    QTest::newRow("OIP3 20, IM -40 out") << false << 20.0 << false << -40.0 << false << 10.0 << 0.0;
    QTest::newRow("wanted at input") << true << 20.0 << false << -40.0 << false << 10.0 << -10.0;
    QTest::newRow("IIP3 10, IM -50 at input") << false << 10.0 << true << -50.0 << true << 10.0 << 0.0;
    QTest::newRow("IIP3 in, IM out") << false << 10.0 << true << -40.0 << false << 10.0 << 0.0;
    QTest::newRow("thirds") << false << 10.0 << false << -50.0 << false << 0.0 << -10.0;
    QTest::newRow("thirds, not whole") << false << 10.0 << false << -49.0 << false << 0.0 << -29.0 / 3.0;
}

void TestIntercept::sigLarge()
{
    QFETCH(bool, resultAtInput);
    QFETCH(double, ip3);
    QFETCH(bool, ip3AtInput);
    QFETCH(double, im);
    QFETCH(bool, imAtInput);
    QFETCH(double, g);
    QFETCH(double, expected);
    QVERIFY(std::fabs(SigLarge(resultAtInput, ip3, ip3AtInput, im, im, imAtInput, g) - expected) < 1e-12);
}

void TestIntercept::ip3_data()
{
    QTest::addColumn<bool>("resultAtInput");
    QTest::addColumn<double>("p1");
    QTest::addColumn<double>("p2");
    QTest::addColumn<bool>("tonesAtInput");
    QTest::addColumn<double>("im1");
    QTest::addColumn<double>("im2");
    QTest::addColumn<bool>("imsAtInput");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("expected");

    QTest::newRow("tone 0, IM -40 out") << false << 0.0 << 0.0 << false << -40.0 << -40.0 << false << 10.0 << 20.0;
    QTest::newRow("wanted at input") << true << 0.0 << 0.0 << false << -40.0 << -40.0 << false << 10.0 << 10.0;
    QTest::newRow("given at input") << false << -10.0 << -10.0 << true << -50.0 << -50.0 << true << 10.0 << 20.0;
    QTest::newRow("mixed references") << false << -10.0 << -10.0 << true << -40.0 << -40.0 << false << 10.0 << 20.0;
    // Tones 0 and -3: the effective tone is 1 dB below the stronger; the stronger product
    // (-40, with the stronger tone) is referred to it: -1 - 0 - 40 = -41; IP3 = (-3 + 41)/2.
    QTest::newRow("unequal tones") << false << 0.0 << -3.0 << false << -40.0 << -43.0 << false << 0.0 << 19.0;
    // The same with the tones swapped: the second tone and the second product lead.
    QTest::newRow("unequal tones, swapped") << false << -3.0 << 0.0 << false << -43.0 << -40.0 << false << 0.0 << 19.0;
    // Equal tones, unequal products: the stronger product, the lower intercept.
    QTest::newRow("equal tones, unequal products") << false << 0.0 << 0.0 << false << -40.0 << -44.0 << false << 0.0
                                                   << 20.0;
}

void TestIntercept::ip3()
{
    QFETCH(bool, resultAtInput);
    QFETCH(double, p1);
    QFETCH(double, p2);
    QFETCH(bool, tonesAtInput);
    QFETCH(double, im1);
    QFETCH(double, im2);
    QFETCH(bool, imsAtInput);
    QFETCH(double, g);
    QFETCH(double, expected);
    QVERIFY(std::fabs(IP3(resultAtInput, p1, p2, tonesAtInput, im1, im2, imsAtInput, g) - expected) < 1e-12);
}

void TestIntercept::relationsAgree()
{
    // Whichever quantity is unknown, the three relations describe the same straight lines:
    // a product level found from (IP3, tone) gives back the tone and the intercept.
    for (double g : {-20.0, 0.0, 13.5})
        for (double ip3 : {-10.0, 0.0, 17.3, 45.0})
            for (double tone : {-60.0, -23.7, 0.0, 10.0}) {
                const double im = IMlarge(false, tone, tone, true, ip3, true, g);
                QVERIFY(std::fabs(SigLarge(true, ip3, true, im, im, false, g) - tone) < 1e-9);
                QVERIFY(std::fabs(IP3(true, tone, tone, true, im, im, false, g) - ip3) < 1e-9);
                // 2 dB of IM per dB of tone below the intercept: the classic rule.
                QVERIFY(std::fabs((tone + g - im) - 2.0 * (ip3 - tone)) < 1e-9);
            }
}

void TestIntercept::calc_data()
{
    QTest::addColumn<IP3Unknown>("unknown");
    QTest::addColumn<double>("g");
    QTest::addColumn<double>("ip3");
    QTest::addColumn<bool>("ip3In");
    QTest::addColumn<double>("tone");
    QTest::addColumn<bool>("toneIn");
    QTest::addColumn<double>("im");
    QTest::addColumn<bool>("imIn");
    QTest::addColumn<bool>("graphIn");
    // IIP3, OIP3, tone in, tone out, IM in, IM out, then the diagram: IP3, tone, IM, dBc.
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<QStringList>("warnings");

    const QString toneWarn = kToneAboveInterceptText;
    const QString imWarn = kProductAboveToneText;

    QTest::newRow("OIP3 20, tone 0 out, G 0")
        << IP3Unknown::ProductLevel << 0.0 << 20.0 << false << 0.0 << false << 0.0 << false << false
        << QList<double>{20, 20, 0, 0, -40, -40, 20, 0, -40, 40} << QStringList{};
    QTest::newRow("G 10, IIP3 10 in, tone -10 in")
        << IP3Unknown::ProductLevel << 10.0 << 10.0 << true << -10.0 << true << 0.0 << false << false
        << QList<double>{10, 20, -10, 0, -50, -40, 20, 0, -40, 40} << QStringList{};
    QTest::newRow("same, diagram at input")
        << IP3Unknown::ProductLevel << 10.0 << 10.0 << true << -10.0 << true << 0.0 << false << true
        << QList<double>{10, 20, -10, 0, -50, -40, 10, -10, -50, 40} << QStringList{};
    QTest::newRow("tone 30 over OIP3 20")
        << IP3Unknown::ProductLevel << 0.0 << 20.0 << false << 30.0 << false << 0.0 << false << false
        << QList<double>{20, 20, 30, 30, 50, 50, 20, 30, 50, -20} << QStringList{toneWarn, imWarn};
    QTest::newRow("tone level from OIP3 20, IM -40 out")
        << IP3Unknown::ToneLevel << 10.0 << 20.0 << false << 0.0 << false << -40.0 << false << false
        << QList<double>{10, 20, -10, 0, -50, -40, 20, 0, -40, 40} << QStringList{};
    QTest::newRow("IP3 from tone -10 in, IM -50 in")
        << IP3Unknown::InterceptPoint << 10.0 << 0.0 << false << -10.0 << true << -50.0 << true << false
        << QList<double>{10, 20, -10, 0, -50, -40, 20, 0, -40, 40} << QStringList{};
    // At the intercept the tone equals IP3 (no tone warning) and the product equals the tone
    // (the product warning, since it is not below).
    QTest::newRow("tone at the intercept")
        << IP3Unknown::ProductLevel << 0.0 << 5.0 << false << 5.0 << false << 0.0 << false << false
        << QList<double>{5, 5, 5, 5, 5, 5, 5, 5, 5, 0} << QStringList{imWarn};
    QTest::newRow("just below the intercept")
        << IP3Unknown::ProductLevel << 0.0 << 5.0 << false << 4.5 << false << 0.0 << false << false
        << QList<double>{5, 5, 4.5, 4.5, 3.5, 3.5, 5, 4.5, 3.5, 1} << QStringList{};
    QTest::newRow("negative gain, loss ahead of the device")
        << IP3Unknown::ProductLevel << -6.0 << 30.0 << true << 0.0 << true << 0.0 << false << false
        << QList<double>{30, 24, 0, -6, -60, -66, 24, -6, -66, 60} << QStringList{};
}

void TestIntercept::calc()
{
    QFETCH(IP3Unknown, unknown);
    QFETCH(double, g);
    QFETCH(double, ip3);
    QFETCH(bool, ip3In);
    QFETCH(double, tone);
    QFETCH(bool, toneIn);
    QFETCH(double, im);
    QFETCH(bool, imIn);
    QFETCH(bool, graphIn);
    QFETCH(QList<double>, expected);
    QFETCH(QStringList, warnings);

    IP3Inputs in;
    in.unknown = unknown;
    in.gainDb = g;
    in.ip3Dbm = ip3;
    in.ip3AtInput = ip3In;
    in.toneDbm = tone;
    in.toneAtInput = toneIn;
    in.imDbm = im;
    in.imAtInput = imIn;
    in.graphAtInput = graphIn;
    const IP3Result r = CalcIntermods(in);
    const QList<double> got{r.ip3In, r.ip3Out, r.toneIn, r.toneOut, r.imIn, r.imOut,
                            r.graphIp3, r.graphTone, r.graphImDbm, r.graphImDbc};
    for (int i = 0; i < got.size(); ++i)
        QVERIFY2(std::fabs(got[i] - expected[i]) < 1e-12,
                 qPrintable(QString("value %1: %2, expected %3").arg(i).arg(got[i]).arg(expected[i])));
    QStringList gotWarnings;
    for (const std::string& w : r.warnings)
        gotWarnings << QString::fromStdString(w);
    QCOMPARE(gotWarnings, warnings);
}

QTEST_APPLESS_MAIN(TestIntercept)
#include "tst_intercept.moc"
