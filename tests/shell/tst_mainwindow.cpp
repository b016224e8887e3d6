// The main window: start-up, menus, what opening an entry and returning to the catalogue do to
// the child windows and the list bar, the web-link timer and the window size.
#include "shell/helpviewer.h"
#include "shell/infowindows.h"
#include "shell/mainwindow.h"
#include "shell/registry.h"
#include "shell/uihooks.h"

#include "core/settings.h"
#include "shell_capture.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBox>

using namespace korvel;
using namespace korvel::ui;

namespace {

// Stands in for a calculator: a web link that starts hidden and the way back.
class FakeCalculator : public QWidget {
public:
    explicit FakeCalculator(const QString& name, QWidget* parent) : QWidget(parent)
    {
        setObjectName(name);
        setWindowTitle(name);
        auto* pic = new QLabel("web", this);
        pic->setObjectName("picWeb");
        pic->hide();
        auto* lbl = new QLabel("Click for Web", this);
        lbl->setObjectName("lblWeb");
        lbl->hide();
        resize(300, 200);
    }
};

bool Shown(const MainWindow& main, const char* name)
{
    QWidget* w = main.ChildWindow(name);
    return w && w->isVisible();
}

QStringList MenuLayout(const QMenu* menu)
{
    QStringList layout;
    for (const QAction* a : menu->actions())
        layout << (a->isSeparator() ? QString("-") : a->objectName() + "=" + a->text());
    return layout;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startUpSettings();
    void startAtOnce_data();
    void startAtOnce();
    void splashStages();
    void menus_data();
    void menus();
    void sizes();
    void unknownAndUnbuiltEntries();
    void makerPagesKeepListBar_data();
    void makerPagesKeepListBar();
    void calculatorHidesCatalogue();
    void calculatorReplacesCalculator();
    void largeCalculatorGrowsMainWindow();
    void closingCalculatorFrameBringsCatalogue();
    void returnItemClosesNothing();
    void webLinkTimer();
    void webLinkTimerIgnoresHiddenChild();
    void spcsPages();
    void designDataSubPages();
    void statusImages();
    void listClickOpens_data();
    void listClickOpens();
    void helpItems_data();
    void helpItems();
    void dialogItems();
    void keyboardShortcutsDoesNothing();
    void systemInformationUnavailable();
    void creditsKey_data();
    void creditsKey();
};

void TestMainWindow::initTestCase()
{
    for (const char* name : {"frmRndCoax", "frmSqrCoax"})
        RegisterWindow(name, [name](QWidget* parent) { return new FakeCalculator(name, parent); });
    // A calculator taller than the main window's area at its start-up size.
    RegisterWindow("frmNoiseCalc", [](QWidget* parent) {
        auto* w = new FakeCalculator("frmNoiseCalc", parent);
        w->setMinimumSize(700, 560);
        return w;
    });
}

void TestMainWindow::startUpSettings()
{
    test::ShellCapture capture;
    Settings().componentTolerance = 20;
    Settings().soundEnabled = false;
    Settings().maxJunctionTempC = 99;
    MainWindow main;
    // Every start begins from the defaults; the web link is ready for the calculators.
    QCOMPARE(Settings().componentTolerance, 5);
    QVERIFY(Settings().soundEnabled);
    QCOMPARE(Settings().maxJunctionTempC, 150.0);
    QCOMPARE(Settings().webLink.intervalMs, 1000.0f);
    QVERIFY(!Settings().webLink.caption.empty());
    QVERIFY(!Settings().webAddress.empty());
    QCOMPARE(QString::fromStdString(Settings().decimalSeparator), QLocale().decimalPoint());
    QCOMPARE(Host(), static_cast<CalculatorHost*>(&main));
}

void TestMainWindow::startAtOnce_data()
{
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("sound on") << true << QStringList{"korvel.wav"};
    QTest::newRow("sound off") << false << QStringList{};
}

void TestMainWindow::startAtOnce()
{
    QFETCH(bool, sound);
    test::ShellCapture capture;
    MainWindow main;
    Settings().soundEnabled = sound;
    capture.Clear();
    main.StartAtOnce();
    QVERIFY(main.isVisible());
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(Shown(main, "frmMainMenu"));
    QVERIFY(main.ChildWindow("frmMainMenu")->parentWidget()->isMaximized());
    QTEST(capture.sounds, "heard");
}

void TestMainWindow::splashStages()
{
    test::ShellCapture capture;
    MainWindow main;
    auto* tmrSplash = main.findChild<QTimer*>("tmrSplash");
    auto* tmrLoading = main.findChild<QTimer*>("tmrLoading");
    QVERIFY(tmrSplash && tmrLoading);
    main.StartWithSplash();
    QPointer<SplashWindow> splash = main.Splash();
    QVERIFY(splash);
    QVERIFY(splash->isVisible());
    QVERIFY(!main.isVisible());
    QCOMPARE(splash->StartupText(), QString("Loading . . . ."));
    QCOMPARE(tmrSplash->interval(), 2000);
    QVERIFY(tmrSplash->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(splash->StartupText(), QString("Initializing calculations ...."), 3000);
    QVERIFY(!tmrSplash->isActive());
    QVERIFY(tmrLoading->isActive());
    QCOMPARE(tmrLoading->interval(), 2000);
    QVERIFY(!main.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(main.isVisible(), 3000);
    QVERIFY(Shown(main, "frmMainMenu"));
    QVERIFY(!tmrLoading->isActive());
    QTRY_VERIFY(splash.isNull());
}

void TestMainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("layout");
    QTest::newRow("File") << "mnuFile" << "&File"
                          << QStringList{"mnuFileReturn=&Return to Main Menu", "-", "mnuFileExit=E&xit"};
    QTest::newRow("Options") << "mnuOptions" << "&Options"
                             << QStringList{"mnuOptionsPreferences=&Preferences ...",
                                            "mnuOptionsWindow=&Reset window size"};
    QTest::newRow("Help") << "mnuHelp" << "&Help"
                          << QStringList{"mnuHelpKorvel=Korvel &Help", "mnuHelpKeyboard=&Keyboard Shortcuts", "-",
                                         "mnuHelpSystem=&System Information", "-",
                                         "mnuHelpVelmarOnWeb=Velmar on the &Web", "-",
                                         "mnuHelpAbout=&About Korvel"};
}

void TestMainWindow::menus()
{
    QFETCH(QString, menu);
    test::ShellCapture capture;
    MainWindow main;
    auto* m = main.menuBar()->findChild<QMenu*>(menu);
    QVERIFY(m);
    QTEST(m->title(), "title");
    QTEST(MenuLayout(m), "layout");
}

void TestMainWindow::sizes()
{
    test::ShellCapture capture;
    MainWindow main;
    // 11520 x 8050 twips at 15 twips a pixel.
    QCOMPARE(main.size(), QSize(768, 537));
    main.StartAtOnce();
    main.showMaximized();
    main.resize(900, 700);
    main.findChild<QAction*>("mnuOptionsWindow")->trigger();
    QVERIFY(!(main.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)));
    QCOMPARE(main.size(), QSize(768, 537));  // 11520 x 8060 twips
    main.resize(500, 300);
    main.ResetWindowSize();
    QCOMPARE(main.size(), QSize(768, 537));
}

void TestMainWindow::unknownAndUnbuiltEntries()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    QVERIFY(!main.OpenCatalogueEntry("Passive-Coax (Hexagonal)"));
    QVERIFY(!main.OpenCatalogueEntry("Coax  (Round)"));  // a calculator's caption is not its key
    // A known entry whose window this build lacks does nothing at all.
    QVERIFY(main.OpenCatalogueEntry("Passive-Microstrip"));
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(Shown(main, "frmMainMenu"));
    QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
}

