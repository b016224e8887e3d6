#include "mainwindow.h"

#include "catalogue.h"
#include "helpviewer.h"
#include "infowindows.h"
#include "preferences.h"
#include "registry.h"
#include "services.h"
#include "uihooks.h"

#include "core/settings.h"
#include "core/weblink.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QLayout>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionToolBox>
#include <QTimer>
#include <QToolBox>
#include <QVBoxLayout>

#include <algorithm>

namespace korvel::ui {
namespace {

constexpr int kSplashStageMs = 2000;
constexpr int kListBarWidthTwips = 1360;
constexpr int kPicture1WidthTwips = 1245;
const QColor kListBarGrey(140, 140, 140);
const QColor kMainMenuBack(248, 248, 255);

// Pages of the maker and of the program; opening one keeps the list bar, and a calculator
// opening unloads them.
const QStringList& MakerPages()
{
    static const QStringList pages = {"frmDorritwell", "frmDorritcontacts", "frmBrowser",
                                      "frmKorvelinfo", "frmTolvane"};
    return pages;
}
const QStringList& BrowserSubPages()
{
    static const QStringList pages = {"frmBrowser1", "frmBrowser2", "frmBrowser3"};
    return pages;
}
const QStringList& SpcsPages()
{
    static const QStringList pages = {"frmSPCS1", "frmSPCS2", "frmSPCS3", "frmSPCS5"};
    return pages;
}

// The list bar's own look: flat group title bars that use the bar's whole width for the
// title, and a slim scroll bar so that the icons keep the width they need.
class ListBarStyle : public QProxyStyle {
public:
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override
    {
        if (element == SE_ToolBoxTabContents)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return 7;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_ToolBoxTab) {
            // Shape and title drawn here, so that the base style's slanted tab stays out.
            drawControl(CE_ToolBoxTabShape, option, painter, widget);
            drawControl(CE_ToolBoxTabLabel, option, painter, widget);
            return;
        }
        if (element == CE_ToolBoxTabShape) {
            const bool selected = option->state & State_Selected;
            const bool hover = option->state & State_MouseOver;
            QLinearGradient fill(option->rect.topLeft(), option->rect.bottomLeft());
            fill.setColorAt(0, selected ? QColor(120, 150, 205) : hover ? QColor(220, 220, 220) : QColor(205, 205, 205));
            fill.setColorAt(1, selected ? QColor(60, 90, 150) : QColor(160, 160, 160));
            painter->fillRect(option->rect, fill);
            painter->setPen(QColor(100, 100, 100));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
            return;
        }
        if (element == CE_ToolBoxTabLabel) {
            const auto* tab = qstyleoption_cast<const QStyleOptionToolBox*>(option);
            if (!tab)
                return;
            const bool selected = option->state & State_Selected;
            const QRect text = option->rect.adjusted(3, 0, -2, 0);
            painter->setPen(selected ? Qt::white : Qt::black);
            painter->drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                              option->fontMetrics.elidedText(tab->text, Qt::ElideRight, text.width()));
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

bool IsPage(const QString& name)
{
    return name == "frmMainMenu" || MakerPages().contains(name) || BrowserSubPages().contains(name);
}

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

// ---- frmMainMenu -------------------------------------------------------------------------

MainMenuPage::MainMenuPage(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmMainMenu");
    setWindowTitle("Main Menu");
    setFocusPolicy(Qt::StrongFocus);  // so that its own keys (Ctrl+Shift+M) reach it
    SetBackground(this, kMainMenuBack);

    auto* title = new QLabel("Korvel", this);
    title->setObjectName("lblTitle");
    QFont titleFont = title->font();
    titleFont.setPointSize(28);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet("color: rgb(0, 40, 110);");

    auto* subtitle = new QLabel("RF and Microwave Design Calculators", this);
    subtitle->setObjectName("lblSubtitle");
    QFont subFont = subtitle->font();
    subFont.setPointSize(14);
    subtitle->setFont(subFont);
    subtitle->setStyleSheet("color: rgb(0, 40, 110);");

    auto* hint = new QLabel("Choose a calculator from the catalogue on the left.\n"
                            "Open a group by clicking its title, then click an icon.",
                            this);
    hint->setObjectName("lblHint");
    hint->setStyleSheet("color: rgb(60, 60, 60);");

    auto* version = new QLabel("Version " + VersionText(), this);
    version->setObjectName("lblVersion");
    version->setStyleSheet("color: rgb(90, 90, 90);");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 24);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(24);
    layout->addWidget(hint);
    layout->addStretch();
    layout->addWidget(version);

