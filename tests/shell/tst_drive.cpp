// Drive mode against a small window made of every kind of control the calculators use:
// grids, lists, trees, charts, check boxes, options, message boxes and public procedures.
// Each case runs a script and compares the printed lines with what they must be.
#include "shell/drive.h"
#include "shell/host.h"
#include "shell/uihooks.h"

#include <QtTest>

#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace korvel;
using namespace korvel::ui;

// A chart drawn by hand describes its content itself.
class HandChart : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    Q_INVOKABLE QString DriveSeriesJson() const
    {
        return R"({"title":"Smith","axes":[],"data":[{"name":"S11","points":[[0.5,-0.25]]}]})";
    }
};

// A window with one control of each kind; every handler reports into lblEcho.
class GadgetWindow : public QWidget {
    Q_OBJECT
public:
    explicit GadgetWindow(QWidget* parent = nullptr) : QWidget(parent)
    {
        setObjectName("frmGadgets");
        setWindowTitle("Gadgets");
        auto* layout = new QVBoxLayout(this);
        echo_ = Add<QLabel>("lblEcho");
        auto* text = Add<QLineEdit>("txtA");
        connect(text, &QLineEdit::textChanged, this, [this](const QString& t) { echo_->setText("typed " + t); });

        auto* grid = Add<QTableWidget>("grdCells");
        grid->setRowCount(3);
        grid->setColumnCount(2);
        grid->setItem(0, 0, new QTableWidgetItem("a"));
        connect(grid, &QTableWidget::cellChanged, this, [this, grid](int r, int c) {
            echo_->setText(QString("cell %1,%2 = %3").arg(r).arg(c).arg(grid->item(r, c)->text()));
            grid->item(r, c)->setBackground(QColor(255, 0, 0));
        });

        auto* list = Add<QListWidget>("lstItems");
        list->addItems({"one", "two", "three"});
        connect(list, &QListWidget::currentRowChanged, this,
                [this](int row) { echo_->setText(QString("row %1").arg(row)); });

        auto* tree = Add<QTreeWidget>("treNodes");
        auto* root = new QTreeWidgetItem(tree, {"Data sets"});
        root->setData(0, Qt::UserRole, "root");
        auto* leaf = new QTreeWidgetItem(root, {"S21 gain"});
        leaf->setData(0, Qt::UserRole, "s21");
        connect(tree, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem* item) { echo_->setText("node " + item->text(0)); });

        auto* check = Add<QCheckBox>("chkOpt");
        check->setText("Option");
        connect(check, &QCheckBox::clicked, this, [this](bool on) { echo_->setText(on ? "checked" : "unchecked"); });
        Add<QRadioButton>("optA(0)")->setChecked(true);
        Add<QRadioButton>("optA(1)");

        auto* ask = Add<QPushButton>("cmdAsk");
        connect(ask, &QPushButton::clicked, this, [this] {
            const Answer a = ShowMessageBox(this, "Question", "Keep \"both\"?\tSure", MsgIcon::Question, Buttons::YesNo);
            echo_->setText(a == Answer::Yes ? "yes" : a == Answer::No ? "no" : "other");
        });

        auto* chart = new QChart;
        chart->setTitle("Gain");
        auto* series = new QLineSeries;
        series->setName("S21");
        series->append(1.0, 10.5);
        series->append(2.0, 9.25);
        chart->addSeries(series);
        auto* x = new QValueAxis;
        x->setTitleText("GHz");
        auto* y = new QValueAxis;
        y->setTitleText("dB");
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        auto* view = new QChartView(chart, this);
        view->setObjectName("chartGain");
        layout->addWidget(view);
        Add<HandChart>("picSmith");
    }

public slots:
    void Sum(int a, double b, const QString& c) { echo_->setText(QString("%1 %2 %3").arg(a).arg(b).arg(c)); }
    int Twice(int a) { return 2 * a; }

private:
    template <typename T>
    T* Add(const char* name)
    {
        auto* w = new T(this);
        w->setObjectName(name);
        layout()->addWidget(w);
        return w;
    }

    QLabel* echo_ = nullptr;
};

