// The Touchstone loader: every refusal with its exact text and line number, the line
// normalisation (comments, commas, tabs, line ends), the option line read by position, the
// noise block found by a frequency that stops rising, and the slot emptied by a failed load.
#include "sparam/touchstone.h"

#include <QtTest>

#include <cstdio>
#include <string>

using namespace korvel;

namespace {

const std::string kPrefix = "File load error";

std::string SourceDir()
{
    const QByteArray dir = qgetenv("KORVEL_SOURCE_DIR");
    return dir.isEmpty() ? std::string(".") : dir.toStdString();
}

} // namespace

class TestTouchstone : public QObject {
    Q_OBJECT
private slots:
    void refusals_data();
    void refusals();
    void sameDataWrittenDifferently_data();
    void sameDataWrittenDifferently();
    void frequencyUnits_data();
    void frequencyUnits();
    void twoPortOrder();
    void noiseBlock_data();
    void noiseBlock();
    void noiseBlockEndsWhenFrequencyFallsAgain();
    void singlePrecisionFrequency();
    void failedLoadEmptiesOnlyItsSlot();
    void loadFromDisk();
    void missingFile();
    void largeFileReadsLikeASmallOne();
    void largeFileFaultsReportTheFirstLine();
    void largeFileCountedInHalves_data();
    void largeFileCountedInHalves();
};