    // The catalogue page greets the user once, when it is first loaded.
    PlaySound("korvel.wav");
}

void MainMenuPage::keyPressEvent(QKeyEvent* event)
{
    const auto mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_M && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        ShowCredits(window());
        return;
    }
    if (event->key() == Qt::Key_F1) {
        ShowHelpTopic(HelpContext());
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- frmKorvelmain -----------------------------------------------------------------------

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmKorvelmain");
    setWindowTitle("Korvel");
    setWindowIcon(ProgramIcon("korvel.png"));
    helpContext_ = 1;

    auto* central = new QWidget(this);
    central->setObjectName("centralWidget");
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    listBar_ = new QToolBox(central);
    listBar_->setObjectName("SSListBar1");
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName("mdiMain");
    // A calculator opened over the maximized catalogue page keeps its own size.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    mdi_->setBackground(QColor(171, 171, 171));
    // On a screen too small for a calculator the area scrolls to the rest of it.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &MainWindow::UpdateMenuBar);
    layout->addWidget(listBar_);
    layout->addWidget(mdi_, 1);
    setCentralWidget(central);

    tmrSplash_ = new QTimer(this);
    tmrSplash_->setObjectName("tmrSplash");
    tmrSplash_->setSingleShot(true);
    connect(tmrSplash_, &QTimer::timeout, this, &MainWindow::SplashStage);
    tmrLoading_ = new QTimer(this);
    tmrLoading_->setObjectName("tmrLoading");
    tmrLoading_->setSingleShot(true);
    connect(tmrLoading_, &QTimer::timeout, this, &MainWindow::LoadingDone);
    tmrSpam_ = new QTimer(this);
    tmrSpam_->setObjectName("tmrSpam");
    tmrSpam_->setSingleShot(true);
    connect(tmrSpam_, &QTimer::timeout, this, &MainWindow::RevealWebLink);

    BuildMenus();

    resize(TwipsToPixels(kStartWidthTwips), TwipsToPixels(kStartHeightTwips));

    picture1_ = new QLabel(this);
    picture1_->setObjectName("Picture1");
    picture1_->setFixedWidth(TwipsToPixels(kPicture1WidthTwips));
    picture1_->hide();

    BuildListBar();
    InitialiseSettings();
    RegisterInfoWindows();

    SetHost(this);
}

MainWindow::~MainWindow()
{
    if (Host() == this)
        SetHost(nullptr);
    // Child windows must not call back into a main window that is going away.
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        sub->removeEventFilter(this);
    disconnect(mdi_, nullptr, this, nullptr);
}

void MainWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    connect(AddItem(file, "mnuFileReturn", "&Return to Main Menu"), &QAction::triggered, this,
            [this] { ShowCatalogue(); });
    file->addSeparator();
    connect(AddItem(file, "mnuFileExit", "E&xit"), &QAction::triggered, this,
            [this] { ExitProgram(); });

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("mnuOptions");
    connect(AddItem(options, "mnuOptionsPreferences", "&Preferences ..."), &QAction::triggered,
            this, [this] { ShowPreferences(); });
    connect(AddItem(options, "mnuOptionsWindow", "&Reset window size"), &QAction::triggered, this,
            [this] { ResetWindowSize(); });

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    connect(AddItem(help, "mnuHelpKorvel", "Korvel &Help"), &QAction::triggered, this,
            [this] { ShowHelp(1); });
    AddItem(help, "mnuHelpKeyboard", "&Keyboard Shortcuts");  // has no action
    help->addSeparator();
    connect(AddItem(help, "mnuHelpSystem", "&System Information"), &QAction::triggered, this, [] {
        AboutWindow about;
        about.StartSysInfo();
    });
    help->addSeparator();
    connect(AddItem(help, "mnuHelpVelmarOnWeb", "Velmar on the &Web"), &QAction::triggered, this,
            [this] { ShowHelp(5); });
    help->addSeparator();
    connect(AddItem(help, "mnuHelpAbout", "&About Korvel"), &QAction::triggered, this,
            [this] { ShowAbout(); });
}

void MainWindow::BuildListBar()
{
    const int barWidth = TwipsToPixels(kListBarWidthTwips);
    listBar_->setFixedWidth(barWidth);
    listBar_->setVisible(true);
    SetBackground(listBar_, kListBarGrey);
    auto* style = new ListBarStyle;
    style->setParent(listBar_);
    listBar_->setStyle(style);
    QFont titleFont = listBar_->font();
    titleFont.setPointSizeF(7.5);
    listBar_->setFont(titleFont);
    if (listBar_->layout())
        listBar_->layout()->setSpacing(0);

    // The bar's picture sits behind the icons of every group.
    QBrush listBack(kListBarGrey);
    const QPixmap backdrop = ProgramPicture("velmarblue.bmp");
    if (backdrop.isNull())
        loadError_ = "Error Mn01 -" + QString::number(53) + "  File not found: velmarblue.bmp";
    else
        listBack = QBrush(backdrop);

    // The start-up flag is set before the groups go in: adding the first group opens it, and
    // that first opening is not a change the user made.
    startingUp_ = true;
    connect(listBar_, &QToolBox::currentChanged, this, &MainWindow::OnGroupChanged);

    for (const CatalogueGroup& group : Catalogue()) {
        auto* list = new QListWidget(listBar_);
        list->setObjectName(group.key);
        list->setViewMode(QListView::IconMode);
        list->setFlow(QListView::TopToBottom);
        list->setWrapping(false);
        list->setMovement(QListView::Static);
        list->setResizeMode(QListView::Adjust);
        list->setWordWrap(true);
        list->setTextElideMode(Qt::ElideNone);
        list->setIconSize(QSize(32, 32));
        list->setGridSize(QSize(barWidth - 8, 64));
        list->setSpacing(0);
        list->setFrameShape(QFrame::NoFrame);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setFocusPolicy(Qt::NoFocus);
        list->setStyle(style);
        list->verticalScrollBar()->setStyle(style);
        QPalette palette = list->palette();
        palette.setBrush(QPalette::Base, listBack);
        // White captions on the bar's picture, dark ones on its plain grey.
        palette.setColor(QPalette::Text, listBack.texture().isNull() ? InkOn(kListBarGrey) : QColor(Qt::white));
        list->setPalette(palette);
        QFont itemFont = list->font();
        itemFont.setPointSizeF(7.5);
        list->setFont(itemFont);
        for (const CatalogueEntry& entry : group.entries) {
            auto* item = new QListWidgetItem(ProgramIcon("icons/" + entry.icon + ".svg"), entry.caption);
            item->setSizeHint(list->gridSize());  // icon and caption centred in the bar
            item->setData(Qt::UserRole, entry.key);
            item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
            item->setToolTip(entry.caption.simplified());
            list->addItem(item);
        }
        connect(list, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            OpenCatalogueEntry(item->data(Qt::UserRole).toString());
        });
        listBar_->addItem(list, group.caption);
    }
    // A widget's style does not pass to its children: the group title buttons take it here.
    for (QAbstractButton* title : listBar_->findChildren<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly))
        title->setStyle(style);
}