void TestMainWindow::makerPagesKeepListBar_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("firstWindow");
    QTest::addColumn<QString>("secondWindow");
    QTest::newRow("about then products") << "Dorrit-Korvel" << "Dorrit-Products" << "frmKorvelinfo" << "frmDorritwell";
    QTest::newRow("contacts then guide") << "Contacting Velmar" << "Dorrit-Tolvane" << "frmDorritcontacts" << "frmTolvane";
    QTest::newRow("guide then web") << "Tolvane Guide" << "Design Data   on the Web" << "frmTolvane" << "frmBrowser";
    QTest::newRow("web then about") << "Dorrit-Web" << "About Korvel" << "frmBrowser" << "frmKorvelinfo";
    QTest::newRow("same page twice") << "Dorrit-Products" << "Dorrit-Products" << "frmDorritwell" << "frmDorritwell";
}

void TestMainWindow::makerPagesKeepListBar()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, firstWindow);
    QFETCH(QString, secondWindow);
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    QVERIFY(main.OpenCatalogueEntry(first));
    QVERIFY(Shown(main, firstWindow.toUtf8().constData()));
    QVERIFY(!Shown(main, "frmMainMenu"));
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(main.OpenCatalogueEntry(second));
    QVERIFY(Shown(main, secondWindow.toUtf8().constData()));
    QVERIFY(main.ListBar()->isVisible());
    if (firstWindow != secondWindow)
        QVERIFY(!main.ChildWindow(firstWindow));
    // frmMainMenu (hidden) and the one page.
    QCOMPARE(main.MdiArea()->subWindowList().size(), 2);
}