// Each malformed file with the message box text it must produce.
void TestTouchstone::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    const QByteArray ok1 = "# GHz S MA R 50\n1 0.5 0\n";
    QTest::newRow("txt extension") << "dev.txt" << ok1 << ": file extension does not conform to SnP convention";
    QTest::newRow("no extension, short name") << "p" << ok1 << ": file extension does not conform to SnP convention";
    QTest::newRow("s3p") << "dev.s3p" << ok1 << ": SnP files currently limited to 1-port and 2-port devices ";
    QTest::newRow("s0p") << "dev.s0p" << ok1 << ": SnP files currently limited to 1-port and 2-port devices ";
    QTest::newRow("s12: two digits") << "dev.s12" << ok1 << ": SnP files currently limited to 1-port and 2-port devices ";
    QTest::newRow("no option line") << "dev.s1p" << QByteArray("! data only\n1 0.5 0\n")
                                    << ": misssing header (#) line in SnP file.";
    QTest::newRow("empty file") << "dev.s1p" << QByteArray() << ": misssing header (#) line in SnP file.";
    QTest::newRow("option line only in a comment") << "dev.s1p" << QByteArray("! # GHz S MA R 50\n1 0.5 0\n")
                                                   << ": misssing header (#) line in SnP file.";
    QTest::newRow("parameter type left out") << "dev.s1p" << QByteArray("# GHz MA R 50\n1 0.5 0\n")
                                             << " in line number: 0.   Missing parameter type (e.g., S, Y, Z, G, H)";
    QTest::newRow("unit moved to the end") << "dev.s1p" << QByteArray("# S MA R 50 GHz\n1 0.5 0\n")
                                           << " in line number: 0.  Check frequency units for proper format";
    QTest::newRow("unit glued to #: fields are positional")
        << "dev.s1p" << QByteArray("#GHz S MA R 50\n1 0.5 0\n")
        << " in line number: 0.  Check frequency units for proper format";
    QTest::newRow("unknown unit after comments, line counted from 0")
        << "dev.s1p" << QByteArray("! one\n! two\n\n# THz S MA R 50\n1 0.5 0\n")
        << " in line number: 3.  Check frequency units for proper format";
    QTest::newRow("CR line ends count as lines")
        << "dev.s1p" << QByteArray("! one\r! two\r# XHz S MA R 50\r1 0.5 0\r")
        << " in line number: 2.  Check frequency units for proper format";
    QTest::newRow("CR LF is one line end")
        << "dev.s1p" << QByteArray("! one\r\n! two\r\n# XHz S MA R 50\r\n1 0.5 0\r\n")
        << " in line number: 2.  Check frequency units for proper format";
    QTest::newRow("G-parameters") << "dev.s2p" << QByteArray("# MHz G RI R 50\n")
                                  << " in line number: 0:  S-parameter format only - this is a G-parameter file type";
    QTest::newRow("Y-parameters, lower case") << "dev.s2p" << QByteArray("# MHz y RI R 50\n")
                                              << " in line number: 0:  S-parameter format only - this is a Y-parameter file type";
    QTest::newRow("Z-parameters") << "dev.s2p" << QByteArray("# MHz Z RI R 50\n")
                                  << " in line number: 0:  S-parameter format only - this is a Z-parameter file type";
    QTest::newRow("H-parameters") << "dev.s2p" << QByteArray("# MHz H RI R 50\n")
                                  << " in line number: 0:  S-parameter format only - this is a H-parameter file type";
    QTest::newRow("unknown parameter type") << "dev.s2p" << QByteArray("# MHz T RI R 50\n")
                                            << " in line number: 0.   Check for proper parameter type format";
    QTest::newRow("unknown number format") << "dev.s2p" << QByteArray("# MHz S RE R 50\n")
                                           << " in line number: 0.   Check for proper S-parameter MA/DB/RI complex number format.";
    QTest::newRow("impedance not numeric") << "dev.s2p" << QByteArray("# MHz S RI R fifty\n")
                                           << " in line number: 0.  Check characteristic impedance for proper numeric format";
    QTest::newRow("impedance missing") << "dev.s2p" << QByteArray("# MHz S RI R\n1 0 0 0 0 0 0 0 0\n")
                                       << " in line number: 0.  Check characteristic impedance for proper numeric format";
    QTest::newRow("impedance cut off by a comment") << "dev.s2p" << QByteArray("# MHz S RI R ! 50\n")
                                                    << " in line number: 0.  Check characteristic impedance for proper numeric format";
    QTest::newRow("no network data") << "dev.s1p" << QByteArray("# GHz S MA R 50\n! nothing\n")
                                     << " in S data section of SnP file.";
    QTest::newRow("word in a data line") << "dev.s1p" << QByteArray("# GHz S MA R 50\n1 0.5 0\n2 0.4 x\n")
                                         << " in line number: 2 in S data section of SnP file.";
    QTest::newRow("short two-port line") << "dev.s2p" << QByteArray("# GHz S MA R 50\n1 0.5 0 2 90 0.1 0 0.4\n")
                                         << " in line number: 1 in S data section of SnP file.";
    QTest::newRow("frequency not a number") << "dev.s1p" << QByteArray("# GHz S MA R 50\nabc 0.5 0\n")
                                            << " in line number: 1 in S data section of SnP file.";
    QTest::newRow("infinity is not a number") << "dev.s1p" << QByteArray("# GHz S MA R 50\n1 inf 0\n")
                                              << " in line number: 1 in S data section of SnP file.";
    QTest::newRow("value beyond single precision") << "dev.s1p" << QByteArray("# GHz S MA R 50\n1 1e39 0\n")
                                                   << " in line number: 1 in S data section of SnP file.";
    QTest::newRow("frequency beyond single precision in MHz")
        << "dev.s1p" << QByteArray("# GHz S MA R 50\n1e37 0.5 0\n") << " in line number: 1 in S data section of SnP file.";
    QTest::newRow("short noise line")
        << "dev.s2p"
        << QByteArray("# GHz S MA R 50\n1 .5 0 2 0 .1 0 .5 0\n2 .5 0 2 0 .1 0 .5 0\n\n1 0.5 0.6 30\n")
        << " in line number: 4 in noise data section of SnP file.";
}

void TestTouchstone::refusals()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    DataSet set;
    set.loaded = true;
    set.fileName = "previous.s2p";
    set.hasNoise = true;
    set.freq = {1.0f, 2.0f};
    const LoadResult r = LoadSnpText(name.toStdString(), "/data/" + name.toStdString(),
                                     std::string_view(content.constData(), static_cast<std::size_t>(content.size())), set);
    QVERIFY(!r.ok);
    QCOMPARE(QString::fromStdString(r.title), QString("SnP File Error"));
    QCOMPARE(QString::fromStdString(r.text), QString::fromStdString(kPrefix) + expected);
    QVERIFY(r.icon == MsgIcon::Exclamation);
    // The slot is emptied: flags, names, noise flag and counts.
    QVERIFY(!set.loaded);
    QVERIFY(set.loadFailed);
    QVERIFY(set.fileName.empty());
    QVERIFY(set.folder.empty());
    QVERIFY(!set.hasNoise);
    QCOMPARE(set.Points(), std::size_t{0});
    QCOMPARE(set.NoisePoints(), std::size_t{0});
}

