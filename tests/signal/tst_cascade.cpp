// Cascaded noise figure, gain and intercept: hand-worked chains, the temperature correction
// and its clamp, the input/output intercept modes, the system figures, the sensitivity
// analysis checked against a full recalculation with the stage raised, the cell shading, and
// chains so extreme that the arithmetic leaves the double range.
#include "signal/cascade.h"

#include "core/fault.h"

#include <QtTest>

#include <cmath>

using namespace korvel;

Q_DECLARE_METATYPE(korvel::CascadeInputs)
Q_DECLARE_METATYPE(korvel::CascadeStage)

namespace {

CascadeStage Stage(double nf, double gain, double ip3 = 100.0, double nfTempco = 0.0, double gainTempco = 0.0)
{
    CascadeStage s;
    s.nf_db = nf;
    s.gain_db = gain;
    s.ip3_dbm = ip3;
    s.nfTempco_dbPerC = nfTempco;
    s.gainTempco_dbPerC = gainTempco;
    return s;
}

CascadeInputs Chain(std::vector<CascadeStage> stages)
{
    CascadeInputs in;
    in.stages = std::move(stages);
    return in;
}

// A ten-stage dual-conversion receiver at 85 degC with every tempco in play.
CascadeInputs Receiver()
{
    CascadeInputs in = Chain({Stage(0.5, -0.5, 100, 0.002, -0.002), Stage(1.5, -1.5, 100, 0.003, -0.003),
                              Stage(1.2, 14, 22, 0.01, -0.015), Stage(2.5, 12, 30, 0.012, -0.02),
                              Stage(8, -7, 15, 0.02, -0.01), Stage(3, -3, 100, 0.005, -0.005),
                              Stage(4, 20, 28, 0.015, -0.025), Stage(10, -8, 12, 0.02, -0.01),
                              Stage(4, -4, 100, 0.005, -0.005), Stage(5, 30, 25, 0.02, -0.03)});
    in.inputPower_dbm = -60;
    in.analysisTemp_degC = 85;
    in.noiseBandwidth_hz = 1.5e6;
    in.requiredSnr_db = 5.92;
    return in;
}

} // namespace

class TestCascade : public QObject {
    Q_OBJECT
private slots:
    void systemFigures_data();
    void systemFigures();
    void stagesAtTemperature_data();
    void stagesAtTemperature();
    void intercepts_data();
    void intercepts();
    void sensitivityMatchesFullRecalculation_data();
    void sensitivityMatchesFullRecalculation();
    void sensitivityOfOneStage_data();
    void sensitivityOfOneStage();
    void shades_data();
    void shades();
    void faults_data();
    void faults();
    void emptyChain();
};

void TestCascade::systemFigures_data()
{
    QTest::addColumn<CascadeInputs>("in");
    QTest::addColumn<double>("gain");
    QTest::addColumn<double>("nf");
    QTest::addColumn<double>("te");
    QTest::addColumn<double>("mds");
    QTest::addColumn<double>("floor");
    QTest::addColumn<double>("oip3");

    // kT at 290 K is -173.975 dBm/Hz; a 3 dB stage has F = 1.99526.
    QTest::newRow("one stage NF 3 G 20") << Chain({Stage(3, 20)}) << 20.0 << 3.0 << 288.626 << -110.9752
                                         << -170.9752 << 100.0;
    // Friis: 1.2589 + (10 - 1) / 10 = 2.1589.
    QTest::newRow("two stages, Friis") << Chain({Stage(1, 10), Stage(10, 10)}) << 20.0 << 3.3424 << 336.088
                                       << -110.6328 << -170.6328 << 99.5861;
    // A lossy first stage: the second stage's noise is raised by the loss (F = 2 * 2).
    QTest::newRow("3 dB pad then 3 dB amp") << Chain({Stage(3.0103, -3.0103), Stage(3.0103, 20)}) << 16.9897
                                            << 6.0206 << 870.0 << -107.9546 << -167.9546 << 99.9568;
    CascadeInputs wide = Chain({Stage(2, 15)});
    wide.noiseBandwidth_hz = 1e9;
    wide.sourceTemp_k = 100;
    // 10 log10(k 100 K 1000) = -178.5991; + 2 dB + 90 dB.
    QTest::newRow("1 GHz bandwidth, 100 K source") << wide << 15.0 << 2.0 << 58.4893 << -86.5991 << -176.5991
                                                   << 100.0;
}