void TestMainWindow::largeCalculatorGrowsMainWindow()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.ResetWindowSize();
    const QSize start = main.size();
    // One that fits leaves the main window as it is; one that does not makes it grow until the
    // whole calculator shows (every real calculator is opened so by the desktop sweep).
    QVERIFY(main.OpenCatalogueEntry("Passive-Coax (Round)"));
    QCOMPARE(main.size(), start);
    QVERIFY(main.OpenCatalogueEntry("Signal-NoiseCalc"));
    QVERIFY(main.height() > start.height());

    // A maximized main window is the user's choice and stays so.
    Host()->ReturnToCatalogue(main.ChildWindow("frmNoiseCalc"));
    main.showMaximized();
    const QSize maximized = main.size();
    QVERIFY(main.OpenCatalogueEntry("Signal-NoiseCalc"));
    QCOMPARE(main.size(), maximized);
}

void TestMainWindow::calculatorHidesCatalogue()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.OpenCatalogueEntry("Dorrit-Korvel");
    QVERIFY(main.ChildWindow("frmKorvelinfo"));
    QVERIFY(main.OpenCatalogueEntry("Passive-Coax (Round)"));
    QVERIFY(Shown(main, "frmRndCoax"));
    QVERIFY(!main.ChildWindow("frmKorvelinfo"));  // information pages are unloaded
    QVERIFY(!main.ListBar()->isVisible());
    QVERIFY(!Shown(main, "frmMainMenu"));

    QWidget* calc = main.ChildWindow("frmRndCoax");
    Host()->ReturnToCatalogue(calc);
    QVERIFY(!main.ChildWindow("frmRndCoax"));
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(Shown(main, "frmMainMenu"));
    QVERIFY(main.ChildWindow("frmMainMenu")->parentWidget()->isMaximized());

    // A new opening starts from a new window.
    QPointer<QWidget> old = calc;
    QTRY_VERIFY(old.isNull());
    main.OpenCatalogueEntry("Passive-Coax (Round)");
    QVERIFY(Shown(main, "frmRndCoax"));
}

void TestMainWindow::calculatorReplacesCalculator()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.OpenCatalogueEntry("Passive-Coax (Round)");
    main.OpenCatalogueEntry("Passive-Coax (Square)");
    QVERIFY(!main.ChildWindow("frmRndCoax"));
    QVERIFY(Shown(main, "frmSqrCoax"));
    QVERIFY(!main.ListBar()->isVisible());
}

void TestMainWindow::closingCalculatorFrameBringsCatalogue()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.OpenCatalogueEntry("Passive-Coax (Round)");
    QPointer<QWidget> calc = main.ChildWindow("frmRndCoax");
    // Closed from its own title bar rather than through "Main Menu".
    calc->parentWidget()->close();
    QTRY_VERIFY(main.ListBar()->isVisible());
    QVERIFY(Shown(main, "frmMainMenu"));
    QTRY_VERIFY(calc.isNull());
}

void TestMainWindow::returnItemClosesNothing()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.OpenCatalogueEntry("Dorrit-Products");
    QVERIFY(!Shown(main, "frmMainMenu"));
    main.findChild<QAction*>("mnuFileReturn")->trigger();
    QVERIFY(Shown(main, "frmMainMenu"));
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(main.ChildWindow("frmDorritwell"));
}

