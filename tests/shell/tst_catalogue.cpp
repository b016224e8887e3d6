// The catalogue table as the list bar shows it, what a click dispatches on, and when a group
// change is heard.
#include "shell/catalogue.h"
#include "shell/mainwindow.h"

#include "core/settings.h"
#include "shell_capture.h"

#include <QListWidget>
#include <QTest>
#include <QToolBox>

using namespace korvel;
using namespace korvel::ui;

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void groupsInOrder();
    void entriesInOrder_data();
    void entriesInOrder();
    void listBarShowsTable();
    void findByKeyOrCaption_data();
    void findByKeyOrCaption();
    void whooshRule_data();
    void whooshRule();
    void groupChangeSounds_data();
    void groupChangeSounds();
    void groupChangeSilentWhenSoundOff();
};

void TestCatalogue::groupsInOrder()
{
    const auto& groups = Catalogue();
    QCOMPARE(groups.size(), std::size_t(7));
    const QStringList captions = {"Velmar", "Circuit Design", "Active Circuits", "Passive Circuits",
                                  "Signals-Systems", "Reliability", "Engr Tools"};
    const QStringList keys = {"Dorrit", "Circuit", "Active", "Passive", "Signal", "Reliability", "Tools"};
    const std::vector<std::size_t> sizes = {5, 1, 11, 10, 4, 2, 3};
    for (std::size_t i = 0; i < groups.size(); ++i) {
        QCOMPARE(groups[i].caption, captions[qsizetype(i)]);
        QCOMPARE(groups[i].key, keys[qsizetype(i)]);
        QCOMPARE(groups[i].entries.size(), sizes[i]);
    }
}

void TestCatalogue::entriesInOrder_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("window");
    struct Row { int g, p; const char *caption, *key, *icon, *window; };
    const Row rows[] = {
        {0, 0, "Tolvane Guide", "Dorrit-Tolvane", "Tolvane2", "frmTolvane"},
        {0, 1, "Design Data   on the Web", "Dorrit-Web", "world3", "frmBrowser"},
        {0, 2, "Velmar RF Semiconductors", "Dorrit-Products", "prod3", "frmDorritwell"},
        {0, 3, "Contacting Velmar", "Dorrit-Contacts", "phone2", "frmDorritcontacts"},
        {0, 4, "About Korvel", "Dorrit-Korvel", "korvel6", "frmKorvelinfo"},
        {1, 0, "Everything S-Parameters", "Circuit-Everything S-Parameters", "sparam", "frmSparam"},
        {2, 0, "Voltage Biased RFIC Circuits", "Active-Voltage Biased", "vbias3", "frmVBias"},
        {2, 1, "Current Biased RFIC Circuits", "Active-Current Biased", "ibias3", "frmIBias"},
        {2, 2, "Large Signal Detector", "Active-Large Signal", "lgsig2", "frmLargeSigDet"},
        {2, 3, "Small Signal Detector", "Active-Small Signal", "smsig2", "frmSmallSigDet"},
        {2, 4, "   FET Bias:   Source R", "Active-FETbias", "fetbias", "frmFETbias"},
        {2, 5, "Bipolar Xstr:  Base Bias  ", "Active-Bias1", "Bias1a", "frmBJTBias1"},
        {2, 6, "Bipolar Xstr: Collector FB", "Active-Bias2", "Bias2", "frmBJTBias2"},
        {2, 7, "Bipolar Xstr: V-FB/I-Source", "Active-Bias3", "Bias3", "frmBJTBias3"},
        {2, 8, "Bipolar Xstr: Voltage FB", "Active-Bias4", "Bias4", "frmBJTBias4"},
        {2, 9, "Bipolar Xstr: Emitter FB", "Active-Bias5", "Bias5a", "frmBJTBias5"},
        {2, 10, "Amplifier Efficiency", "Active-Amplifier Efficiency", "ampeff3", "frmAmplifierEfficiency"},
        {3, 0, "Balun", "Passive-Balun", "balun", "frmBalun"},
        {3, 1, "Microstrip", "Passive-Microstrip", "mstrip", "frmMicrostrip"},
        {3, 2, "Coplanar Waveguide", "Passive-CPW", "cpw-gnd1", "frmCPW"},
        {3, 3, "Stripline", "Passive-Stripline", "strip", "frmStripline"},
        {3, 4, "Parallel Line", "Passive-Parallel Line", "parallel", "frmParallelWires"},
        {3, 5, "Wire Over Groundplane", "Passive-Wire Over Groundplane", "wire-gnd", "frmWireOverGround"},
        {3, 6, "Coax  (Round)", "Passive-Coax (Round)", "coax-rnd", "frmRndCoax"},
        {3, 7, "Coax  (Square)", "Passive-Coax (Square)", "coax-sqr", "frmSqrCoax"},
        {3, 8, "Trough Line", "Passive-Trough Line", "trough", "frmTroughLine"},
        {3, 9, "Slab Line", "Passive-Slab Line", "slab", "frmSlabLine"},
        {4, 0, "Reflection Calculator", "Signal-Reflectometer", "rho2", "frmReflectionCalc"},
        {4, 1, "NoiseCalc", "Signal-NoiseCalc", "cascade1", "frmNoiseCalc"},
        {4, 2, "Mixer Spurs", "Signal-SpurCalc", "SpurFind", "frmMixerSpur"},
        {4, 3, "Intercept Point", "Signal-Intermodulation", "ip3", "frmIP3"},
        {5, 0, "Device Thermal Calculator", "Reliability-Device Thermal Calc", "thermo", "frmDeviceThermal"},
        {5, 1, "SPCS", "Semiconductors-SPCS", "scroll", "frmSPCS1"},
        {6, 0, "Complex Math RF Calculator", "Circuit-Complex Math Calculator", "complex1", "frmComplexMath"},
        {6, 1, "Component Values", "Circuit-Standard Component Values", "std-val", "frmStdValues"},
        {6, 2, "Engineering Constants", "Circuit-Constants", "const", "frmConstants"},
    };
    for (const Row& r : rows)
        QTest::addRow("%s", r.key) << r.g << r.p << r.caption << r.key << r.icon << r.window;
}

