// The two dielectric tables: their size and order, the rows users rely on, the trade mark
// signs, the duplicates that must stay, and the row texts the selectors list.
#include "lines/dielectrics.h"

#include <QtTest>

using namespace korvel;

Q_DECLARE_METATYPE(korvel::DielectricTable)

class TestDielectrics : public QObject {
    Q_OBJECT
private slots:
    void sizes();
    void customRow_data();
    void customRow();
    void rows_data();
    void rows();
    void everyMaterialHasAnEr_data();
    void everyMaterialHasAnEr();
    void duplicatesKept();
    void erText_data();
    void erText();
    void rowText_data();
    void rowText();
    void columns();
};

void TestDielectrics::sizes()
{
    QCOMPARE(DielectricRows(DielectricTable::General).size(), std::size_t(37));
    QCOMPARE(DielectricRows(DielectricTable::Substrate).size(), std::size_t(133));
}

void TestDielectrics::customRow_data()
{
    QTest::addColumn<DielectricTable>("table");
    QTest::newRow("general") << DielectricTable::General;
    QTest::newRow("substrate") << DielectricTable::Substrate;
}

void TestDielectrics::customRow()
{
    QFETCH(DielectricTable, table);
    const DielectricRow& row = DielectricRows(table)[0];
    QCOMPARE(std::string(row.name), std::string("-> Enter custom Er value   "));
    QVERIFY(!row.er.has_value());
    QVERIFY(row.supplier.empty());
    QCOMPARE(DielectricRowText(table, 0), std::string("-> Enter custom Er value   "));
}

void TestDielectrics::rows_data()
{
    QTest::addColumn<DielectricTable>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("er");
    QTest::addColumn<QString>("supplier");
    const auto G = DielectricTable::General;
    const auto S = DielectricTable::Substrate;
    QTest::newRow("air is not quite free space") << G << 1 << "Air" << "1.001" << "";
    QTest::newRow("free space") << G << 6 << "Free Space" << "1" << "";
    QTest::newRow("general gallium arsenide") << G << 8 << "Gallium Arsenide" << "12.6" << "";
    QTest::newRow("kapton trade mark") << G << 15 << "Kapton\u2122" << "3.5" << "";
    QTest::newRow("polystryene as spelt") << G << 23 << "Polystryene" << "2.55" << "";
    QTest::newRow("ptfe") << G << 26 << "PTFE (Teflon\u2122)" << "2.1" << "";
    QTest::newRow("rexolite suffix after the sign") << G << 28 << "Rexolite\u2122 1422" << "2.52" << "";
    QTest::newRow("distilled water") << G << 34 << "Water, distilled" << "76.7" << "";
    QTest::newRow("last general row") << G << 36 << "Wood" << "2" << "";
    QTest::newRow("first substrate, registered sign") << S << 1 << "25N\u00ae" << "3.25" << "Arlon";
    QTest::newRow("substrate gallium arsenide") << S << 44 << "Gallium Arsenide" << "13" << "";
    QTest::newRow("getek without supplier") << S << 46 << "Getek\u00ae ML200C" << "3.8" << "";
    QTest::newRow("comma in the name") << S << 55 << "GML 1000, 0.030-inch" << "3.2" << "";
    QTest::newRow("plexiglas keeps its stray question mark") << S << 87 << "Plexiglas?\u2122" << "3.45" << "";
    QTest::newRow("barium titanate") << S << 14 << "Barium Titanate (BaTiO3)" << "600" << "";
    QTest::newRow("duroid") << S << 106 << "RT/duroid\u00ae 5880" << "2.2" << "Rogers";
    QTest::newRow("suppliers as listed, row by row") << S << 129 << "Water, distilled" << "76.7" << "Rogers";
    QTest::newRow("teflon glass") << S << 116 << "Teflon\u2122 -Glass" << "2.55" << "";
    QTest::newRow("last substrate") << S << 132 << "XXXPC" << "4.1" << "";
}