// The same one-port data written in the ways a file may write it must load the same.
void TestTouchstone::sameDataWrittenDifferently_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("plain") << QByteArray("# GHz S MA R 50\n1 0.5 -45\n2 0.25 90\n");
    QTest::newRow("commas") << QByteArray("#,GHz,S,MA,R,50\n1,0.5,-45\n2,0.25,90\n");
    QTest::newRow("commas and blanks") << QByteArray("#, GHz, S, MA, R, 50\n1, 0.5, -45\n2, 0.25, 90\n");
    QTest::newRow("tabs and runs of blanks") << QByteArray("#\tGHz   S\t\tMA R    50\n  1\t 0.5     -45  \n2\t0.25\t90\t\n");
    QTest::newRow("lower-case option line") << QByteArray("# ghz s ma r 50\n1 0.5 -45\n2 0.25 90\n");
    QTest::newRow("comments everywhere") << QByteArray("! header\n# GHz S MA R 50 ! a comment with GHz\n"
                                                       "1 0.5 -45 ! first\n! between\n2 0.25 90!glued\n");
    QTest::newRow("apostrophe comment lines") << QByteArray("' old-style comment\n# GHz S MA R 50\n'another 3 3 3\n"
                                                            "1 0.5 -45\n2 0.25 90\n");
    QTest::newRow("CRLF line ends") << QByteArray("# GHz S MA R 50\r\n1 0.5 -45\r\n2 0.25 90\r\n");
    QTest::newRow("CR line ends, no final line end") << QByteArray("# GHz S MA R 50\r1 0.5 -45\r2 0.25 90");
    QTest::newRow("explicit plus signs and exponents") << QByteArray("# GHz S MA R +5e1\n+1 5E-1 -45.0\n2.0 2.5e-1 +9e1\n");
    QTest::newRow("extra fields after the pair are ignored") << QByteArray("# GHz S MA R 50 extra\n1 0.5 -45 7\n2 0.25 90 8\n");
    QTest::newRow("later option lines are ignored") << QByteArray("# GHz S MA R 50\n1 0.5 -45\n# Hz S RI R 75\n2 0.25 90\n");
}

void TestTouchstone::sameDataWrittenDifferently()
{
    QFETCH(QByteArray, content);
    DataSet set;
    const LoadResult r = LoadSnpText("dut.s1p", "/x/dut.s1p",
                                     std::string_view(content.constData(), static_cast<std::size_t>(content.size())), set);
    QVERIFY2(r.ok, r.text.c_str());
    QVERIFY(set.loaded);
    QVERIFY(!set.loadFailed);
    QCOMPARE(set.ports, 1);
    QCOMPARE(QString::fromStdString(set.numberFormat), QString("MA"));
    QCOMPARE(QString::fromStdString(set.frequencyUnit), QString("GHZ"));
    QCOMPARE(QString::fromStdString(set.parameterType), QString("S"));
    QCOMPARE(set.referenceImpedance, 50.0f);
    QCOMPARE(set.Points(), std::size_t{2});
    QCOMPARE(set.freq[0], 1000.0f);
    QCOMPARE(set.freq[1], 2000.0f);
    QCOMPARE(set.first[SIndex(1, 1)][0], 0.5f);
    QCOMPARE(set.second[SIndex(1, 1)][0], -45.0f);
    QCOMPARE(set.first[SIndex(1, 1)][1], 0.25f);
    QCOMPARE(set.second[SIndex(1, 1)][1], 90.0f);
    QVERIFY(!set.hasNoise);
}

void TestTouchstone::frequencyUnits_data()
{
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<float>("mhz");
    QTest::newRow("Hz") << QByteArray("Hz") << 2.5e-6f;
    QTest::newRow("kHz") << QByteArray("kHz") << 0.0025f;
    QTest::newRow("MHz") << QByteArray("MHz") << 2.5f;
    QTest::newRow("GHz") << QByteArray("GHz") << 2500.0f;
    QTest::newRow("GHZ") << QByteArray("GHZ") << 2500.0f;
    QTest::newRow("ghz") << QByteArray("ghz") << 2500.0f;
    QTest::newRow("khz") << QByteArray("khz") << 0.0025f;
}