void MainWindow::InitialiseSettings()
{
    ResetSettings();
    // The separator the locale writes in 0.1, and the one between its thousands.
    const QString tenth = QLocale().toString(0.1, 'f', 1);
    Settings().decimalSeparator = tenth.mid(1, 1).toStdString();
    Settings().groupSeparator = QLocale().groupSeparator().toStdString();
    InitWebLink();
    Settings().webAddress = MakerWebPage().toStdString();
}

void MainWindow::StartWithSplash()
{
    hide();
    splash_ = new SplashWindow;
    splash_->SetStartupText("Loading . . . .");
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        splash_->move(screen->availableGeometry().center() - splash_->rect().center());
    splash_->show();
    tmrSplash_->setInterval(kSplashStageMs);
    tmrSplash_->start();
}

void MainWindow::StartAtOnce()
{
    tmrSplash_->stop();
    LoadingDone();
}

void MainWindow::SplashStage()
{
    if (splash_)
        splash_->SetStartupText("Initializing calculations ....");
    tmrSplash_->stop();
    tmrLoading_->setInterval(kSplashStageMs);
    tmrLoading_->start();
}

void MainWindow::LoadingDone()
{
    show();
    if (!mainMenu_) {
        auto* page = new MainMenuPage;
        mainMenu_ = mdi_->addSubWindow(page, Qt::FramelessWindowHint);
        mainMenu_->setAttribute(Qt::WA_DeleteOnClose, false);
    }
    mainMenu_->showMaximized();
    mainMenu_->widget()->setFocus(Qt::OtherFocusReason);
    if (splash_)
        splash_->close();
    tmrLoading_->stop();
}