class TestHost : public CalculatorHost {
public:
    TestHost()
    {
        main_.setObjectName("frmKorvelmain");
        area_ = new QMdiArea(&main_);
        main_.setCentralWidget(area_);
        main_.resize(800, 600);
        main_.show();
    }
    bool OpenCatalogueEntry(const QString& key) override
    {
        if (key != "Test-Gadgets")
            return false;
        QMdiSubWindow* sub = area_->addSubWindow(new GadgetWindow);
        sub->show();
        area_->setActiveSubWindow(sub);
        return true;
    }
    void ReturnToCatalogue(QWidget*) override {}
    void ArmWebLinkTimer() override {}
    void ShowPreferences() override {}
    void ShowAbout() override {}
    void ShowHelp(int) override {}
    void ResetWindowSize() override {}
    void ExitProgram() override {}
    QIcon StatusImage(const QString&) const override { return {}; }
    QWidget* MainWidget() override { return &main_; }

    QMainWindow main_;
    QMdiArea* area_ = nullptr;
};

} // namespace

class TestDrive : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void script_data();
    void script();

private:
    // Runs a script and returns what it printed and its exit status.
    QPair<QStringList, int> RunScript(const QString& text);

    std::unique_ptr<TestHost> host_;
    QTemporaryDir dir_;
};

void TestDrive::init()
{
    host_ = std::make_unique<TestHost>();
    SetHost(host_.get());
}

void TestDrive::cleanup()
{
    SetHost(nullptr);
    host_.reset();
    SetHooks({});
}