void TestTouchstone::frequencyUnits()
{
    QFETCH(QByteArray, unit);
    QFETCH(float, mhz);
    const std::string text = "# " + unit.toStdString() + " S RI R 50\n2.5 0.1 0.2\n";
    DataSet set;
    QVERIFY(LoadSnpText("a.s1p", "a.s1p", text, set).ok);
    QCOMPARE(set.freq[0], mhz);
    QCOMPARE(QString::fromStdString(set.frequencyUnit), QString::fromLatin1(unit).toUpper());
}

// A two-port line is S11, S21, S12, S22: element (i, j) must hold Sij, not its transpose.
void TestTouchstone::twoPortOrder()
{
    DataSet set;
    const LoadResult r = LoadSnpText("amp.s2p", "amp.s2p", "# MHz S RI R 75\n100 11 -11 21 -21 12 -12 22 -22\n", set);
    QVERIFY2(r.ok, r.text.c_str());
    QCOMPARE(set.ports, 2);
    QCOMPARE(set.referenceImpedance, 75.0f);
    for (int i = 1; i <= 2; ++i) {
        for (int j = 1; j <= 2; ++j) {
            QCOMPARE(set.first[SIndex(i, j)][0], static_cast<float>(10 * i + j));
            QCOMPARE(set.second[SIndex(i, j)][0], -static_cast<float>(10 * i + j));
        }
    }
}

void TestTouchstone::noiseBlock_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("networkPoints");
    QTest::addColumn<int>("noisePoints");
    QTest::addColumn<float>("firstNoiseAngle");
    QTest::addColumn<float>("firstNoiseFreq");

    const QByteArray net = "1 .5 0 2 0 .1 0 .5 0\n2 .5 0 2 0 .1 0 .5 0\n3 .5 0 2 0 .1 0 .5 0\n";
    QTest::newRow("frequencies restart lower, MA: negative angle raised by 360")
        << "# GHz S MA R 50\n" + net + "! noise\n1 0.5 0.6 -30 0.2\n2 0.6 0.5 40 0.3\n" << 3 << 2 << 330.0f << 1000.0f;
    QTest::newRow("repeated last frequency starts the block")
        << "# GHz S MA R 50\n" + net + "3 0.5 0.6 30 0.2\n4 0.6 0.5 40 0.3\n" << 3 << 2 << 30.0f << 3000.0f;
    QTest::newRow("DB file: negative angle raised by 360")
        << "# GHz S DB R 50\n" + net + "2 0.5 0.6 -170 0.2\n" << 3 << 1 << 190.0f << 2000.0f;
    QTest::newRow("RI file keeps a negative angle")
        << "# GHz S RI R 50\n" + net + "2 0.5 0.6 -170 0.2\n" << 3 << 1 << -170.0f << 2000.0f;
}

void TestTouchstone::noiseBlock()
{
    QFETCH(QByteArray, content);
    QFETCH(int, networkPoints);
    QFETCH(int, noisePoints);
    QFETCH(float, firstNoiseAngle);
    QFETCH(float, firstNoiseFreq);
    DataSet set;
    const LoadResult r = LoadSnpText("lna.s2p", "lna.s2p",
                                     std::string_view(content.constData(), static_cast<std::size_t>(content.size())), set);
    QVERIFY2(r.ok, r.text.c_str());
    QVERIFY(set.hasNoise);
    QCOMPARE(static_cast<int>(set.Points()), networkPoints);
    QCOMPARE(static_cast<int>(set.NoisePoints()), noisePoints);
    QCOMPARE(set.nfMinDb[0], 0.5f);
    QCOMPARE(set.gammaOptMag[0], 0.6f);
    QCOMPARE(set.gammaOptAng[0], firstNoiseAngle);
    QCOMPARE(set.rn[0], 0.2f);
    QCOMPARE(set.noiseFreq[0], firstNoiseFreq);
}