// ---- Children -----------------------------------------------------------------------------

QMdiSubWindow* MainWindow::SubWindowOf(const QString& name) const
{
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->widget() && sub->widget()->objectName() == name)
            return sub;
    return nullptr;
}

QMdiSubWindow* MainWindow::SubWindowContaining(QWidget* widget) const
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w); sub && sub->mdiArea() == mdi_)
            return sub;
    return nullptr;
}

QWidget* MainWindow::ChildWindow(const QString& name) const
{
    QMdiSubWindow* sub = SubWindowOf(name);
    return sub ? sub->widget() : nullptr;
}

QMdiSubWindow* MainWindow::LoadChild(const QString& className)
{
    QMdiSubWindow* sub = SubWindowOf(className);
    if (!sub) {
        QWidget* window = CreateWindow(className, mdi_);
        if (!window)
            return nullptr;
        if (window->objectName().isEmpty())
            window->setObjectName(className);
        sub = mdi_->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(window->windowTitle());
        sub->setWindowIcon(windowIcon());
        sub->installEventFilter(this);
        sub->adjustSize();
        sub->setProperty("fittedHint", sub->sizeHint());
        sub->move(0, 0);
    }
    sub->show();
    sub->raise();
    mdi_->setActiveSubWindow(sub);
    UpdateMenuBar();
    return sub;
}

void MainWindow::UpdateMenuBar()
{
    // As in any multiple-document program, a child window with menus of its own shows them in
    // place of the main window's; the catalogue page and the maker pages have none.
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    const bool childMenus = sub && !sub->isHidden() && sub->widget() && sub->widget()->findChild<QMenuBar*>();
    menuBar()->setVisible(!childMenus);
}

void MainWindow::UnloadChild(QMdiSubWindow* sub)
{
    if (!sub || sub == mainMenu_ || !mdi_->subWindowList().contains(sub))
        return;
    sub->removeEventFilter(this);
    sub->hide();
    // Out of the area at once, so that the window is gone for anyone looking it up; the object
    // itself goes when control returns to the event loop (its own handler may still be running).
    mdi_->removeSubWindow(sub);
    sub->deleteLater();
}

void MainWindow::UnloadChild(const QString& name) { UnloadChild(SubWindowOf(name)); }