void TestCatalogue::entriesInOrder()
{
    QFETCH(int, group);
    QFETCH(int, position);
    const CatalogueEntry& entry = Catalogue().at(std::size_t(group)).entries.at(std::size_t(position));
    QTEST(entry.caption, "caption");
    QTEST(entry.key, "key");
    QTEST(entry.icon, "icon");
    QTEST(entry.windowClass, "window");
}

void TestCatalogue::listBarShowsTable()
{
    test::ShellCapture capture;
    MainWindow main;
    QToolBox* bar = main.ListBar();
    QCOMPARE(bar->objectName(), QString("SSListBar1"));
    QCOMPARE(bar->width(), 91);  // 1360 twips
    QCOMPARE(bar->count(), int(Catalogue().size()));
    for (int g = 0; g < bar->count(); ++g) {
        const CatalogueGroup& group = Catalogue()[std::size_t(g)];
        QCOMPARE(bar->itemText(g), group.caption);
        auto* list = qobject_cast<QListWidget*>(bar->widget(g));
        QVERIFY(list);
        QCOMPARE(list->objectName(), group.key);
        QCOMPARE(list->count(), int(group.entries.size()));
        for (int i = 0; i < list->count(); ++i) {
            // The caption exactly, blanks and all, and the key the click dispatches on.
            QCOMPARE(list->item(i)->text(), group.entries[std::size_t(i)].caption);
            QCOMPARE(list->item(i)->data(Qt::UserRole).toString(), group.entries[std::size_t(i)].key);
        }
    }
}

