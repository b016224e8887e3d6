// The Smith chart drawn by hand: the cursor readout's numbers and formats, the normalised
// impedances it reports for drive mode (undefined points and the open circuit left out,
// points off the chart marked), and that a curve lands where its reflection coefficient says.
#include "sparam/ui/smithchart.h"
#include "sparam/twoport.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace korvel;
using namespace korvel::ui;

class TestSmithChart : public QObject {
    Q_OBJECT
private slots:
    void readout_data()
    {
        QTest::addColumn<double>("re");
        QTest::addColumn<double>("im");
        QTest::addColumn<QString>("g");
        QTest::addColumn<QString>("z");
        QTest::addColumn<QString>("y");
        // 2 ohms normalised: gamma = 1/3 on the real axis, admittance 0.5.
        QTest::newRow("resistive, above the reference") << 2.0 << 0.0 << "G = 0.333   Ð 0.°" << "Zn = 2.   0."
                                                        << "Yn = 0.5   0.";
        // 1 + j1: gamma = (1 + 2j)/5, |gamma| = 0.4472 at 63.43 degrees; y = (1 - j)/2.
        QTest::newRow("inductive") << 1.0 << 1.0 << "G = 0.447   Ð 63.4°" << "Zn = 1.   1." << "Yn = 0.5   -0.5";
        // 0.5 - j0.5: gamma = -0.2 - 0.4j at -116.57 degrees; y = 1 + j.
        QTest::newRow("capacitive, below the reference")
            << 0.5 << -0.5 << "G = 0.447   Ð -116.6°" << "Zn = 0.5   -0.5" << "Yn = 1.   1.";
        // 0.2 + j0: gamma = -2/3, on the real axis at 180 degrees.
        QTest::newRow("small resistance") << 0.2 << 0.0 << "G = 0.667   Ð 180.°" << "Zn = 0.2   0." << "Yn = 5.   0.";
        // 0.123456 + j3: three decimals for Zn, five for Yn = (0.013694 - j0.332770).
        QTest::newRow("three-decimal impedance")
            << 0.123456 << 3.0 << "G = 0.976   Ð 36.8°" << "Zn = 0.123   3." << "Yn = 0.01369   -0.33277";
    }
    void readout()
    {
        QFETCH(double, re);
        QFETCH(double, im);
        QFETCH(QString, g);
        QFETCH(QString, z);
        QFETCH(QString, y);
        const QStringList r = SmithChart::Readout(Complex{re, im});
        QCOMPARE(r.size(), 3);
        QCOMPARE(r[0], g);
        QCOMPARE(r[1], z);
        QCOMPARE(r[2], y);
    }

    // The readout snaps to a data point within a few pixels and names its curve and
    // frequency; farther away it reads the position; off the chart it is empty.
    void readoutUnderTheMouse_data()
    {
        QTest::addColumn<double>("dx");
        QTest::addColumn<double>("dy");
        QTest::addColumn<QString>("expected");
        QTest::newRow("on the data point") << 0.0 << 0.0
            << "G = 0.333   Ð 0.°      Zn = 2.   0.      Yn = 0.5   0.      D1 S11 at 1500 MHz";
        QTest::newRow("three pixels off still reads the point") << 2.0 << -2.0
            << "G = 0.333   Ð 0.°      Zn = 2.   0.      Yn = 0.5   0.      D1 S11 at 1500 MHz";
        QTest::newRow("far off the chart") << 1000.0 << 0.0 << "";
    }
    void readoutUnderTheMouse()
    {
        QFETCH(double, dx);
        QFETCH(double, dy);
        QFETCH(QString, expected);
        SmithChart chart;
        chart.resize(400, 400);
        SmithTrace t;
        t.name = "D1 S11";
        t.color = Qt::blue;
        t.gamma = {Complex{-0.5, 0.0}, Complex{1.0 / 3, 0.0}};
        t.freq = {1000.0f, 1500.0f};
        chart.SetTraces({t});
        // Find where gamma = 1/3 is drawn: the positions whose readout names it form a small
        // disc around it, and the disc's middle is the point.
        QPointF sum;
        int n = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                if (chart.ReadoutAt(QPointF(x, y)).endsWith("at 1500 MHz")) {
                    sum += QPointF(x, y);
                    ++n;
                }
        QVERIFY(n > 20 && n < 200);  // a catch radius of a few pixels
        const QPointF at = sum / n;
        QCOMPARE(chart.ReadoutAt(at + QPointF(dx, dy)), expected);
    }