// Once the noise frequencies stop rising, later lines belong to neither block.
void TestTouchstone::noiseBlockEndsWhenFrequencyFallsAgain()
{
    DataSet set;
    const LoadResult r = LoadSnpText("lna.s2p", "lna.s2p",
                                     "# GHz S MA R 50\n1 .5 0 2 0 .1 0 .5 0\n2 .5 0 2 0 .1 0 .5 0\n"
                                     "1 0.5 0.6 30 0.2\n2 0.7 0.5 40 0.3\n1.5 9 9 9 9\n5 9 9 9 9\n",
                                     set);
    QVERIFY2(r.ok, r.text.c_str());
    QCOMPARE(set.Points(), std::size_t{2});
    QCOMPARE(set.NoisePoints(), std::size_t{2});
    QCOMPARE(set.noiseFreq[1], 2000.0f);
    QCOMPARE(set.nfMinDb[1], 0.7f);
}

void TestTouchstone::singlePrecisionFrequency()
{
    DataSet set;
    QVERIFY(LoadSnpText("a.s1p", "a.s1p", "# GHz S MA R 50\n1.5 0.5 0\n", set).ok);
    QCOMPARE(set.freq[0], 1500.0f);
    // 1.50000001 equals 1.5 in single precision: the frequency does not rise, so the line
    // opens the noise block.
    DataSet lna;
    const LoadResult r = LoadSnpText("a.s2p", "a.s2p",
                                     "# GHz S MA R 50\n1.5 .5 0 2 0 .1 0 .5 0\n1.50000001 0.5 0.6 30 0.2\n", lna);
    QVERIFY2(r.ok, r.text.c_str());
    QCOMPARE(lna.Points(), std::size_t{1});
    QCOMPARE(lna.NoisePoints(), std::size_t{1});
    QCOMPARE(lna.noiseFreq[0], 1500.0f);
}

void TestTouchstone::failedLoadEmptiesOnlyItsSlot()
{
    const std::string dir = SourceDir() + "/tests/sparam/data/";
    DataSetSlots table;
    QVERIFY(GetSnpFile("amp_ma.s2p", 1, dir + "amp_ma.s2p", table).ok);
    QVERIFY(GetSnpFile("amp_ma.s2p", 2, dir + "amp_ma.s2p", table).ok);
    QVERIFY(table[1].loaded);
    const LoadResult r = GetSnpFile("bad_unit.s2p", 1, dir + "bad_unit.s2p", table);
    QVERIFY(!r.ok);
    QCOMPARE(QString::fromStdString(r.text),
             QString("File load error in line number: 1.  Check frequency units for proper format"));
    QVERIFY(!table[1].loaded);
    QVERIFY(table[1].loadFailed);
    QVERIFY(table[1].fileName.empty());
    QCOMPARE(table[1].Points(), std::size_t{0});
    QVERIFY(table[2].loaded);
    QCOMPARE(table[2].Points(), std::size_t{4});
    QVERIFY(table[2].hasNoise);
}

void TestTouchstone::loadFromDisk()
{
    const std::string dir = SourceDir() + "/tests/sparam/data";
    DataSetSlots table;
    const LoadResult r = GetSnpFile("amp_ma.s2p", 3, dir + "/amp_ma.s2p", table);
    QVERIFY2(r.ok, r.text.c_str());
    const DataSet& s = table[3];
    QCOMPARE(QString::fromStdString(s.fileName), QString("amp_ma.s2p"));
    QCOMPARE(QString::fromStdString(s.folder), QString::fromStdString(dir));
    QCOMPARE(s.Points(), std::size_t{4});
    QCOMPARE(s.NoisePoints(), std::size_t{3});
    QCOMPARE(s.freq[3], 4000.0f);
    QCOMPARE(s.first[SIndex(2, 1)][0], 8.0f);
    QCOMPARE(s.second[SIndex(2, 1)][0], 120.0f);
    QCOMPARE(s.gammaOptAng[2], 210.0f);   // -150 in an MA file
}

void TestTouchstone::missingFile()
{
    DataSetSlots table;
    const LoadResult r = GetSnpFile("none.s2p", 1, "/nonexistent/none.s2p", table);
    QVERIFY(!r.ok);
    QCOMPARE(QString::fromStdString(r.title), QString("SnP File Error"));
    QVERIFY(QString::fromStdString(r.text).startsWith("File load error"));
    QVERIFY(table[1].loadFailed);
}