void TestMainWindow::webLinkTimer()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    Settings().webLink.intervalMs = 60.0f;
    main.OpenCatalogueEntry("Passive-Coax (Round)");
    QWidget* calc = main.ChildWindow("frmRndCoax");
    auto* tmrSpam = main.findChild<QTimer*>("tmrSpam");
    main.ArmWebLinkTimer();
    QVERIFY(tmrSpam->isActive());
    QVERIFY(tmrSpam->isSingleShot());
    QCOMPARE(tmrSpam->interval(), 60);
    QVERIFY(!calc->findChild<QWidget*>("picWeb")->isVisible());
    QTRY_VERIFY(calc->findChild<QWidget*>("picWeb")->isVisible());
    QVERIFY(calc->findChild<QWidget*>("lblWeb")->isVisible());
    QVERIFY(!tmrSpam->isActive());
}

void TestMainWindow::webLinkTimerIgnoresHiddenChild()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    Settings().webLink.intervalMs = 30.0f;
    main.OpenCatalogueEntry("Passive-Coax (Round)");
    QWidget* calc = main.ChildWindow("frmRndCoax");
    calc->parentWidget()->hide();
    main.ArmWebLinkTimer();
    auto* tmrSpam = main.findChild<QTimer*>("tmrSpam");
    QTRY_VERIFY(!tmrSpam->isActive());
    QVERIFY(calc->findChild<QWidget*>("picWeb")->isHidden());
}

void TestMainWindow::spcsPages()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    QVERIFY(main.OpenCatalogueEntry("Semiconductors-SPCS"));
    QVERIFY(Shown(main, "frmSPCS1"));
    QVERIFY(!main.ListBar()->isVisible());
    main.ChildWindow("frmSPCS1")->findChild<QPushButton*>("cmdNext")->click();
    QVERIFY(Shown(main, "frmSPCS2"));
    QVERIFY(!Shown(main, "frmSPCS1"));
    main.ChildWindow("frmSPCS2")->findChild<QPushButton*>("cmdNext")->click();
    main.ChildWindow("frmSPCS3")->findChild<QPushButton*>("cmdNext")->click();
    QVERIFY(Shown(main, "frmSPCS5"));
    QVERIFY(!main.ChildWindow("frmSPCS5")->findChild<QPushButton*>("cmdNext")->isEnabled());
    // Opening SPCS again starts at its first page with the later ones out of sight.
    main.OpenCatalogueEntry("Semiconductors-SPCS");
    QVERIFY(Shown(main, "frmSPCS1"));
    QVERIFY(!Shown(main, "frmSPCS5"));
    main.ChildWindow("frmSPCS1")->findChild<QPushButton*>("cmdReturnMainMenu")->click();
    for (const char* page : {"frmSPCS1", "frmSPCS2", "frmSPCS3", "frmSPCS5"})
        QVERIFY2(!main.ChildWindow(page), page);
    QVERIFY(main.ListBar()->isVisible());
    QVERIFY(Shown(main, "frmMainMenu"));
}

void TestMainWindow::designDataSubPages()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.OpenCatalogueEntry("Dorrit-Web");
    auto* link = main.ChildWindow("frmBrowser")->findChild<LinkLabel*>("lblCategories");
    QVERIFY(link);
    emit link->clicked();
    QVERIFY(Shown(main, "frmBrowser1"));
    main.OpenCatalogueEntry("Dorrit-Web");
    QVERIFY(!Shown(main, "frmBrowser1"));
    QVERIFY(Shown(main, "frmBrowser"));
    // A link of a sub-page opens a page of the maker's site.
    emit link->clicked();
    auto* products = main.ChildWindow("frmBrowser1")->findChild<LinkLabel*>("lblAmplifiers");
    emit products->clicked();
    QCOMPARE(capture.opened.size(), 1);
    QVERIFY(capture.opened.first().startsWith(MakerWebPage()));
}

void TestMainWindow::statusImages()
{
    test::ShellCapture capture;
    MainWindow main;
    // Whether or not the pictures are installed beside the test, asking never fails and a
    // picture that is not there is an empty one.
    for (const char* key : {"grn", "yel", "red", "orn", "blu"})
        QCOMPARE(main.StatusImage(key).isNull(),
                 !QFileInfo::exists(ProgramFile(QString("status/%1.svg").arg(key))));
    QVERIFY(main.StatusImage("purple").isNull());
}