void MainWindow::HideChild(const QString& name)
{
    if (QMdiSubWindow* sub = SubWindowOf(name))
        sub->hide();
}

void MainWindow::UnloadOtherCalculators(const QString& keep)
{
    const bool keepSpcs = SpcsPages().contains(keep);
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        const QString name = sub->widget() ? sub->widget()->objectName() : QString();
        if (name == keep || IsPage(name) || (keepSpcs && SpcsPages().contains(name)))
            continue;
        UnloadChild(sub);
    }
}

bool MainWindow::OpenCatalogueEntry(const QString& key)
{
    const CatalogueEntry* entry = FindCatalogueEntry(key);
    if (!entry)
        return false;
    const QString& cls = entry->windowClass;
    if (!HasWindow(cls))
        return true;  // a known entry whose window is not part of this build does nothing

    const CatalogueGroup* group = GroupOfEntry(entry);
    if (group && group->key == kMakerGroupKey) {
        if (cls == "frmBrowser")
            for (const QString& page : BrowserSubPages())
                HideChild(page);
        if (!LoadChild(cls))
            return true;
        if (mainMenu_)
            mainMenu_->hide();
        for (const QString& page : MakerPages())
            if (page != cls) {
                UnloadChild(page);
                if (page == "frmBrowser")
                    for (const QString& sub : BrowserSubPages())
                        UnloadChild(sub);
            }
        return true;
    }

    // A calculator replaces whatever calculator was open before it.
    UnloadOtherCalculators(cls);
    if (cls == "frmSPCS1")
        for (const char* page : {"frmSPCS2", "frmSPCS3", "frmSPCS5"})
            HideChild(page);
    QMdiSubWindow* sub = LoadChild(cls);
    if (!sub)
        return true;
    lastCalculator_ = sub;
    for (const char* page : {"frmDorritwell", "frmDorritcontacts", "frmBrowser", "frmKorvelinfo"})
        UnloadChild(page);
    for (const QString& page : BrowserSubPages())
        UnloadChild(page);
    listBar_->hide();
    if (mainMenu_)
        mainMenu_->hide();
    FitToChild(sub);
    return true;
}

void MainWindow::FitToChild(QMdiSubWindow* sub)
{
    // A calculator larger than the area it opens in would be cut off at the right or the
    // bottom: the main window grows to show it whole, as far as the screen allows, and moves
    // back onto the screen if growing pushed it over an edge. A maximized or full-screen main
    // window is left as the user set it.
    if (QLayout* layout = centralWidget()->layout())
        layout->activate();
    QSize area = mdi_->viewport()->size();
    const QSize grow(std::max(0, sub->width() - area.width()), std::max(0, sub->height() - area.height()));
    if (!grow.isNull() && !isMaximized() && !isFullScreen() && !isMinimized()) {
        const QSize frame = frameGeometry().size() - size();
        QSize want = size() + grow;
        const QScreen* s = screen();
        if (s)
            want = want.boundedTo(s->availableGeometry().size() - frame);
        resize(want);
        if (s) {
            const QRect screenArea = s->availableGeometry();
            QRect outer(frameGeometry().topLeft(), want + frame);
            outer.moveRight(std::min(outer.right(), screenArea.right()));
            outer.moveBottom(std::min(outer.bottom(), screenArea.bottom()));
            outer.moveLeft(std::max(outer.left(), screenArea.left()));
            outer.moveTop(std::max(outer.top(), screenArea.top()));
            move(outer.topLeft());
        }
        if (QLayout* layout = centralWidget()->layout())
            layout->activate();
        area = mdi_->viewport()->size();
    }
    // Still too large (a small screen): a calculator whose form scrolls gives up the room its
    // form can spare, so that its menus, status and Main Menu button stay in view; any other
    // scrolls inside the area.
    const QSize fitted = sub->size().boundedTo(area).expandedTo(sub->minimumSizeHint());
    if (fitted != sub->size())
        sub->resize(fitted);
}

