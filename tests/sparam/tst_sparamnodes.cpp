// The parameter tree's node lists: which display type offers which key, what each key
// evaluates, and the category rule of rectangular plots. The tree's keys are read by the
// checks (category letter, one-port or two-port digit), so a key that disagrees with the
// engine's own table would silently plot the wrong quantity or refuse a valid plot.
#include "sparam/ui/sparamnodes.h"

#include <QtTest>

#include <set>
#include <string>

using namespace korvel;
using namespace korvel::ui;

Q_DECLARE_METATYPE(korvel::ui::DisplayType)
Q_DECLARE_METATYPE(korvel::Param)

class TestSparamNodes : public QObject {
    Q_OBJECT
private slots:
    void offered_data()
    {
        QTest::addColumn<DisplayType>("type");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("present");
        QTest::addColumn<Param>("param");
        QTest::addColumn<QString>("axis");

        QTest::newRow("flatness plots Gt on a gain axis")
            << DisplayType::Rectangular << "2key FGain Flatness" << true << Param::Gt << "Gain (dB)";
        QTest::newRow("K on the stability axis") << DisplayType::Rectangular << "2key K" << true << Param::K
                                                 << "Stability Factor";
        QTest::newRow("mu1 shares the stability axis")
            << DisplayType::Rectangular << "2key KMu1" << true << Param::Mu1 << "Stability Factor";
        QTest::newRow("noise resistance axis") << DisplayType::Rectangular << "2key OnRn" << true << Param::RnOhms
                                               << "Resistance (ohms)";
        QTest::newRow("noise figure axis") << DisplayType::Rectangular << "2key NnF Zo" << true << Param::NFZo
                                           << "Noise Figure (db)";
        QTest::newRow("group delay axis in seconds")
            << DisplayType::Rectangular << "2key DGroup Delay 21" << true << Param::GroupDelay21 << "Group Delay (s)";
        QTest::newRow("phase linearity reads S12's phase")
            << DisplayType::Rectangular << "2key LS12 Phase Linearity" << true << Param::Phase12 << "Phase (°)";
        QTest::newRow("VSWR axis") << DisplayType::Rectangular << "2key VSWR Out" << true << Param::VSWROut << "VSWR";
        QTest::newRow("table: S11 as magnitude and angle")
            << DisplayType::Tabular << "1key A11" << true << Param::S11 << "";
        QTest::newRow("table: S21 in dB") << DisplayType::Tabular << "2key R21" << true << Param::S21Db << "";
        QTest::newRow("table: differential impedance")
            << DisplayType::Tabular << "2key SDiff Z" << true << Param::DiffZ << "";
        QTest::newRow("Smith: S22") << DisplayType::Smith << "2key SS22" << true << Param::S22 << "";
        QTest::newRow("polar: conjugate of S11") << DisplayType::Polar << "1key S11*" << true << Param::S11Conj << "";
        QTest::newRow("Smith: Gamma Opt") << DisplayType::Smith << "2key SnGamma Opt" << true << Param::GammaOpt << "";
        // Quantities with no place on a display are not offered there.
        QTest::newRow("no gain on a Smith chart") << DisplayType::Smith << "2key GMAG" << false << Param::MAG << "";
        QTest::newRow("no complex S11 on a rectangular plot")
            << DisplayType::Rectangular << "1key A11" << false << Param::S11 << "";
        QTest::newRow("no circles in a table")
            << DisplayType::Tabular << "2key CGain Circles In" << false << Param::S11 << "";
        QTest::newRow("no parameters in the text view") << DisplayType::Text << "2key Gt" << false << Param::Gt << "";
        QTest::newRow("no flatness in a table")
            << DisplayType::Tabular << "2key FGain Flatness" << false << Param::Gt << "";
    }
    void offered()
    {
        QFETCH(DisplayType, type);
        QFETCH(QString, key);
        QFETCH(bool, present);
        QFETCH(Param, param);
        QFETCH(QString, axis);
        const std::string k = key.toStdString();
        const ParamNode* n = FindNode(type, k);
        QCOMPARE(n != nullptr, present);
        if (!present)
            return;
        QCOMPARE(n->param, param);
        if (type == DisplayType::Rectangular)
            QCOMPARE(QString::fromUtf8(AxisTitleOf(CategoryLetter(k)).data()), axis);
    }

