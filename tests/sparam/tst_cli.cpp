// korvel-sparam, the command-line Tabular display: run as a script would run it, checking
// the table on standard output, the loader's message and exit code 1 on a bad file, and the
// usage line with exit code 2 on bad arguments.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

struct Run {
    int code = -1;
    QString out;
    QString err;
};

QString Tool()
{
    return QString::fromLocal8Bit(qgetenv("KORVEL_BIN_DIR")) + "/korvel-sparam";
}

QString Data(const QString& name)
{
    return QString::fromLocal8Bit(qgetenv("KORVEL_SOURCE_DIR")) + "/tests/sparam/data/" + name;
}

Run Exec(const QStringList& args)
{
    QProcess p;
    p.start(Tool(), args);
    Run r;
    if (!p.waitForFinished(30000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList Lines(const QString& text)
{
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// A file of this content, or, for "<fifo>", "<link to /dev/zero>" and "<folder>", that
// thing under the name.
QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& content)
{
    const QString path = dir.filePath(name);
    if (content.startsWith('<')) {
        const bool made = content == "<fifo>"     ? ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                          : content == "<folder>" ? QDir().mkpath(path)
                                                  : QFile::link("/dev/zero", path);
        if (!made)
            qFatal("cannot make %s", qPrintable(path));
        return path;
    }
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(content);
    return path;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tableOnStartStopGrid();
    void centerSpanGridAndSingleFrequency_data();
    void centerSpanGridAndSingleFrequency();
    void twoDataSetsSideBySide();
    void notesGoToStandardError();
    void loadFailure_data();
    void loadFailure();
    void badArguments_data();
    void badArguments();
    void listParams();
    void outOfMemoryIsAMessage();

private:
    QTemporaryDir tmp_;
};

void TestCli::initTestCase()
{
    QVERIFY2(QFile::exists(Tool()), qPrintable(Tool()));
    QVERIFY(tmp_.isValid());
}

void TestCli::tableOnStartStopGrid()
{
    const Run r = Exec({Data("amp_ma.s2p"), "--grid", "1000:4000:1000", "--params", "Gt,VSWRIn,GroupDelay21,Rn,S21"});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const QStringList lines = Lines(r.out);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QString("Frequency (MHz)\tD1 Gt  [S21](dB)\tD1 VSWR In\tD1 Group Delay 21 (ps)\tD1 Rn(ohms)\tD1 S21(Mag, Ang)"));
    // 1 GHz: |S21| = 8 is 18.06 dB; |S11| = 0.6 is VSWR 4; S21 turns from 120° to 90° over
    // 1 GHz, a delay of 30/360 ns; rn 0.3 of 50 ohms.
    QCOMPARE(lines[1], QString("1000\t18.06\t4.00\t83.3\t15.00\t8.0000, 120.0"));
    // The last point has no following point and so no group delay: an empty cell.
    QCOMPARE(lines[4].split('\t').size(), 6);
    QCOMPARE(lines[4].split('\t')[3], QString());
    QCOMPARE(lines[4].split('\t')[0], QString("4000"));
}

void TestCli::centerSpanGridAndSingleFrequency_data()
{
    QTest::addColumn<QStringList>("grid");
    QTest::addColumn<QStringList>("frequencies");
    QTest::newRow("center-span, even points raised")
        << QStringList{"--center", "2500", "--span", "1000", "--points", "4"}
        << QStringList{"2000", "2250", "2500", "2750", "3000"};
    QTest::newRow("start-stop appends stop") << QStringList{"--grid", "1000:2500:1000"} << QStringList{"1000", "2000", "2500"};
    QTest::newRow("single frequency") << QStringList{"--freq", "1500"} << QStringList{"1500"};
    QTest::newRow("plain decimal from 1e7 MHz up") << QStringList{"--freq", "1e7"} << QStringList{"10000000"};
    QTest::newRow("zero without a sign") << QStringList{"--freq", "-0"} << QStringList{"0"};
}

void TestCli::centerSpanGridAndSingleFrequency()
{
    QFETCH(QStringList, grid);
    QFETCH(QStringList, frequencies);
    const Run r = Exec(QStringList{Data("amp_ma.s2p")} + grid + QStringList{"--params", "K"});
    QCOMPARE(r.code, 0);
    QStringList lines = Lines(r.out);
    QCOMPARE(lines.takeFirst(), QString("Frequency (MHz)\tD1 K"));
    QStringList got;
    for (const QString& l : lines)
        got << l.section('\t', 0, 0);
    QCOMPARE(got, frequencies);
}

void TestCli::twoDataSetsSideBySide()
{
    const QString onePort = Write(tmp_, "load.s1p", "# MHz S RI R 50\n1000 0.2 0\n4000 0.5 0\n");
    const Run r = Exec({Data("amp_ma.s2p"), onePort, "--freq", "2500", "--params", "RLIn,Gt"});
    QCOMPARE(r.code, 0);
    const QStringList lines = Lines(r.out);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QString("Frequency (MHz)\tD1 RL In(dB)\tD1 Gt  [S21](dB)\tD2 RL In(dB)\tD2 Gt  [S21](dB)"));
    // The one-port at 2500 MHz: 0.35 in real parts, RL 9.12 dB; it has no Gt.
    const QStringList cells = lines[1].split('\t');
    QCOMPARE(cells.size(), 5);
    QCOMPARE(cells[3], QString("9.12"));
    QCOMPARE(cells[4], QString());
}

void TestCli::notesGoToStandardError()
{
    const QString uni = Write(tmp_, "uni.s2p", "# MHz S MA R 50\n100 0.5 0 2 0 0 0 1 0\n200 0.5 0 2 0 0 0 0.999 0\n");
    const Run r = Exec({uni, "--grid", "100:200:100", "--params", "K,VSWROut,MSG,Gt"});
    QCOMPARE(r.code, 0);
    const QStringList lines = Lines(r.out);
    QCOMPARE(lines[1], QString("100\t20.000\t\t6.02\t6.02"));
    QCOMPARE(lines[2], QString("200\t20.000\t1000.00\t6.02\t6.02"));
    QCOMPARE(Lines(r.err), (QStringList{"Note: K is infinite at some frequencies; plotted as K = 20",
                                        "Note: Out of bounds VSWR's not plotted; VSWR > 1000 plotted as 1000"}));
}

void TestCli::loadFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad unit") << "bad.s2p" << QByteArray("! x\n# GHzz S MA R 50\n")
                              << "File load error in line number: 1.  Check frequency units for proper format";
    QTest::newRow("three ports") << "dev.s3p" << QByteArray("# GHz S MA R 50\n")
                                 << "File load error: SnP files currently limited to 1-port and 2-port devices ";
    QTest::newRow("no option line") << "dev.s1p" << QByteArray("1 2 3\n")
                                    << "File load error: misssing header (#) line in SnP file.";
    // Not regular files: one would block for ever, one never ends.
    QTest::newRow("FIFO") << "fifo.s2p" << QByteArray("<fifo>") << "File load error: cannot read %1";
    QTest::newRow("link to /dev/zero") << "zero.s2p" << QByteArray("<link to /dev/zero>")
                                       << "File load error: cannot read %1";
    QTest::newRow("folder") << "folder.s2p" << QByteArray("<folder>") << "File load error: cannot read %1";
}