void TestDielectrics::rows()
{
    QFETCH(DielectricTable, table);
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, er);
    QFETCH(QString, supplier);
    const DielectricRow& r = DielectricRows(table)[static_cast<std::size_t>(row)];
    QCOMPARE(QString::fromUtf8(r.name.data(), qsizetype(r.name.size())), name);
    QVERIFY(r.er.has_value());
    QCOMPARE(QString::fromStdString(ErText(*r.er)), er);
    QCOMPARE(QString::fromUtf8(r.supplier.data(), qsizetype(r.supplier.size())), supplier);
}

void TestDielectrics::everyMaterialHasAnEr_data() { customRow_data(); }

void TestDielectrics::everyMaterialHasAnEr()
{
    QFETCH(DielectricTable, table);
    const auto rows = DielectricRows(table);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        QVERIFY2(rows[i].er.has_value(), qPrintable(QString::number(i)));
        QVERIFY2(*rows[i].er >= 1.0f && *rows[i].er <= 1200.0f, qPrintable(QString::number(i)));
        QVERIFY2(!rows[i].name.empty(), qPrintable(QString::number(i)));
        if (table == DielectricTable::General)
            QVERIFY(rows[i].supplier.empty());
    }
}

void TestDielectrics::duplicatesKept()
{
    const auto rows = DielectricRows(DielectricTable::Substrate);
    auto count = [&](std::string_view name) {
        return std::count_if(rows.begin(), rows.end(), [&](const DielectricRow& r) { return r.name == name; });
    };
    QCOMPARE(count("N9300"), 2);
    QCOMPARE(count("N9320"), 2);
    QCOMPARE(count("Quartz (fused silica)"), 2);
    QCOMPARE(ErText(*rows[94].er), std::string("3.82"));
    QCOMPARE(ErText(*rows[95].er), std::string("3.78"));
}

void TestDielectrics::erText_data()
{
    QTest::addColumn<float>("er");
    QTest::addColumn<QString>("text");
    QTest::newRow("9.8") << 9.8f << "9.8";
    QTest::newRow("1.001") << 1.001f << "1.001";
    QTest::newRow("2.33") << 2.33f << "2.33";
    QTest::newRow("whole number") << 600.0f << "600";
    QTest::newRow("one") << 1.0f << "1";
    QTest::newRow("76.7 is not 76.69999") << 76.7f << "76.7";
    QTest::newRow("needs all digits") << 1.2345678f << "1.2345678";
}

void TestDielectrics::erText()
{
    QFETCH(float, er);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ErText(er)), text);
}

void TestDielectrics::rowText_data()
{
    QTest::addColumn<DielectricTable>("table");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::newRow("general: name tab er") << DielectricTable::General << 2 << "Alumina (99.5% Al2O3)\t9.8";
    QTest::newRow("substrate with supplier") << DielectricTable::Substrate << 37 << "FR-4\t4.6\t";
    QTest::newRow("substrate supplier column") << DielectricTable::Substrate << 99 << "RO3003\u00ae\t3\tRogers";
    QTest::newRow("beyond the table") << DielectricTable::General << 37 << "";
}

void TestDielectrics::rowText()
{
    QFETCH(DielectricTable, table);
    QFETCH(int, row);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(DielectricRowText(table, static_cast<std::size_t>(row))), text);
}

void TestDielectrics::columns()
{
    const auto g = DielectricColumns(DielectricTable::General);
    QCOMPARE(g.size(), std::size_t(2));
    QCOMPARE(std::string(g[0].header), std::string("Dielectric Material"));
    QCOMPARE(g[0].widthChars, 36);
    QCOMPARE(g[1].widthChars, 12);
    const auto s = DielectricColumns(DielectricTable::Substrate);
    QCOMPARE(s.size(), std::size_t(3));
    QCOMPARE(std::string(s[2].header), std::string("Supplier"));
    QCOMPARE(s[0].widthChars, 28);
    QCOMPARE(s[1].widthChars, 9);
    QCOMPARE(s[2].widthChars, 11);
}

QTEST_APPLESS_MAIN(TestDielectrics)
#include "tst_dielectrics.moc"