void TestMainWindow::listClickOpens_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("listBarStays");
    QTest::newRow("round coax") << "Passive" << "Coax  (Round)" << "frmRndCoax" << false;
    QTest::newRow("square coax") << "Passive" << "Coax  (Square)" << "frmSqrCoax" << false;
    QTest::newRow("maker page") << "Dorrit" << "Contacting Velmar" << "frmDorritcontacts" << true;
    QTest::newRow("SPCS") << "Reliability" << "SPCS" << "frmSPCS1" << false;
}

void TestMainWindow::listClickOpens()
{
    QFETCH(QString, group);
    QFETCH(QString, caption);
    QFETCH(QString, window);
    QFETCH(bool, listBarStays);
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    auto* list = main.ListBar()->findChild<QListWidget*>(group);
    QVERIFY(list);
    const auto items = list->findItems(caption, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    emit list->itemClicked(items.first());
    QVERIFY(Shown(main, window.toUtf8().constData()));
    QCOMPARE(main.ListBar()->isVisible(), listBarStays);
    QVERIFY(!Shown(main, "frmMainMenu"));
}

namespace {
template <typename T>
T* VisibleTopLevel(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == name && top->isVisible())
            return qobject_cast<T*>(top);
    return nullptr;
}
} // namespace

void TestMainWindow::helpItems_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("topic");
    QTest::newRow("Korvel Help") << "mnuHelpKorvel" << 1;
    QTest::newRow("Velmar on the Web") << "mnuHelpVelmarOnWeb" << 5;
    QTest::newRow("F1") << "" << 1;
}

void TestMainWindow::helpItems()
{
    QFETCH(QString, action);
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    if (action.isEmpty())
        QTest::keyClick(&main, Qt::Key_F1);
    else
        main.findChild<QAction*>(action)->trigger();
    auto* viewer = VisibleTopLevel<HelpViewer>("frmHelpViewer");
    QVERIFY(viewer);
    QTEST(viewer->Topic(), "topic");
    viewer->close();
}

void TestMainWindow::dialogItems()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    main.findChild<QAction*>("mnuOptionsPreferences")->trigger();
    auto* prefs = VisibleTopLevel<QDialog>("frmPreferences");
    QVERIFY(prefs);
    QVERIFY(!prefs->isModal());
    prefs->close();
    main.findChild<QAction*>("mnuHelpAbout")->trigger();
    auto* about = VisibleTopLevel<AboutWindow>("frmAbout");
    QVERIFY(about);
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QString("About Korvel"));
    QCOMPARE(about->findChild<QLabel*>("lblTitle")->text(), QString("Korvel for Windows"));
    about->close();
}

void TestMainWindow::keyboardShortcutsDoesNothing()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    QList<QWidget*> before;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            before << top;
    main.findChild<QAction*>("mnuHelpKeyboard")->trigger();
    QApplication::processEvents();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            QVERIFY2(before.contains(top), qPrintable(top->objectName()));
    QVERIFY(capture.messages.empty());
    QVERIFY(capture.opened.isEmpty());
    QVERIFY(Shown(main, "frmMainMenu"));
}

void TestMainWindow::systemInformationUnavailable()
{
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent-korvel-folder");
    main.findChild<QAction*>("mnuHelpSystem")->trigger();
    qputenv("PATH", oldPath);
    QCOMPARE(capture.messages.size(), std::size_t(1));
    QCOMPARE(capture.messages[0].text, QString("System Information Is Unavailable At This Time"));
}

void TestMainWindow::creditsKey_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("credits");
    QTest::newRow("Ctrl+Shift+M") << int(Qt::ControlModifier | Qt::ShiftModifier) << true;
    QTest::newRow("Ctrl+M") << int(Qt::ControlModifier) << false;
    QTest::newRow("Shift+M") << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Alt+Shift+M") << int(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier) << false;
}

void TestMainWindow::creditsKey()
{
    QFETCH(int, modifiers);
    test::ShellCapture capture;
    MainWindow main;
    main.StartAtOnce();
    QWidget* page = main.ChildWindow("frmMainMenu");
    QTest::keyClick(page, Qt::Key_M, Qt::KeyboardModifiers(modifiers));
    QWidget* credits = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "frmCredits" && top->isVisible())
            credits = top;
    QTEST(credits != nullptr, "credits");
    if (credits)
        credits->close();
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