namespace {

// A two-port text of n network lines (frequency k + 1 MHz, S11 magnitude k / n) and a short
// noise block: large enough to be parsed in two halves.
std::string LargeText(int n, int badLine = -1, int secondBadLine = -1)
{
    std::string t = "! large\n# MHz S MA R 50\n";
    t.reserve(static_cast<std::size_t>(n) * 80 + 200);
    char buf[160];
    for (int k = 0; k < n; ++k) {
        const int line = k + 2;
        // A word in place of |S11| passes the counting pass and fails while filling.
        if (line == badLine || line == secondBadLine)
            std::snprintf(buf, sizeof buf, "%d.000000 bad -45.5 10.25 90.125 0.015625 12.5 0.5 -30.75\n", k + 1);
        else
            std::snprintf(buf, sizeof buf, "%d.000000 %.6f -45.5 10.25 90.125 0.015625 12.5 0.5 -30.75\n", k + 1,
                          static_cast<double>(k) / n);
        t += buf;
    }
    t += "1 0.5 0.6 -30 0.2\n2 0.6 0.5 40 0.3\n";
    return t;
}

} // namespace

void TestTouchstone::largeFileReadsLikeASmallOne()
{
    const int n = 80000;
    const std::string text = LargeText(n);
    QVERIFY(text.size() > (std::size_t{4} << 20));
    DataSet set;
    const LoadResult r = LoadSnpText("big.s2p", "big.s2p", text, set);
    QVERIFY2(r.ok, r.text.c_str());
    QCOMPARE(set.Points(), std::size_t(n));
    QCOMPARE(set.NoisePoints(), std::size_t{2});
    for (int k : {0, 1, n / 2 - 1, n / 2, n / 2 + 1, n - 1}) {
        QCOMPARE(set.freq[static_cast<std::size_t>(k)], static_cast<float>(k + 1));
        QCOMPARE(set.first[SIndex(1, 1)][static_cast<std::size_t>(k)],
                 static_cast<float>(std::stod(QByteArray::number(static_cast<double>(k) / n, 'f', 6).toStdString())));
        QCOMPARE(set.second[SIndex(2, 2)][static_cast<std::size_t>(k)], -30.75f);
        QCOMPARE(set.first[SIndex(1, 2)][static_cast<std::size_t>(k)], 0.015625f);
    }
    QCOMPARE(set.gammaOptAng[0], 330.0f);
    QCOMPARE(set.noiseFreq[1], 2.0f);
}

void TestTouchstone::largeFileFaultsReportTheFirstLine()
{
    const int n = 80000;
    DataSet set;
    // A fault near the end only.
    LoadResult r = LoadSnpText("big.s2p", "big.s2p", LargeText(n, n - 10), set);
    QVERIFY(!r.ok);
    QCOMPARE(QString::fromStdString(r.text),
             QString("File load error in line number: %1 in S data section of SnP file.").arg(n - 10));
    // Faults in both halves: the earlier one is reported.
    r = LoadSnpText("big.s2p", "big.s2p", LargeText(n, 100, n - 10), set);
    QCOMPARE(QString::fromStdString(r.text),
             QString("File load error in line number: 100 in S data section of SnP file."));
    QVERIFY(set.loadFailed);
}

namespace {

// A large two-port text whose lines are given by a rule per line number, counted from 0 as
// the loader's messages count them. Every line is padded to one length, so that the middle of
// the text is the start of line lines/2 and a file can put its noise block right there.
template <class LineOf>
std::string TextOfLines(int lines, LineOf lineOf)
{
    constexpr std::size_t kWidth = 40;
    std::string t;
    t.reserve(static_cast<std::size_t>(lines) * (kWidth + 1));
    for (int line = 0; line < lines; ++line) {
        std::string text = lineOf(line);
        text.resize(std::max(text.size(), kWidth), ' ');
        t += text;
        t += '\n';
    }
    return t;
}

std::string WithFrequency(int mhz, const char* rest)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%06d%s", mhz, rest);
    return buf;
}