void TestCatalogue::findByKeyOrCaption_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("window");  // empty: not found
    QTest::newRow("key of a calculator") << "Passive-Coax (Round)" << "frmRndCoax";
    QTest::newRow("caption of a calculator is not a key") << "Coax  (Round)" << "";
    QTest::newRow("caption with single blank") << "Coax (Round)" << "";
    QTest::newRow("maker page by key") << "Dorrit-Web" << "frmBrowser";
    QTest::newRow("maker page by caption") << "Design Data   on the Web" << "frmBrowser";
    QTest::newRow("maker caption blanks matter") << "Design Data on the Web" << "";
    QTest::newRow("about by caption") << "About Korvel" << "frmKorvelinfo";
    QTest::newRow("constants by caption") << "Engineering Constants" << "frmConstants";
    QTest::newRow("constants by key") << "Circuit-Constants" << "frmConstants";
    QTest::newRow("component values caption refused") << "Component Values" << "";
    QTest::newRow("SPCS key") << "Semiconductors-SPCS" << "frmSPCS1";
    QTest::newRow("group key is no entry") << "Passive" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("case matters") << "passive-balun" << "";
}

void TestCatalogue::findByKeyOrCaption()
{
    QFETCH(QString, text);
    QFETCH(QString, window);
    const CatalogueEntry* entry = FindCatalogueEntry(text);
    if (window.isEmpty())
        QVERIFY(!entry);
    else {
        QVERIFY(entry);
        QCOMPARE(entry->windowClass, window);
    }
}

void TestCatalogue::whooshRule_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("remembered");
    QTest::addColumn<bool>("startingUp");
    QTest::addColumn<bool>("whooshes");
    QTest::newRow("start-up opens the first group") << 1 << 0 << true << false;
    QTest::newRow("start-up opens another group") << 3 << 0 << true << true;
    QTest::newRow("same group again") << 3 << 3 << false << false;
    QTest::newRow("another group") << 2 << 3 << false << true;
    QTest::newRow("back to the first group") << 1 << 4 << false << true;
    QTest::newRow("start-up, remembered irrelevant") << 1 << 1 << true << false;
}

void TestCatalogue::whooshRule()
{
    QFETCH(int, group);
    QFETCH(int, remembered);
    QFETCH(bool, startingUp);
    QTEST(GroupChangeWhooshes(group, remembered, startingUp), "whooshes");
}

void TestCatalogue::groupChangeSounds_data()
{
    // Groups opened one after another (counted from 0) and the whooshes heard.
    QTest::addColumn<QList<int>>("opened");
    QTest::addColumn<int>("whooshes");
    QTest::newRow("one change") << QList<int>{3} << 1;
    QTest::newRow("same group twice") << QList<int>{3, 3} << 1;
    QTest::newRow("there and back") << QList<int>{3, 0} << 2;
    QTest::newRow("three groups") << QList<int>{1, 2, 6} << 3;
}

void TestCatalogue::groupChangeSounds()
{
    QFETCH(QList<int>, opened);
    test::ShellCapture capture;
    MainWindow main;
    // Building the bar opened the first group; that was not the user's doing.
    QCOMPARE(main.RememberedGroup(), 1);
    QVERIFY(!main.StartingUp());
    QVERIFY(!capture.sounds.contains("whoosh.wav"));
    capture.Clear();
    for (int index : opened)
        main.ListBar()->setCurrentIndex(index);
    QCOMPARE(capture.sounds.count("whoosh.wav"), capture.sounds.size());
    QTEST(int(capture.sounds.size()), "whooshes");
    QCOMPARE(main.RememberedGroup(), opened.last() + 1);
}

void TestCatalogue::groupChangeSilentWhenSoundOff()
{
    test::ShellCapture capture;
    MainWindow main;
    Settings().soundEnabled = false;
    capture.Clear();
    main.ListBar()->setCurrentIndex(2);
    main.ListBar()->setCurrentIndex(4);
    QVERIFY(capture.sounds.isEmpty());
    QCOMPARE(main.RememberedGroup(), 5);
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