    void readoutAwayFromDataReadsThePosition()
    {
        SmithChart chart;
        chart.resize(400, 400);
        // Without data, the centre of the chart is z = 1 exactly where the rim is symmetric:
        // scan for the position that reads G = 0.
        bool found = false;
        for (int y = 150; y < 260 && !found; ++y)
            for (int x = 150; x < 260 && !found; ++x)
                found = chart.ReadoutAt(QPointF(x, y)).startsWith("G = 0.   ");
        QVERIFY(found);
    }

    void driveSeriesMarksWhatIsOffTheChart()
    {
        SmithChart chart;
        SmithTrace t;
        t.name = "D1 S11";
        t.color = Qt::red;
        t.gamma = {Complex{0, 0},         // the centre: z = 1
                   Complex{1.0 / 3, 0},   // z = 2
                   kUndefinedComplex,     // undefined: skipped
                   Complex{1, 0},         // the open circuit: infinite, skipped
                   Complex{0.9, 0.9},     // outside the chart: z = (-0.62 + j1.8) / 0.82, marked
                   Complex{-1, 0},        // the short: z = 0
                   Complex{0, 1}};        // the rim at +90 degrees: z = j
        chart.SetTitle("T");
        chart.SetTraces({t});
        QCOMPARE(chart.DriveSeriesJson(),
                 QString("{\"title\":\"T\",\"axes\":[\"Zn real\",\"Zn imaginary\"],\"data\":[{\"name\":\"D1 S11\","
                         "\"color\":\"#FF0000\",\"points\":[[1,0],[2,0],[-0.756098,2.19512],[0,0],[0,1]],"
                         "\"outside\":[2]}],\"labels\":[]}"));
    }

    // A thick red curve across the middle of the chart colours the centre pixel; the grid
    // alone does not, and the background follows the white/black choice.
    void curveIsDrawnWhereItsReflectionSays_data()
    {
        QTest::addColumn<bool>("black");
        QTest::addColumn<bool>("withCurve");
        QTest::newRow("white, curve") << false << true;
        QTest::newRow("white, no curve") << false << false;
        QTest::newRow("black, curve") << true << true;
    }
    void curveIsDrawnWhereItsReflectionSays()
    {
        QFETCH(bool, black);
        QFETCH(bool, withCurve);
        SmithChart chart;
        chart.SetBlackBackground(black);
        if (withCurve) {
            SmithTrace t;
            t.name = "line";
            t.color = QColor(255, 0, 0);
            t.width = 6.0;
            // A short vertical stroke through gamma = 0.2 (z = 1.5), off every grid line.
            t.gamma = {Complex{0.2, -0.1}, Complex{0.2, 0.1}};
            chart.SetTraces({t});
        }
        QImage image(400, 400, QImage::Format_RGB32);
        image.fill(Qt::gray);
        QPainter p(&image);
        chart.Render(p, QRectF(0, 0, 400, 400));
        p.end();
        // Find the chart: the rim's leftmost and rightmost points on the centre row are
        // symmetric, so the centre is between them; gamma = 0.2 is a fifth of the radius right.
        const QColor corner = image.pixelColor(2, 398);
        QCOMPARE(corner, black ? QColor(0, 0, 0) : QColor(255, 255, 255));
        int cy = -1;
        double cx = 0, radius = 0;
        // Scan the middle column for the rim (darkest/brightest ink at top) to locate the chart.
        for (int yy = 0; yy < 400 && cy < 0; ++yy) {
            const QColor c = image.pixelColor(200, yy);
            const int l = c.lightness();
            if (black ? l > 200 : l < 60) {
                // Top of the rim found; the chart is a circle centred on column 200.
                cx = 200;
                int bottom = 399;
                while (bottom > yy) {
                    const int lb = image.pixelColor(200, bottom).lightness();
                    if (black ? lb > 200 : lb < 60)
                        break;
                    --bottom;
                }
                cy = (yy + bottom) / 2;
                radius = (bottom - yy) / 2.0;
            }
        }
        QVERIFY(cy > 0);
        QVERIFY(radius > 100);
        const QColor at = image.pixelColor(int(cx + 0.2 * radius + 0.5), cy);
        const bool red = at.red() > 200 && at.green() < 80 && at.blue() < 80;
        QCOMPARE(red, withCurve);
    }
};

QTEST_MAIN(TestSmithChart)
#include "tst_smithchart.moc"
