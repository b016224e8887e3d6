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
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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

    // A Smith chart of data set 1 is drawn, then a file is loaded into a slot, then Calculate
    // runs again. Each row: the slot and the file ("<fifo>" and "<link to /dev/zero>" are made
    // on the spot), the messages that follow, and the curves shown after the load and after
    // Calculate. A refused display leaves the previous one in place, unless that one shows a
    // data set that is no longer loaded.
    void displayShowsOnlyWhatIsLoaded_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("afterLoad");
        QTest::addColumn<int>("afterCalculate");
        const QString noFiles = "No files loaded|You must load at least one SnP data file ";
        const QString cannotRead = "SnP File Error|File load error: cannot read %1";
        QTest::newRow("another slot, refused for its impedance")
            << 2 << "z75.s2p"
            << QStringList{"Incompatible Snp files|Cannot compare SnP files with mixed characteristic impedances "}
            << 1 << 1;
        QTest::newRow("its slot fails")
            << 1 << "noheader.s2p"
            << QStringList{"SnP File Error|File load error: misssing header (#) line in SnP file.", noFiles} << 0 << 0;
        QTest::newRow("its slot is a FIFO") << 1 << "<fifo>" << QStringList{cannotRead, noFiles} << 0 << 0;
        QTest::newRow("its slot links to /dev/zero")
            << 1 << "<link to /dev/zero>" << QStringList{cannotRead, noFiles} << 0 << 0;
        QTest::newRow("its slot holds another file") << 1 << "unilateral.s2p" << QStringList{} << 0 << 1;
    }
    void displayShowsOnlyWhatIsLoaded()
    {
        QFETCH(int, slot);
        QFETCH(QString, file);
        QFETCH(QStringList, expected);
        QFETCH(int, afterLoad);
        QFETCH(int, afterCalculate);
        QTemporaryDir dir;
        QString path = DataFile(file);
        if (file == "<fifo>") {
            path = dir.filePath("fifo.s2p");
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        } else if (file == "<link to /dev/zero>") {
            path = dir.filePath("zero.s2p");
            QVERIFY(QFile::link("/dev/zero", path));
        }
        SparamWindow w;
        w.LoadFile(1, DataFile("z50.s2p"));
        w.findChild<QRadioButton*>("optDisplay(3)")->setChecked(true);
        Choose(w.findChild<QTreeWidget*>("SSTree"), "1key SS11");
        w.Calculate();
        auto* smith = w.findChild<SmithChart*>("peSmith");
        QCOMPARE(smith->Traces().size(), std::size_t{1});
        w.LoadFile(slot, path);
        QCOMPARE(int(smith->Traces().size()), afterLoad);
        w.Calculate();
        QCOMPARE(int(smith->Traces().size()), afterCalculate);
        expected.replaceInStrings("%1", path);
        QCOMPARE(messages_, expected);
    }

    // An allocation that fails while a display is made is a message and an empty display.
    void outOfMemoryIsAMessage()
    {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer reserves more address space than the limit allows");
#endif
        SparamWindow w;
        w.LoadFile(1, DataFile("z50.s2p"));
        w.findChild<QRadioButton*>("optDisplay(1)")->setChecked(true);
        Choose(w.findChild<QTreeWidget*>("SSTree"), "2key Gt");
        // 16.7 million points (the single-precision steps stall at 2^24), about 1 GB once
        // interpolated, with 512 MB more address space than the test uses now.
        w.findChild<QLineEdit*>("txtStart")->setText("0");
        w.findChild<QLineEdit*>("txtStop")->setText("10000000");
        w.findChild<QLineEdit*>("txtStep")->setText("0.5");
        QFile statm("/proc/self/statm");
        QVERIFY(statm.open(QIODevice::ReadOnly));
        const rlim_t used = statm.readAll().split(' ').front().toULongLong() * rlim_t(::sysconf(_SC_PAGESIZE));
        rlimit old{};
        QVERIFY(::getrlimit(RLIMIT_AS, &old) == 0);
        const rlimit tight{used + (rlim_t{512} << 20), old.rlim_max};
        QVERIFY(::setrlimit(RLIMIT_AS, &tight) == 0);
        w.Calculate();
        ::setrlimit(RLIMIT_AS, &old);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_.front().startsWith("Not enough memory|"));
        QCOMPARE(w.findChild<QTableWidget*>("grdTabular")->rowCount(), 0);
    }
};

QTEST_MAIN(TestSparamWindow)
#include "tst_sparamwindow.moc"