std::string DataLine(int mhz) { return WithFrequency(mhz, " 0.5 -45 10 90 0.02 12 0.5 -30"); }
std::string NoiseLine(int mhz) { return WithFrequency(mhz, " 0.5 0.6 -30 0.2"); }

} // namespace

// The counting pass runs on both halves of a large file at once, the second as if it went on
// with the network data; these files break that guess at the split or fault in either half.
void TestTouchstone::largeFileCountedInHalves_data()
{
    const int lines = 200000;   // about 6 MB: two halves
    const int half = lines / 2;
    const std::string header = "# MHz S MA R 50";
    const std::string bad = "x 1 2";
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("network");
    QTest::addColumn<int>("noise");
    QTest::addColumn<QString>("fault");

    auto add = [](const QString& name, const std::string& text, int network, int noise, const QString& fault) {
        QVERIFY(text.size() > (std::size_t{4} << 20));
        QTest::newRow(qPrintable(name)) << QByteArray::fromStdString(text) << network << noise << fault;
    };
    const QString sDataFault = "File load error in line number: %1 in S data section of SnP file.";
    // Network data up to about the middle, noise data from there to the end.
    for (int offset : {-3, -1, 0, 1, 3}) {
        const int noiseFrom = half + offset;
        add(QString("noise block from middle %1").arg(offset), TextOfLines(lines, [&](int line) {
                return line == 0 ? header : line < noiseFrom ? DataLine(line) : NoiseLine(line - noiseFrom + 1);
            }),
            noiseFrom - 1, lines - noiseFrom, QString());
    }
    // Nothing is read after the noise block, not even data lines that look right.
    add("second half after the noise block", TextOfLines(lines, [&](int line) {
            return line == 0 ? header : line < 100 ? DataLine(line) : line < 200 ? NoiseLine(line - 99) : DataLine(line - 199);
        }),
        99, 100, QString());
    add("second half of comments only", TextOfLines(lines, [&](int line) {
            return line == 0 ? header : line < 1000 ? DataLine(line) : std::string("! a remark");
        }),
        999, 0, QString());
    add("word for a frequency in the second half", TextOfLines(lines, [&](int line) {
            return line == 0 ? header : line == lines - 5 ? bad : DataLine(line);
        }),
        0, 0, sDataFault.arg(lines - 5));
    add("words for frequencies in both halves", TextOfLines(lines, [&](int line) {
            return line == 0 ? header : line == 77 || line == lines - 5 ? bad : DataLine(line);
        }),
        0, 0, sDataFault.arg(77));
    add("word in the noise block of the second half", TextOfLines(lines, [&](int line) {
            return line == 0 ? header : line < 1000 ? DataLine(line) : line == lines - 5 ? bad : NoiseLine(line - 999);
        }),
        0, 0, QString("File load error in line number: %1 in noise data section of SnP file.").arg(lines - 5));
    add("option line in the second half only", TextOfLines(lines, [&](int line) {
            return line == half + 10 ? std::string("# THz S MA R 50") : DataLine(line + 1);
        }),
        0, 0, QString("File load error in line number: %1.  Check frequency units for proper format").arg(half + 10));
}

void TestTouchstone::largeFileCountedInHalves()
{
    QFETCH(QByteArray, text);
    QFETCH(int, network);
    QFETCH(int, noise);
    QFETCH(QString, fault);
    DataSet set;
    const LoadResult r = LoadSnpText("big.s2p", "big.s2p", text.toStdString(), set);
    if (!fault.isEmpty()) {
        QVERIFY(!r.ok);
        QCOMPARE(QString::fromStdString(r.text), fault);
        return;
    }
    QVERIFY2(r.ok, r.text.c_str());
    QCOMPARE(set.Points(), std::size_t(network));
    QCOMPARE(set.NoisePoints(), std::size_t(noise));
    // Data line k holds k MHz, and the noise block counts from 1 MHz.
    QCOMPARE(set.freq.back(), static_cast<float>(network));
    if (noise > 0)
        QCOMPARE(set.noiseFreq.back(), static_cast<float>(noise));
}

QTEST_APPLESS_MAIN(TestTouchstone)
#include "tst_touchstone.moc"