void TestCli::loadFailure()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = Write(tmp_, name, content);
    const Run r = Exec({Data("amp_ma.s2p"), path, "--freq", "1000", "--params", "Gt"});
    QCOMPARE(r.code, 1);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(r.err, QString(message).replace("%1", path) + "\n");
}

void TestCli::badArguments_data()
{
    QTest::addColumn<QStringList>("args");
    const QString f = Data("amp_ma.s2p");
    QTest::newRow("no file") << QStringList{"--freq", "1000", "--params", "K"};
    QTest::newRow("four files") << QStringList{f, f, f, f, "--freq", "1000", "--params", "K"};
    QTest::newRow("no grid") << QStringList{f, "--params", "K"};
    QTest::newRow("two grids") << QStringList{f, "--freq", "1000", "--grid", "1:2:1", "--params", "K"};
    QTest::newRow("grid of two numbers") << QStringList{f, "--grid", "1000:2000", "--params", "K"};
    QTest::newRow("grid not numeric") << QStringList{f, "--grid", "a:2000:10", "--params", "K"};
    QTest::newRow("negative step") << QStringList{f, "--grid", "1000:2000:-10", "--params", "K"};
    QTest::newRow("points not whole") << QStringList{f, "--center", "1000", "--span", "10", "--points", "2.5", "--params", "K"};
    QTest::newRow("span without points") << QStringList{f, "--center", "1000", "--span", "10", "--params", "K"};
    QTest::newRow("no parameters") << QStringList{f, "--freq", "1000"};
    QTest::newRow("unknown parameter") << QStringList{f, "--freq", "1000", "--params", "K,Gain"};
    QTest::newRow("unknown option") << QStringList{f, "--freq", "1000", "--params", "K", "--verbose"};
    QTest::newRow("option without value") << QStringList{f, "--params", "K", "--freq"};
    // Finite as typed, infinite in the grid's single precision.
    QTest::newRow("frequency beyond single precision") << QStringList{f, "--freq", "1e39", "--params", "K"};
    QTest::newRow("span end beyond single precision")
        << QStringList{f, "--center", "3e38", "--span", "1e38", "--points", "3", "--params", "K"};
}

void TestCli::badArguments()
{
    QFETCH(QStringList, args);
    const Run r = Exec(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.err.contains("usage: korvel-sparam FILE [FILE [FILE]]"), qPrintable(r.err));
}

void TestCli::listParams()
{
    const Run r = Exec({"--list-params"});
    QCOMPARE(r.code, 0);
    const QStringList lines = Lines(r.out);
    QVERIFY(lines.contains("MAG\tMAG(dB)"));
    QVERIFY(lines.contains("Rn\tRn(ohms)"));
    QVERIFY(lines.contains("rn\trn"));
    QVERIFY(lines.contains("GroupDelay21\tGroup Delay 21 (ps)"));
    // Every listed name is accepted back as a parameter.
    for (const QString& l : lines) {
        const QString name = l.section('\t', 0, 0);
        const Run one = Exec({Data("amp_ma.s2p"), "--freq", "2000", "--params", name});
        QVERIFY2(one.code == 0, qPrintable(name));
    }
}

void TestCli::outOfMemoryIsAMessage()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the address sanitizer reserves more address space than the limit allows");
#endif
    // 16.7 million grid points (the single-precision steps stall at 2^24) need about 1 GB
    // once interpolated; the tool may have 512 MB.
    QProcess p;
    p.setChildProcessModifier([] {
        const rlimit limit{rlim_t{512} << 20, rlim_t{512} << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    p.start(Tool(), {Data("amp_ma.s2p"), "--grid", "0:49999999:1", "--params", "Gt"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()), QString("korvel-sparam: not enough memory; try a coarser grid\n"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
