// The S-parameter window driven directly: files dropped onto it fill the first free slot
// (then replace the first), the table and the charts go to the clipboard, F9 gives the
// display the whole window, and the examples' files are found beside the program.
#include "sparam/ui/sparamwindow.h"
#include "sparam/ui/smithchart.h"

#include "shell/uihooks.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

using namespace korvel;
using namespace korvel::ui;

namespace {

QString DataFile(const QString& name)
{
    return qEnvironmentVariable("KORVEL_SOURCE_DIR") + "/tests/sparam/data/ui/" + name;
}

void Drop(QWidget* w, const QStringList& files)
{
    w->show();
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    mime->setUrls(urls);
    // As a real drag does: the window is entered first, then the files are dropped.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    delete mime;
}

void Choose(QTreeWidget* tree, const QString& key)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            emit tree->itemClicked(*it, 0);
            return;
        }
    QFAIL(qPrintable("no node " + key));
}

} // namespace

class TestSparamWindow : public QObject {
    Q_OBJECT
    QStringList messages_;

private slots:
    void initTestCase()
    {
        Hooks hooks;
        hooks.message = [this](const QString& title, const QString& text, MsgIcon, Buttons) {
            messages_ << title + "|" + text;
            return Answer::Ok;
        };
        hooks.sound = [](const QString&) {};
        SetHooks(hooks);
    }
    void init() { messages_.clear(); }

    // Each row: the files dropped one after another, and the file names the three slots hold.
    void dropFillsFreeSlotsThenTheFirst_data()
    {
        QTest::addColumn<QStringList>("drops");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("one file") << QStringList{"z50.s2p"} << QStringList{"z50.s2p", "", ""};
        QTest::newRow("three files") << QStringList{"z50.s2p", "z75.s2p", "oneport.s1p"}
                                     << QStringList{"z50.s2p", "z75.s2p", "oneport.s1p"};
        QTest::newRow("a fourth replaces slot 1")
            << QStringList{"z50.s2p", "z75.s2p", "oneport.s1p", "unilateral.s2p"}
            << QStringList{"unilateral.s2p", "z75.s2p", "oneport.s1p"};
        // A file that fails leaves its slot free for the next drop.
        QTest::newRow("a failed load keeps the slot free")
            << QStringList{"noheader.s2p", "z75.s2p"} << QStringList{"z75.s2p", "", ""};
    }
    void dropFillsFreeSlotsThenTheFirst()
    {
        QFETCH(QStringList, drops);
        QFETCH(QStringList, names);
        SparamWindow w;
        for (const QString& f : drops)
            Drop(&w, {DataFile(f)});
        for (int s = 1; s <= 3; ++s)
            QCOMPARE(QString::fromStdString(w.DataSets()[s].fileName), names[s - 1]);
    }

    void dropOfSeveralFilesAtOnce()
    {
        SparamWindow w;
        Drop(&w, {DataFile("z50.s2p"), DataFile("oneport.s1p")});
        QCOMPARE(QString::fromStdString(w.DataSets()[1].fileName), QString("z50.s2p"));
        QCOMPARE(QString::fromStdString(w.DataSets()[2].fileName), QString("oneport.s1p"));
        QVERIFY(w.findChild<QCheckBox*>("chkDataSets(1)")->isChecked());
    }

    void tableCopiesAsTabSeparatedText()
    {
        SparamWindow w;
        w.LoadFile(1, DataFile("z50.s2p"));
        w.findChild<QRadioButton*>("optDisplay(1)")->setChecked(true);
        Choose(w.findChild<QTreeWidget*>("SSTree"), "2key Gt");
        w.findChild<QLineEdit*>("txtStart")->setText("1000");
        w.findChild<QLineEdit*>("txtStop")->setText("3000");
        w.findChild<QLineEdit*>("txtStep")->setText("1000");
        w.Calculate();
        QVERIFY(messages_.isEmpty());
        QApplication::clipboard()->clear();
        w.CopyDisplay();
        // |S21| = 8, 5, 3.5: 18.06, 13.98, 10.88 dB.
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("Frequency (MHz)\tD1 Gt  [S21](dB)\n1000\t18.06\n2000\t13.98\n3000\t10.88\n"));
    }

    void chartCopiesAsImage_data()
    {
        QTest::addColumn<int>("display");
        QTest::addColumn<QString>("key");
        QTest::newRow("rectangular") << 2 << "1key RL In";
        QTest::newRow("Smith") << 3 << "1key SS11";
        QTest::newRow("polar") << 4 << "1key SS11";
    }
    void chartCopiesAsImage()
    {
        QFETCH(int, display);
        QFETCH(QString, key);
        SparamWindow w;
        w.resize(900, 700);
        w.LoadFile(1, DataFile("z50.s2p"));
        w.findChild<QRadioButton*>(QString("optDisplay(%1)").arg(display))->setChecked(true);
        Choose(w.findChild<QTreeWidget*>("SSTree"), key);
        w.findChild<QLineEdit*>("txtStart")->setText("1000");
        w.findChild<QLineEdit*>("txtStop")->setText("3000");
        w.findChild<QLineEdit*>("txtStep")->setText("100");
        w.Calculate();
        QVERIFY(messages_.isEmpty());
        QApplication::clipboard()->clear();
        w.CopyDisplay();
        const QImage image = QApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        QVERIFY(image.width() > 50 && image.height() > 50);
    }

    void f9TogglesFullScreen()
    {
        SparamWindow w;
        w.show();
        QVERIFY(!w.IsFullScreen());
        QTest::keyClick(&w, Qt::Key_F9);
        QVERIFY(w.IsFullScreen());
        QTest::keyClick(&w, Qt::Key_F9);
        QVERIFY(!w.IsFullScreen());
    }

    // A display that is refused leaves the previous one in place.
    void refusedDisplayKeepsThePreviousOne()
    {
        SparamWindow w;
        w.LoadFile(1, DataFile("z50.s2p"));
        w.findChild<QRadioButton*>("optDisplay(3)")->setChecked(true);
        Choose(w.findChild<QTreeWidget*>("SSTree"), "1key SS11");
        w.Calculate();
        auto* smith = w.findChild<SmithChart*>("peSmith");
        QCOMPARE(smith->Traces().size(), std::size_t{1});
        w.LoadFile(2, DataFile("z75.s2p"));
        w.Calculate();
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.front().startsWith("Incompatible Snp files|"));
        QCOMPARE(smith->Traces().size(), std::size_t{1});
    }
};

QTEST_MAIN(TestSparamWindow)
#include "tst_sparamwindow.moc"