void TestCascade::systemFigures()
{
    QFETCH(CascadeInputs, in);
    QFETCH(double, gain);
    QFETCH(double, nf);
    QFETCH(double, te);
    QFETCH(double, mds);
    QFETCH(double, floor);
    QFETCH(double, oip3);
    const CascadeResult r = AnalyseCascade(in);
    QVERIFY(!r.fault.raised);
    QVERIFY2(std::fabs(r.gain_db - gain) < 1e-9, qPrintable(QString::number(r.gain_db, 'g', 12)));
    QVERIFY2(std::fabs(r.nf_db - nf) < 2e-4, qPrintable(QString::number(r.nf_db, 'g', 12)));
    QVERIFY2(std::fabs(r.noiseTemp_k - te) < 0.01, qPrintable(QString::number(r.noiseTemp_k, 'g', 12)));
    QVERIFY2(std::fabs(r.mds_dbm - mds) < 2e-4, qPrintable(QString::number(r.mds_dbm, 'g', 12)));
    QVERIFY2(std::fabs(r.noiseFloor_dbmPerHz - floor) < 2e-4, qPrintable(QString::number(r.noiseFloor_dbmPerHz, 'g', 12)));
    QVERIFY2(std::fabs(r.outputIp3_dbm - oip3) < 2e-4, qPrintable(QString::number(r.outputIp3_dbm, 'g', 12)));
    // The derived figures follow from the ones above in every chain.
    QCOMPARE(r.inputIp3_dbm, r.outputIp3_dbm - r.gain_db);
    QCOMPARE(r.snr_db, in.inputPower_dbm - r.mds_dbm);
    QCOMPARE(r.sensitivity_dbm, r.mds_dbm + in.requiredSnr_db);
    QVERIFY(std::fabs(r.sfdr_db - 2.0 / 3.0 * (r.inputIp3_dbm - r.mds_dbm)) < 1e-12);
}

void TestCascade::stagesAtTemperature_data()
{
    QTest::addColumn<CascadeStage>("stage");
    QTest::addColumn<double>("analysisTemp");
    QTest::addColumn<double>("referenceTemp");
    QTest::addColumn<double>("nf");
    QTest::addColumn<double>("gain");

    QTest::newRow("no change at the reference") << Stage(2, 10, 100, 0.05, -0.05) << 25.0 << 25.0 << 2.0 << 10.0;
    QTest::newRow("hot: NF up, gain down") << Stage(2, 10, 100, 0.01, -0.02) << 85.0 << 25.0 << 2.6 << 8.8;
    QTest::newRow("cold: NF down, gain up") << Stage(2, 10, 100, 0.01, -0.02) << -35.0 << 25.0 << 1.4 << 11.2;
    QTest::newRow("negative NF shown as 0") << Stage(1, 10, 100, -0.1, 0) << 85.0 << 25.0 << 0.0 << 10.0;
    QTest::newRow("reference other than 25") << Stage(3, 20, 100, 0.1, 0.1) << 0.0 << -20.0 << 5.0 << 22.0;
}