QPair<QStringList, int> TestDrive::RunScript(const QString& text)
{
    const QString scriptPath = dir_.filePath("script.drive");
    const QString outPath = dir_.filePath("out.jsonl");
    QFile script(scriptPath);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {{"cannot write script"}, -1};
    script.write(text.toUtf8());
    script.close();

    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int fd = open(outPath.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(fd, STDOUT_FILENO);
    close(fd);
    const int status = korvel::drive::Run(scriptPath);
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);

    QFile out(outPath);
    if (!out.open(QIODevice::ReadOnly))
        return {{"no output"}, status};
    QStringList lines = QString::fromUtf8(out.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return {lines, status};
}

void TestDrive::script_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("status");

    QTest::newRow("windows and addressing")
        << "open Test-Gadgets\nwindows geometry\nget frmGadgets.lblEcho\nget window\n"
        << QStringList{R"({"windows":[{"name":"frmGadgets","caption":"Gadgets","active":true,"geometry":[0,0,282,600],"state":"normal"}]})",
                       R"({"get":"frmGadgets.lblEcho","text":"","visible":true,"enabled":true})",
                       R"({"get":"window","text":"Gadgets","visible":true,"enabled":true})"}
        << 0;
    QTest::newRow("set keeps blanks and fires the change handler")
        << "open Test-Gadgets\nset txtA  two  blanks \nget lblEcho\n"
        << QStringList{R"({"get":"lblEcho","text":"typed  two  blanks ","visible":true,"enabled":true})"} << 0;
    QTest::newRow("edit a grid cell, read it back with its colour")
        << "open Test-Gadgets\ncell grdCells 0 0\nedit grdCells 1 1 4.5 dB\nget lblEcho\ncell grdCells 1 1\nrows grdCells\n"
        << QStringList{R"({"cell":"grdCells","row":0,"col":0,"text":"a","color":"#FFFFFF"})",
                       R"({"get":"lblEcho","text":"cell 1,1 = 4.5 dB","visible":true,"enabled":true})",
                       R"({"cell":"grdCells","row":1,"col":1,"text":"4.5 dB","color":"#FF0000"})",
                       "{\"rows\":\"grdCells\",\"text\":[\"a\\t\",\"\\t4.5 dB\",\"\\t\"]}"}
        << 0;
    QTest::newRow("lists by position and by text")
        << "open Test-Gadgets\nselect lstItems 2\nget lblEcho\nchoose lstItems two\nget lblEcho\nrows lstItems\n"
        << QStringList{R"({"get":"lblEcho","text":"row 2","visible":true,"enabled":true})",
                       R"({"get":"lblEcho","text":"row 1","visible":true,"enabled":true})",
                       R"({"rows":"lstItems","text":["one","two","three"]})"}
        << 0;
    QTest::newRow("tree nodes by key")
        << "open Test-Gadgets\nchoose treNodes s21\nget lblEcho\nitems treNodes\n"
        << QStringList{R"({"get":"lblEcho","text":"node S21 gain","visible":true,"enabled":true})",
                       R"({"items":"treNodes","text":["Data sets","S21 gain"]})"}
        << 0;
    QTest::newRow("check boxes and options to a state")
        << "open Test-Gadgets\ncheck chkOpt on\nget lblEcho\ncheck chkOpt on\nget chkOpt\ncheck chkOpt off\nget lblEcho\n"
           "check optA(1) on\nget optA(0)\nget optA(1)\n"
        << QStringList{R"({"get":"lblEcho","text":"checked","visible":true,"enabled":true})",
                       R"({"get":"chkOpt","text":"Option","visible":true,"enabled":true,"checked":true})",
                       R"({"get":"lblEcho","text":"unchecked","visible":true,"enabled":true})",
                       R"j({"get":"optA(0)","text":"","visible":true,"enabled":true,"checked":false})j",
                       R"j({"get":"optA(1)","text":"","visible":true,"enabled":true,"checked":true})j"}
        << 0;
    QTest::newRow("message boxes answered as told, then by default")
        << "open Test-Gadgets\nanswer No\nclick cmdAsk\nget lblEcho\nclick cmdAsk\nget lblEcho\n"
        << QStringList{R"({"message":{"title":"Question","text":"Keep \"both\"?\tSure","icon":"question"}})",
                       R"({"get":"lblEcho","text":"no","visible":true,"enabled":true})",
                       R"({"message":{"title":"Question","text":"Keep \"both\"?\tSure","icon":"question"}})",
                       R"({"get":"lblEcho","text":"yes","visible":true,"enabled":true})"}
        << 0;
    QTest::newRow("public procedures with arguments and results")
        << "open Test-Gadgets\ncall Sum 2 1.5 abc\nget lblEcho\ncall Twice 21\n"
        << QStringList{R"({"get":"lblEcho","text":"2 1.5 abc","visible":true,"enabled":true})",
                       R"({"call":"Twice","result":42})"}
        << 0;
    QTest::newRow("charts")
        << "open Test-Gadgets\nseries chartGain\n"
        << QStringList{R"({"series":"chartGain","title":"Gain","axes":["GHz","dB"],"data":[{"name":"S21","color":"#209FDF","points":[[1,10.5],[2,9.25]]}]})"}
        << 0;
    QTest::newRow("a chart drawn by hand")
        << "open Test-Gadgets\nseries picSmith\n"
        << QStringList{R"({"series":"picSmith","title":"Smith","axes":[],"data":[{"name":"S11","points":[[0.5,-0.25]]}]})"}
        << 0;
    QTest::newRow("colours")
        << "open Test-Gadgets\ncolor txtA\n"
        << QStringList{R"({"color":"txtA","background":"#FFFFFF"})"} << 0;
    QTest::newRow("comments and blank lines are skipped")
        << "# a comment\n\nopen Test-Gadgets\n   \nget lblEcho\n"
        << QStringList{R"({"get":"lblEcho","text":"","visible":true,"enabled":true})"} << 0;
    QTest::newRow("unknown key ends the script")
        << "open Test-Gadgets\nkey txtA F12\nget lblEcho\n"
        << QStringList{R"({"error":"unknown key: F12"})"} << 2;
    QTest::newRow("unknown control ends the script")
        << "open Test-Gadgets\nget txtNothing\nget lblEcho\n"
        << QStringList{R"({"error":"unknown control: txtNothing"})"} << 2;
    QTest::newRow("unknown window in a dotted name")
        << "open Test-Gadgets\nget frmNone.lblEcho\n"
        << QStringList{R"({"error":"unknown window: frmNone"})"} << 2;
    QTest::newRow("unknown catalogue entry") << "open Test-Nothing\n"
                                             << QStringList{R"({"error":"unknown window: Test-Nothing"})"} << 2;
    QTest::newRow("a wrong argument to a procedure")
        << "open Test-Gadgets\ncall Twice many\n"
        << QStringList{R"({"error":"argument many does not fit Twice"})"} << 2;
    QTest::newRow("a menu command on a button") << "open Test-Gadgets\nmenu cmdAsk\n"
                                                << QStringList{R"({"error":"cmdAsk is not a menu item"})"} << 2;
}

void TestDrive::script()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    QFETCH(int, status);
    const auto [lines, got] = RunScript(script);
    QCOMPARE(lines, expected);
    QCOMPARE(got, status);
}

QTEST_MAIN(TestDrive)
#include "tst_drive.moc"
