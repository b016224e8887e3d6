// The circuit drawing of the FET and RFIC bias windows: its click spots must stay over their
// parts however the drawing is scaled and letterboxed, and a click must name the spot.
#include "active/ui/schematic.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using korvel::ui::Schematic;

class TestSchematic : public QObject {
    Q_OBJECT
private slots:
    void sizeHintFollowsScale_data();
    void sizeHintFollowsScale();
    void spotFollowsDrawing_data();
    void spotFollowsDrawing();
    void clickNamesSpot();
};

void TestSchematic::sizeHintFollowsScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("hint");
    // Without its file the drawing keeps a 320 x 200 place.
    QTest::newRow("full") << 1.0 << QSize(320, 200);
    QTest::newRow("0.6") << 0.6 << QSize(192, 120);
    QTest::newRow("double") << 2.0 << QSize(640, 400);
}

void TestSchematic::sizeHintFollowsScale()
{
    QFETCH(double, scale);
    QFETCH(QSize, hint);
    Schematic s("Image1", "no-such-drawing.svg");
    s.SetDisplayScale(scale);
    QCOMPARE(s.sizeHint(), hint);
    QCOMPARE(s.minimumSizeHint(), hint);
}

void TestSchematic::spotFollowsDrawing_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<QRect>("spot");
    // The spot covers x 32..96, y 20..60 of the 320 x 200 drawing.
    QTest::newRow("natural size") << QSize(320, 200) << QRect(32, 20, 64, 40);
    QTest::newRow("doubled") << QSize(640, 400) << QRect(64, 40, 128, 80);
    // Too wide: the drawing is centred with 160 px free on each side.
    QTest::newRow("wide") << QSize(640, 200) << QRect(192, 20, 64, 40);
    // Too tall: 100 px free above and below.
    QTest::newRow("tall") << QSize(320, 400) << QRect(32, 120, 64, 40);
}

void TestSchematic::spotFollowsDrawing()
{
    QFETCH(QSize, widget);
    QFETCH(QRect, spot);
    Schematic s("Image1", "no-such-drawing.svg");
    QLabel* label = s.AddSpot("imgRd", QRectF(32, 20, 64, 40), "tip");
    s.resize(widget);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QCOMPARE(label->geometry(), spot);
    QCOMPARE(label->objectName(), QString("imgRd"));
    QCOMPARE(label->toolTip(), QString("tip"));
}

void TestSchematic::clickNamesSpot()
{
    Schematic s("imgSchematic", "no-such-drawing.svg");
    QLabel* cin = s.AddSpot("imgCinCap", QRectF(0, 0, 100, 200), QString());
    QLabel* cout = s.AddSpot("imgCoutCap", QRectF(200, 0, 100, 200), QString());
    s.resize(320, 200);
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
    QSignalSpy spy(&s, &Schematic::SpotClicked);
    QTest::mouseClick(cout, Qt::LeftButton);
    QTest::mouseClick(cin, Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toString(), QString("imgCoutCap"));
    QCOMPARE(spy.at(1).at(0).toString(), QString("imgCinCap"));
}

QTEST_MAIN(TestSchematic)
#include "tst_schematic.moc"