void TestCascade::stagesAtTemperature()
{
    QFETCH(CascadeStage, stage);
    QFETCH(double, analysisTemp);
    QFETCH(double, referenceTemp);
    QFETCH(double, nf);
    QFETCH(double, gain);
    CascadeInputs in = Chain({stage, Stage(0, 0)});
    in.analysisTemp_degC = analysisTemp;
    in.referenceTemp_degC = referenceTemp;
    in.inputPower_dbm = -30;
    const CascadeResult r = AnalyseCascade(in);
    QVERIFY(std::fabs(r.stages[0].nf_db - nf) < 1e-12);
    QVERIFY(std::fabs(r.stages[0].gain_db - gain) < 1e-12);
    QVERIFY(std::fabs(r.stages[0].noiseFactor - std::pow(10.0, nf / 10)) < 1e-12);
    // Power walks along the chain with the corrected gain.
    QCOMPARE(r.stages[0].inputPower_dbm, -30.0);
    QVERIFY(std::fabs(r.stages[0].outputPower_dbm - (-30.0 + gain)) < 1e-12);
    QCOMPARE(r.stages[1].inputPower_dbm, r.stages[0].outputPower_dbm);
    QVERIFY(std::fabs(r.stages[0].cascadedGain_db - gain) < 1e-12);
}

void TestCascade::intercepts_data()
{
    QTest::addColumn<CascadeInputs>("in");
    QTest::addColumn<double>("oip3");
    QTest::addColumn<double>("outputIm");
    QTest::addColumn<double>("inputIm");

    // 1 / (1 / (1000 mW * 10) + 1 / 1000 mW) = 909.09 mW.
    CascadeInputs two = Chain({Stage(3, 10, 30), Stage(3, 10, 30)});
    two.inputPower_dbm = -60;
    // Pout = -40: IMout = -120 - 2 * 29.586.
    QTest::newRow("two equal stages") << two << 29.5861 << -179.1721 << -199.1721;

    // Input mode: a 10 dBm input intercept behind 10 dB of gain is a 20 dBm output intercept,
    // and the gain as entered is used even when the gain tempco changes it at temperature.
    CascadeInputs input = Chain({Stage(3, 10, 10, 0, 0.1)});
    input.mode = InterceptMode::Input;
    input.analysisTemp_degC = 35;
    input.inputPower_dbm = -20;
    // Gt = 11 dB, Pout = -9 dBm; IMout = -27 - 40.
    QTest::newRow("input mode uses the entered gain") << input << 20.0 << -67.0 << -78.0;

    CascadeInputs output = input;
    output.mode = InterceptMode::Output;
    QTest::newRow("same stage, output mode") << output << 10.0 << -47.0 << -58.0;

    // A strong first stage is hidden behind a weak second one.
    CascadeInputs weakLast = Chain({Stage(1, 20, 40), Stage(6, 0, 10)});
    QTest::newRow("weak last stage dominates") << weakLast << 9.9957 << 40.0087 << 20.0087;
}

void TestCascade::intercepts()
{
    QFETCH(CascadeInputs, in);
    QFETCH(double, oip3);
    QFETCH(double, outputIm);
    QFETCH(double, inputIm);
    const CascadeResult r = AnalyseCascade(in);
    QVERIFY2(std::fabs(r.outputIp3_dbm - oip3) < 2e-4, qPrintable(QString::number(r.outputIp3_dbm, 'g', 12)));
    QVERIFY2(std::fabs(r.outputIm_dbm - outputIm) < 5e-4, qPrintable(QString::number(r.outputIm_dbm, 'g', 12)));
    QVERIFY2(std::fabs(r.inputIm_dbm - inputIm) < 5e-4, qPrintable(QString::number(r.inputIm_dbm, 'g', 12)));
    QCOMPARE(r.inputImRelative_dbc, r.inputIm_dbm - in.inputPower_dbm);
    QCOMPARE(r.outputImRelative_dbc, r.outputIm_dbm - r.stages.back().outputPower_dbm);
    QCOMPARE(r.stages.back().cascadedOip3_dbm, r.outputIp3_dbm);
    QCOMPARE(r.stages.front().cascadedOip3_mw, r.stages.front().oip3_mw);
}