    // Every display's keys are unique, and a plain node's key is the engine's key for its
    // quantity, with the digit saying truthfully whether a one-port file has it.
    void keysAgreeWithEngine_data()
    {
        QTest::addColumn<DisplayType>("type");
        QTest::newRow("Tabular") << DisplayType::Tabular;
        QTest::newRow("Rectangular") << DisplayType::Rectangular;
        QTest::newRow("Smith") << DisplayType::Smith;
        QTest::newRow("Polar") << DisplayType::Polar;
        QTest::newRow("SmithCircles") << DisplayType::SmithCircles;
    }
    void keysAgreeWithEngine()
    {
        QFETCH(DisplayType, type);
        std::set<std::string_view> seen;
        int nodes = 0;
        for (const CategoryNode& c : NodesOf(type)) {
            QVERIFY(c.key.substr(0, 4) == "key ");
            for (const ParamNode& n : c.nodes) {
                ++nodes;
                QVERIFY2(seen.insert(n.key).second, std::string(n.key).c_str());
                QVERIFY2(CategoryLetter(n.key) != 0, std::string(n.key).c_str());
                const ParamInfo& info = InfoOf(n.param);
                // A circle node carries a placeholder quantity; its digit is the circles' own.
                if (type != DisplayType::SmithCircles)
                    QVERIFY2(n.key[0] - '0' == info.ports, std::string(n.key).c_str());
                else
                    QCOMPARE(n.key[0], '2');
                if (type == DisplayType::Tabular)
                    QCOMPARE(std::string(n.key), std::string(info.key));
            }
        }
        QVERIFY(nodes > 0);
    }

    // Three data sets and 21 parameters (63 curves) must be reachable in a table, so that
    // the 60-curve limit is a real limit and not an impossible case.
    void tableOffersMoreThanTwentyParameters()
    {
        int nodes = 0;
        for (const CategoryNode& c : NodesOf(DisplayType::Tabular))
            nodes += int(c.nodes.size());
        QVERIFY(nodes >= 21);
    }

    void oneCategory_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("one");
        QTest::newRow("return loss with K is two") << QStringList{"1key RL In", "2key K"} << false;
        QTest::newRow("both return losses are one") << QStringList{"1key RL In", "2key RL Out"} << true;
        QTest::newRow("return loss and VSWR differ") << QStringList{"1key RL In", "1key VSWR In"} << false;
        QTest::newRow("three gains") << QStringList{"2key Gt", "2key GMAG", "2key GMM Gain Out"} << true;
        QTest::newRow("K, B1, mu1, mu2") << QStringList{"2key K", "2key KB1", "2key KMu1", "2key KMu2"} << true;
        QTest::newRow("gain with gain flatness") << QStringList{"2key Gt", "2key FGain Flatness"} << false;
        QTest::newRow("phase with its linearity") << QStringList{"2key PS21 Phase", "2key LS21 Phase Linearity"}
                                                  << false;
        QTest::newRow("a single parameter") << QStringList{"2key DGroup Delay 12"} << true;
        QTest::newRow("nothing chosen") << QStringList{} << true;
    }
    void oneCategory()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, one);
        std::vector<std::string> owned;
        for (const QString& k : keys)
            owned.push_back(k.toStdString());
        std::vector<std::string_view> views(owned.begin(), owned.end());
        QCOMPARE(OneCategory(views), one);
    }

    void dataSetKeys_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("slot");
        QTest::newRow("slot 1") << "1key TData Set #1" << 1;
        QTest::newRow("slot 3") << "1key TData Set #3" << 3;
        QTest::newRow("no slot 4") << "1key TData Set #4" << 0;
        QTest::newRow("no slot 0") << "1key TData Set #0" << 0;
        QTest::newRow("a parameter key") << "2key GMAG" << 0;
        QTest::newRow("a category key") << "key SnP Data Files" << 0;
        QTest::newRow("trailing text") << "1key TData Set #12" << 0;
    }
    void dataSetKeys()
    {
        QFETCH(QString, key);
        QFETCH(int, slot);
        QCOMPARE(SlotOfDataSetKey(key.toStdString()), slot);
        if (slot > 0)
            QCOMPARE(QString::fromStdString(DataSetNodeKey(slot)), key);
    }

    void categoryLetter_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("letter");
        QTest::newRow("gain") << "2key GMAG" << "G";
        QTest::newRow("K has an empty name") << "2key K" << "K";
        QTest::newRow("isolation is its own category") << "2key Isol" << "I";
        QTest::newRow("category node") << "key Gain" << "";
        QTest::newRow("too short") << "2key " << "";
        QTest::newRow("no digit") << "xkey G" << "";
    }
    void categoryLetter()
    {
        QFETCH(QString, key);
        QFETCH(QString, letter);
        const char c = CategoryLetter(key.toStdString());
        QCOMPARE(c == 0 ? QString() : QString(QChar(c)), letter);
    }
};

QTEST_APPLESS_MAIN(TestSparamNodes)
#include "tst_sparamnodes.moc"
