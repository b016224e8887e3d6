// The web-link styling: the colour tables for every pair of draws, and the start-up
// initialisation that stores the interval, the caption and a pair from those tables.
#include "core/settings.h"
#include "core/weblink.h"
#include "recording_notifier.h"

#include <QtTest>

#include <cstdint>
#include <set>
#include <utility>

using namespace korvel;
using korvel::test::RecordingNotifier;

namespace {

// The 24 pairs as the program's colour scheme lists them: r1 = 1 and 2 fix the picture and
// vary the label, r1 = 3 and 4 put a white label on a varying picture.
struct Row {
    int r1;
    int r2;
    std::uint32_t label;
    std::uint32_t picture;
};

const Row kTable[] = {
    {1, 1, 0xFF8000, 0xFFFFFF}, {1, 2, 0xC080FF, 0xFFFFFF}, {1, 3, 0x404080, 0xFFFFFF},
    {1, 4, 0xFF8080, 0xFFFFFF}, {1, 5, 0x8000FF, 0xFFFFFF}, {1, 6, 0x008000, 0xFFFFFF},
    {2, 1, 0xC080FF, 0x00FFFF}, {2, 2, 0x404080, 0x00FFFF}, {2, 3, 0x808000, 0x00FFFF},
    {2, 4, 0xFF8080, 0x00FFFF}, {2, 5, 0x000000, 0x00FFFF}, {2, 6, 0x808040, 0x00FFFF},
    {3, 1, 0xFFFFFF, 0xC08000}, {3, 2, 0xFFFFFF, 0x404080}, {3, 3, 0xFFFFFF, 0x808000},
    {3, 4, 0xFFFFFF, 0xA00000}, {3, 5, 0xFFFFFF, 0x808040}, {3, 6, 0xFFFFFF, 0xC08080},
    {4, 1, 0xFFFFFF, 0xC08000}, {4, 2, 0xFFFFFF, 0x404080}, {4, 3, 0xFFFFFF, 0x808000},
    {4, 4, 0xFFFFFF, 0xA00000}, {4, 5, 0xFFFFFF, 0x808040}, {4, 6, 0xFFFFFF, 0xC08080},
};

std::set<std::pair<std::uint32_t, std::uint32_t>> TablePairs()
{
    std::set<std::pair<std::uint32_t, std::uint32_t>> pairs;
    for (const Row& r : kTable)
        pairs.insert({r.label, r.picture});
    return pairs;
}

} // namespace

class TestWebLink : public QObject {
    Q_OBJECT

private slots:
    void init() { recorder_ = std::make_unique<RecordingNotifier>(); }
    void cleanup() { recorder_.reset(); }

    void colourTable_data();
    void colourTable();
    void drawsOutsideTheTable_data();
    void drawsOutsideTheTable();
    void initSetsIntervalAndCaption();
    void initDrawsColoursFromTheTable();

private:
    std::unique_ptr<RecordingNotifier> recorder_;
};

void TestWebLink::colourTable_data()
{
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("r2");
    QTest::addColumn<uint>("label");
    QTest::addColumn<uint>("picture");
    for (const Row& r : kTable)
        QTest::addRow("r1 %d, r2 %d", r.r1, r.r2) << r.r1 << r.r2 << uint(r.label) << uint(r.picture);
}

void TestWebLink::colourTable()
{
    QFETCH(int, r1);
    QFETCH(int, r2);
    QFETCH(uint, label);
    QFETCH(uint, picture);
    const WebLinkColours c = WebLinkColoursFor(r1, r2);
    QCOMPARE(uint(c.label), label);
    QCOMPARE(uint(c.picture), picture);
}

void TestWebLink::drawsOutsideTheTable_data()
{
    QTest::addColumn<int>("r1");
    QTest::addColumn<int>("r2");
    QTest::newRow("r1 0") << 0 << 1;
    QTest::newRow("r1 5") << 5 << 3;
    QTest::newRow("r2 0") << 1 << 0;
    QTest::newRow("r2 7") << 3 << 7;
}

void TestWebLink::drawsOutsideTheTable()
{
    QFETCH(int, r1);
    QFETCH(int, r2);
    // No table row: the link stays plain black on white rather than picking a neighbour.
    const WebLinkColours c = WebLinkColoursFor(r1, r2);
    QCOMPARE(uint(c.label), uint(0x000000));
    QCOMPARE(uint(c.picture), uint(0xFFFFFF));
}

void TestWebLink::initSetsIntervalAndCaption()
{
    Settings().webLink.intervalMs = 5.0f;
    InitWebLink();
    QCOMPARE(Settings().webLink.intervalMs, 1000.0f);
    QCOMPARE(Settings().webLink.caption,
             std::string("Click for Web: APPLICATION NOTES - MODELS - DESIGN TIPS - DATA SHEETS - S-PARAMETERS ... "));
    // The caption ends in a blank, so the scrolling text keeps a gap when it wraps round.
    QCOMPARE(Settings().webLink.caption.back(), ' ');
    QVERIFY(recorder_->messages.empty());
    QVERIFY(recorder_->sounds.empty());
}

void TestWebLink::initDrawsColoursFromTheTable()
{
    const auto table = TablePairs();
    std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
    for (int i = 0; i < 600; ++i) {
        // A colour outside the table must not survive from an earlier call either.
        Settings().webLink.labelColour = 0x123456;
        Settings().webLink.pictureColour = 0x654321;
        InitWebLink();
        const std::pair<std::uint32_t, std::uint32_t> got{Settings().webLink.labelColour,
                                                           Settings().webLink.pictureColour};
        QVERIFY2(table.count(got) == 1,
                 QByteArray::number(got.first, 16) + " on " + QByteArray::number(got.second, 16));
        seen.insert(got);
    }
    // Every scheme turns up: each of the 18 distinct pairs has a chance of 1/24 or 1/12 per
    // draw, so missing one in 600 draws is far rarer than one in a billion.
    QCOMPARE(seen.size(), table.size());
}

QTEST_APPLESS_MAIN(TestWebLink)
#include "tst_weblink.moc"