void TestCascade::sensitivityMatchesFullRecalculation_data()
{
    QTest::addColumn<CascadeInputs>("in");
    QTest::newRow("receiver at 85 degC") << Receiver();
    CascadeInputs input = Receiver();
    input.mode = InterceptMode::Input;
    input.analysisTemp_degC = -40;
    QTest::newRow("receiver cold, input intercepts") << input;
    // A stage whose corrected NF sits below 0 dB: raising it by 1 dB changes nothing.
    QTest::newRow("clamped NF") << Chain({Stage(0.5, 10, 30, -0.1), Stage(3, 10, 20)});
    std::vector<CascadeStage> many;
    for (int k = 0; k < 50; ++k)
        many.push_back(Stage(1 + k % 7, (k % 3 == 0) ? -3 : 8, 20 + k % 11, 0.01, -0.01));
    CascadeInputs fifty = Chain(many);
    fifty.analysisTemp_degC = 60;
    QTest::newRow("fifty stages") << fifty;
}

void TestCascade::sensitivityMatchesFullRecalculation()
{
    // The sensitivity analysis redoes only the part of the chain a raised stage can move;
    // raising the stage and recalculating everything must give the same numbers.
    QFETCH(CascadeInputs, in);
    const CascadeResult r = AnalyseCascade(in);
    const CascadeResult base = AnalyseCascadeOnly(in);
    QCOMPARE(base.nf_db, r.nf_db);
    QCOMPARE(base.outputIp3_dbm, r.outputIp3_dbm);
    for (std::size_t k = 0; k < in.stages.size(); ++k) {
        CascadeInputs raised = in;
        raised.stages[k].nf_db += 1.0;
        const double sNf = AnalyseCascadeOnly(raised).nf_db - base.nf_db;
        raised = in;
        raised.stages[k].gain_db += 1.0;
        const double sGain = AnalyseCascadeOnly(raised).nf_db - base.nf_db;
        raised = in;
        raised.stages[k].ip3_dbm += 1.0;
        const double sIp3 = AnalyseCascadeOnly(raised).outputIp3_dbm - base.outputIp3_dbm;
        const QByteArray where = "stage " + QByteArray::number(int(k) + 1);
        QVERIFY2(std::fabs(r.stages[k].nfSensitivity - sNf) < 1e-12, where);
        QVERIFY2(std::fabs(r.stages[k].gainSensitivity - sGain) < 1e-12, where);
        QVERIFY2(std::fabs(r.stages[k].ip3Sensitivity - sIp3) < 1e-12, where);
    }
    // The analysis leaves the base figures as they were.
    QCOMPARE(r.gain_db, base.gain_db);
    QCOMPARE(r.mds_dbm, base.mds_dbm);
}

void TestCascade::sensitivityOfOneStage_data()
{
    QTest::addColumn<CascadeInputs>("in");
    QTest::addColumn<double>("sNf");
    QTest::addColumn<double>("sGain");
    QTest::addColumn<double>("sIp3");
    // Alone, a stage's NF and IP3 are the system's: 1 dB for 1 dB; its gain moves no noise.
    QTest::newRow("single stage") << Chain({Stage(3, 20, 30)}) << 1.0 << 0.0 << 1.0;
    CascadeInputs clamped = Chain({Stage(0, 20, 30, -1)});
    clamped.analysisTemp_degC = 35;
    QTest::newRow("NF clamped at 0 stays clamped") << clamped << 0.0 << 0.0 << 1.0;
    // A high-gain first stage masks the second one's noise almost entirely.
    // F = 1.2589 + 9 / 1000 = 1.2679; 1 dB more NF in stage 1: 1.5849 + 0.009 = 1.5939.
    // Its 110 dBm intercept (referred to the output) still pulls on the 100 dBm of the second.
    QTest::newRow("masked second stage") << Chain({Stage(1, 30, 100), Stage(10, 10, 100)}) << 0.99366 << -0.00634
                                         << 0.08197;
}

void TestCascade::sensitivityOfOneStage()
{
    QFETCH(CascadeInputs, in);
    QFETCH(double, sNf);
    QFETCH(double, sGain);
    QFETCH(double, sIp3);
    const CascadeResult r = AnalyseCascade(in);
    const CascadeStageResult& s = r.stages.front();
    QVERIFY2(std::fabs(s.nfSensitivity - sNf) < 1e-4, qPrintable(QString::number(s.nfSensitivity, 'g', 12)));
    QVERIFY2(std::fabs(s.gainSensitivity - sGain) < 1e-4, qPrintable(QString::number(s.gainSensitivity, 'g', 12)));
    QVERIFY2(std::fabs(s.ip3Sensitivity - sIp3) < 1e-4, qPrintable(QString::number(s.ip3Sensitivity, 'g', 12)));
}