void MainWindow::GrowChild(QMdiSubWindow* sub)
{
    if (sub == mainMenu_ || !sub->isVisible() || sub->isMaximized() || sub->isMinimized())
        return;
    // Only a grown request counts: a window the user made smaller stays so until its contents
    // ask for more than before.
    const QSize hint = sub->sizeHint();
    const QSize before = sub->property("fittedHint").toSize();
    sub->setProperty("fittedHint", hint);
    if (hint.width() <= before.width() && hint.height() <= before.height())
        return;
    const QSize want = sub->size().expandedTo(hint);
    if (want == sub->size())
        return;
    sub->resize(want);
    FitToChild(sub);
}

void MainWindow::ShowCatalogue()
{
    listBar_->setVisible(true);
    if (mainMenu_) {
        mainMenu_->showMaximized();
        mainMenu_->lower();
        mainMenu_->widget()->setFocus(Qt::OtherFocusReason);
    }
    UpdateMenuBar();
}

void MainWindow::ReturnToCatalogue(QWidget* calculator)
{
    if (QMdiSubWindow* sub = SubWindowContaining(calculator)) {
        const QString name = sub->widget() ? sub->widget()->objectName() : QString();
        // The SPCS pages are one sequence: leaving any of them leaves them all.
        if (SpcsPages().contains(name))
            for (const QString& page : SpcsPages())
                UnloadChild(page);
        UnloadChild(sub);
    }
    ShowCatalogue();
}

void MainWindow::ArmWebLinkTimer()
{
    tmrSpam_->stop();
    tmrSpam_->setInterval(int(Settings().webLink.intervalMs));
    tmrSpam_->start();
}

void MainWindow::RevealWebLink()
{
    QMdiSubWindow* sub = mdi_->currentSubWindow();
    if (!sub)
        sub = lastCalculator_;
    if (sub && sub->isVisible() && sub->widget()) {
        for (const char* name : {"picWeb", "lblWeb"})
            if (auto* w = sub->widget()->findChild<QWidget*>(name))
                w->setVisible(true);
    }
    tmrSpam_->stop();
}

void MainWindow::ShowPreferences() { ShowPreferencesWindow(this); }

void MainWindow::ShowAbout() { ShowAboutBox("About Korvel", "Korvel for Windows"); }

void MainWindow::ShowHelp(int topic) { ShowHelpTopic(topic); }

void MainWindow::ResetWindowSize()
{
    showNormal();
    resize(TwipsToPixels(kResetWidthTwips), TwipsToPixels(kResetHeightTwips));
}

void MainWindow::ExitProgram()
{
    close();
    QCoreApplication::quit();
}

QIcon MainWindow::StatusImage(const QString& key) const
{
    auto it = statusImages_.constFind(key);
    if (it != statusImages_.constEnd())
        return *it;
    const QIcon icon = ProgramIcon("status/" + key + ".svg");
    statusImages_.insert(key, icon);
    return icon;
}

void MainWindow::OnGroupChanged(int index)
{
    const int group = index + 1;
    if (GroupChangeWhooshes(group, currentGroup_, startingUp_))
        PlaySound("whoosh.wav");
    currentGroup_ = group;
    startingUp_ = false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest)
        if (auto* sub = qobject_cast<QMdiSubWindow*>(watched))
            GrowChild(sub);
    // A child closed from its own title bar: when nothing is left in view, the catalogue
    // comes back rather than leaving an empty window.
    if (event->type() == QEvent::Close) {
        QTimer::singleShot(0, this, [this] {
            for (QMdiSubWindow* sub : mdi_->subWindowList())
                if (sub->isVisible())
                    return;
            ShowCatalogue();
        });
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        ShowHelp(helpContext_);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != this && top->isVisible())
            top->close();
    event->accept();
}

} // namespace korvel::ui