void TestCascade::shades_data()
{
    QTest::addColumn<bool>("temperature");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("intensity");
    QTest::addColumn<int>("shade");
    QTest::newRow("no colour at intensity 0") << false << 0.97 << 0.0 << 255;
    QTest::newRow("no effect, no colour") << false << 0.0 << 1.0 << 255;
    QTest::newRow("1 dB/dB at 40 %") << false << 1.0 << double(0.4f) << 153;
    QTest::newRow("negative effect shades alike") << false << -1.0 << double(0.4f) << 153;
    QTest::newRow("half way rounds to even") << false << 0.5 << 1.0 << 128;
    QTest::newRow("full effect at 100 % is black") << false << 1.0 << 1.0 << 0;
    QTest::newRow("beyond full turns back, held at 255") << false << 3.0 << 1.0 << 255;
    QTest::newRow("25 degC is white") << true << 25.0 << 1.0 << 255;
    QTest::newRow("85 degC at 40 %") << true << 85.0 << double(0.4f) << 206;
    QTest::newRow("0 degC at 40 %") << true << 0.0 << double(0.4f) << 235;
    QTest::newRow("absolute zero at 100 % held at 255") << true << -273.0 << 1.0 << 255;
}

void TestCascade::shades()
{
    QFETCH(bool, temperature);
    QFETCH(double, value);
    QFETCH(double, intensity);
    QFETCH(int, shade);
    QCOMPARE(temperature ? TemperatureShade(value, intensity) : SensitivityShade(value, intensity), shade);
}

void TestCascade::faults_data()
{
    QTest::addColumn<CascadeInputs>("in");
    QTest::addColumn<int>("number");
    // A gain so low at temperature that it underflows to 0: the next stage's noise divides by it.
    CascadeInputs underflow = Chain({Stage(3, -1000, 100, 0, -10), Stage(3, 10)});
    underflow.analysisTemp_degC = 300;
    underflow.referenceTemp_degC = -273;
    QTest::newRow("gain underflows") << underflow << 11;
    CascadeInputs overflow = Chain({Stage(1000, 10, 100, 10, 0)});
    overflow.analysisTemp_degC = 300;
    overflow.referenceTemp_degC = -273;
    QTest::newRow("noise factor overflows") << overflow << 6;
    std::vector<CascadeStage> lossy(50, Stage(1000, -1000));
    QTest::newRow("fifty 1000 dB losses") << Chain(lossy) << 6;
}

void TestCascade::faults()
{
    QFETCH(CascadeInputs, in);
    QFETCH(int, number);
    const CascadeResult r = AnalyseCascade(in);
    QVERIFY(r.fault.raised);
    QCOMPARE(r.fault.number, number);
    QCOMPARE(QString::fromStdString(r.fault.text), QString::fromStdString(FaultTail(number)));
    for (double v : {r.nf_db, r.gain_db, r.mds_dbm, r.noiseTemp_k, r.outputIp3_dbm, r.sfdr_db})
        QVERIFY(std::isfinite(v));
    for (const CascadeStageResult& s : r.stages)
        QVERIFY(std::isfinite(s.nfSensitivity) && std::isfinite(s.cascadedNoiseFactor));
}

void TestCascade::emptyChain()
{
    const CascadeResult r = AnalyseCascade(CascadeInputs{});
    QVERIFY(r.stages.empty());
    QVERIFY(!r.fault.raised);
    QCOMPARE(r.nf_db, 0.0);
    QCOMPARE(r.mds_dbm, 0.0);
}

QTEST_APPLESS_MAIN(TestCascade)
#include "tst_cascade.moc"
