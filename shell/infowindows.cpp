#include "infowindows.h"

#include "host.h"
#include "registry.h"
#include "services.h"
#include "uihooks.h"
#include "core/version.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace korvel::ui {
namespace {

const QColor kPageBack(248, 248, 255);
const QColor kHeadingColour(0, 40, 110);

QLabel* Heading(const QString& text, QWidget* parent, int pointSize = 16)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName("lblHeading");
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QString("color: %1;").arg(kHeadingColour.name()));
    return label;
}

} // namespace

QString MakerWebPage(const QString& path) { return "https://www.velmar-rf.example.com/" + path; }

QString VersionText()
{
    return QString("%1.%2.%3").arg(KORVEL_VERSION_MAJOR).arg(KORVEL_VERSION_MINOR).arg(KORVEL_VERSION_PATCH);
}

// ---- LinkLabel ----------------------------------------------------------------------------

LinkLabel::LinkLabel(const QString& name, const QString& text, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setText(text);
    setStyleSheet("color: rgb(0, 0, 192); text-decoration: underline;");
    setCursor(LinkCursor());
    setWordWrap(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

// ---- frmSplash ----------------------------------------------------------------------------

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmSplash");
    setWindowTitle("Korvel");
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet("#frmSplash { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                  " stop:0 rgb(20, 50, 120), stop:1 rgb(5, 20, 60)); }"
                  "QLabel { color: white; }");
    setAttribute(Qt::WA_StyledBackground);

    auto* title = Heading("Korvel", this, 30);
    title->setStyleSheet("color: white;");
    auto* subtitle = new QLabel("RF and Microwave Design Calculators", this);
    subtitle->setObjectName("lblProductName");
    QFont f = subtitle->font();
    f.setPointSize(13);
    subtitle->setFont(f);
    auto* maker = new QLabel("Velmar RF Semiconductors", this);
    maker->setObjectName("lblCompany");
    auto* version = new QLabel("Version " + VersionText(), this);
    version->setObjectName("lblVersion");
    lblStartup_ = new QLabel(this);
    lblStartup_->setObjectName("lblStartup");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addSpacing(12);
    layout->addWidget(maker);
    layout->addStretch();
    layout->addWidget(version);
    layout->addWidget(lblStartup_);
    setFixedSize(440, 260);
}

void SplashWindow::SetStartupText(const QString& text) { lblStartup_->setText(text); }
QString SplashWindow::StartupText() const { return lblStartup_->text(); }

void SplashWindow::keyPressEvent(QKeyEvent*) { close(); }

// ---- frmAbout -----------------------------------------------------------------------------

AboutWindow::AboutWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmAbout");
    setWindowTitle("About Korvel");
    setAttribute(Qt::WA_DeleteOnClose);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName("picIcon");
    const QPixmap icon = ProgramPicture("korvel.png");
    if (!icon.isNull())
        picIcon->setPixmap(icon.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picIcon->setFixedSize(52, 52);

    auto* lblTitle = Heading("Korvel", this, 15);
    lblTitle->setObjectName("lblTitle");
    auto* lblVersion = new QLabel("Version: " + VersionText(), this);
    lblVersion->setObjectName("lblVersion");
    auto* lblDescription = new QLabel(
        "Design calculators for RF and microwave circuits: transmission lines, bias networks, "
        "detectors, cascades, intermodulation, mixer spurs and two-port S-parameters.",
        this);
    lblDescription->setObjectName("lblDescription");
    lblDescription->setWordWrap(true);
    auto* lblDisclaimer = new QLabel(
        "Results are design estimates; check them against measurement before committing a design.",
        this);
    lblDisclaimer->setObjectName("lblDisclaimer");
    lblDisclaimer->setWordWrap(true);

    auto* cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton("&System Info...", this);
    cmdSysInfo->setObjectName("cmdSysInfo");
    for (QPushButton* b : {cmdOK, cmdSysInfo})
        b->setMinimumWidth(110);
    connect(cmdOK, &QPushButton::clicked, this, [this, lblVersion, lblDescription] {
        lblVersion->clear();
        lblDescription->clear();
        close();
    });
    connect(cmdSysInfo, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(lblDescription);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setMinimumWidth(480);
    adjustSize();
}

void AboutWindow::SetTitle(const QString& title)
{
    if (auto* label = findChild<QLabel*>("lblTitle"))
        label->setText(title);
}

QStringList AboutWindow::SysInfoPrograms()
{
    return {"hardinfo", "gnome-system-monitor", "plasma-systemmonitor", "ksysguard", "lshw-gtk"};
}

std::pair<bool, QString> AboutWindow::GetKeyValue(const QString& rootKey, const QString& keyName,
                                                  const QString& valueName)
{
    if (valueName.isEmpty())
        return {false, {}};
    const QString folders = rootKey == "PATH" ? qEnvironmentVariable("PATH") : rootKey;
    for (const QString& folder : folders.split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        QStringList candidates;
        if (!keyName.isEmpty())
            candidates << QDir(folder).filePath(keyName + "/" + valueName);
        candidates << QDir(folder).filePath(valueName);
        for (const QString& candidate : candidates) {
            const QFileInfo info(candidate);
            if (info.isFile() && info.isExecutable())
                return {true, info.absoluteFilePath()};
        }
    }
    return {false, {}};
}

void AboutWindow::StartSysInfo()
{
    for (const QString& program : SysInfoPrograms()) {
        const auto [found, path] = GetKeyValue("PATH", {}, program);
        if (found && QFileInfo::exists(path) && StartProgram(path))
            return;
    }
    ShowMessageBox(this, {}, "System Information Is Unavailable At This Time", MsgIcon::None,
                   Buttons::Ok);
}

AboutWindow* ShowAboutBox(const QString& caption, const QString& title)
{
    static QPointer<AboutWindow> about;
    if (!about)
        about = new AboutWindow(Host() ? Host()->MainWidget() : nullptr);
    about->setWindowTitle(caption);
    about->SetTitle(title);
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

// ---- frmCredits ---------------------------------------------------------------------------

CreditsWindow::CreditsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmCredits");
    setWindowTitle("Credits");
    setAttribute(Qt::WA_DeleteOnClose);
    SetBackground(this, kPageBack);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Heading("Korvel Credits", this));
    auto* text = new QLabel(
        "Design, formulas and windows: the Korvel team at Velmar RF Semiconductors.\n"
        "Transmission-line models after the classic published closed-form expressions.\n"
        "Thanks to the applications engineers who checked the numbers against the bench.\n\n"
        "Press any key or click to close.",
        this);
    text->setObjectName("lblCredits");
    text->setWordWrap(true);
    layout->addWidget(text);
    setMinimumWidth(420);
    adjustSize();
}

void CreditsWindow::keyPressEvent(QKeyEvent*) { close(); }
void CreditsWindow::mousePressEvent(QMouseEvent*) { close(); }

CreditsWindow* ShowCredits(QWidget* parent)
{
    auto* credits = new CreditsWindow(parent);
    credits->show();
    return credits;
}

// ---- frmInfo ------------------------------------------------------------------------------

InfoWindow::InfoWindow(const QString& text, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmInfo");
    setWindowTitle("Korvel");
    setAttribute(Qt::WA_DeleteOnClose);
    lblInfo_ = new QLabel(text, this);
    lblInfo_->setObjectName("lblInfo");
    lblInfo_->setWordWrap(true);
    auto* cmdClose = new QPushButton("&Close", this);
    cmdClose->setObjectName("cmdClose");
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo_);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void InfoWindow::SetText(const QString& text) { lblInfo_->setText(text); }

// ---- frmSensColor -------------------------------------------------------------------------

namespace {
constexpr std::array<float, 6> kIntensities = {0.0f, 0.2f, 0.4f, 0.5f, 0.6f, 1.0f};
}

float& SensitivityColourIntensity()
{
    static float intensity = 0.4f;
    return intensity;
}

float SensColorWindow::IntensityOfOption(int index) { return kIntensities.at(std::size_t(index)); }

SensColorWindow::SensColorWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmSensColor");
    setWindowTitle("Sensitivity Color");

    auto* label = new QLabel("Set color level for sensitivity analysis:", this);
    label->setObjectName("Label1");
    auto* frame = new QGroupBox("Select Intensity ", this);
    frame->setObjectName("Frame1");
    const char* captions[] = {"0%  (no color)", "20%", "40%  (default)", "60%", "80%", "100%"};
    auto* options = new QVBoxLayout(frame);
    for (int i = 0; i < 6; ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(QString("optColor(%1)").arg(i));
        option->setChecked(i == 2);
        connect(option, &QRadioButton::clicked, this,
                [i] { SensitivityColourIntensity() = kIntensities[std::size_t(i)]; });
        options->addWidget(option);
    }

    auto* command1 = new QPushButton("Set and &Return", this);
    command1->setObjectName("Command1");
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, [this] {
        hide();
        if (recalculate_)
            recalculate_();
    });
    auto* command2 = new QPushButton("&Cancel", this);
    command2->setObjectName("Command2");
    connect(command2, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1);
    buttons->addWidget(command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    adjustSize();
}

// ---- Pages --------------------------------------------------------------------------------

InfoPage::InfoPage(const QString& name, const QString& caption, const QString& heading,
                   QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    SetBackground(this, kPageBack);
    body_ = new QVBoxLayout(this);
    body_->setContentsMargins(24, 18, 24, 18);
    body_->setSpacing(8);
    body_->addWidget(Heading(heading, this));
    setMinimumSize(520, 380);
}

QLabel* InfoPage::AddText(const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);
    body_->addWidget(label);
    return label;
}

LinkLabel* InfoPage::AddLink(const QString& name, const QString& text, const QString& target)
{
    auto* link = new LinkLabel(name, text, this);
    connect(link, &LinkLabel::clicked, this, [this, target] { OpenDocument(this, target); });
    body_->addWidget(link);
    return link;
}

LinkLabel* InfoPage::AddPageLink(const QString& name, const QString& text, const QString& page)
{
    auto* link = new LinkLabel(name, text, this);
    connect(link, &LinkLabel::clicked, this, [this, page] { OpenSiblingPage(this, page, false); });
    body_->addWidget(link);
    return link;
}

void InfoPage::AddStretch() { body_->addStretch(); }

namespace {

class KorvelInfoPage : public InfoPage {
public:
    explicit KorvelInfoPage(QWidget* parent)
        : InfoPage("frmKorvelinfo", "About Korvel", "About Korvel", parent)
    {
        AddText("Korvel collects the calculators an RF and microwave designer reaches for every "
                "day: line impedances, bias networks, detectors, cascades, intermodulation, "
                "mixer spurs and S-parameter analysis, each in its own window.");
        AddText("Every calculator checks its inputs before it computes and tells you in its "
                "status bar whether the result lies where its model is accurate.");
        AddText("Version " + VersionText());
        AddLink("lblKorvelWeb", "Korvel on the web", MakerWebPage("korvel/"));
        AddLink("lblAuthorWeb", "The author's page", MakerWebPage("korvel/author.html"));
        AddLink("lblMail", "Write to the Korvel team", "mailto:korvel@velmar-rf.example.com");
        AddStretch();
    }
};

class DorritwellPage : public InfoPage {
public:
    explicit DorritwellPage(QWidget* parent)
        : InfoPage("frmDorritwell", "Velmar RF Semiconductors", "Velmar RF Semiconductors", parent)
    {
        AddText("Velmar designs and builds RF and microwave semiconductors: low-noise and "
                "medium-power transistors, gain blocks, Schottky and PIN diodes, mixers and "
                "RFIC amplifiers from a few megahertz to the millimetre-wave bands.");
        AddText("Data sheets, S-parameters, device models and application notes for every "
                "product are on the Velmar web site.");
        AddLink("lblProducts", "Velmar products on the web", MakerWebPage("products/"));
        AddStretch();
    }
};

class DorritcontactsPage : public InfoPage {
public:
    explicit DorritcontactsPage(QWidget* parent)
        : InfoPage("frmDorritcontacts", "Contacting Velmar", "Contacting Velmar", parent)
    {
        AddText("Velmar RF Semiconductors\nApplications Engineering\n1200 Harbour Road\n"
                "Port Elmsley");
        AddText("Samples, price and delivery: through your local Velmar sales office or "
                "distributor.\nDesign questions: through the applications engineers on the "
                "RF web pages.");
        AddLink("lblRFWeb", "Velmar RF on the web", MakerWebPage("rf/"));
        AddStretch();
    }
};

class TolvanePage : public InfoPage {
public:
    explicit TolvanePage(QWidget* parent)
        : InfoPage("frmTolvane", "Tolvane Guide", "Tolvane Guide", parent)
    {
        AddText("The Tolvane Guide is Velmar's selection guide to its RF product lines, with "
                "key parameters, packages and application circuits.");
        auto* guide = new LinkLabel("lblGuide", "Open the Tolvane Guide (PDF)", this);
        connect(guide, &LinkLabel::clicked, this, [this] { OpenGuide(); });
        Body()->addWidget(guide);
        AddText("Reading the guide needs a PDF reader.");
        AddLink("lblReader", "Get a PDF reader", MakerWebPage("tolvane/reader.html"));
        AddStretch();
    }

private:
    void OpenGuide()
    {
        const QString path = ProgramFile("TolvaneGuide.pdf");
        if (QFileInfo::exists(path) && OpenTarget(path))
            return;
        ShowMessageBox(this, {},
                       QString("Error") + QString::fromUtf8(" not able to open Adobe® Acrobat® or PDF file is missing. "),
                       MsgIcon::Exclamation, Buttons::Ok);
    }
};

class BrowserPage : public InfoPage {
public:
    explicit BrowserPage(QWidget* parent)
        : InfoPage("frmBrowser", "Design Data on the Web", "Design Data on the Web", parent)
    {
        AddText("Velmar publishes the design data behind its products on its web site. "
                "Choose a topic:");
        AddPageLink("lblCategories", "Product categories", "frmBrowser1");
        AddPageLink("lblLiterature", "Application and reliability literature", "frmBrowser2");
        AddPageLink("lblModels", "Device models", "frmBrowser3");
        AddLink("lblFolders", "Design folders", MakerWebPage("design-folders/"));
        AddStretch();
    }
};

class BrowserSubPage : public InfoPage {
public:
    BrowserSubPage(const QString& name, const QString& heading,
                   const std::vector<std::array<QString, 3>>& links, QWidget* parent)
        : InfoPage(name, heading, heading, parent)
    {
        for (const auto& [label, text, path] : links)
            AddLink(label, text, MakerWebPage(path));
        AddStretch();
    }
};

QWidget* MakeBrowser1(QWidget* parent)
{
    return new BrowserSubPage("frmBrowser1", "Product Categories",
                              {{"lblAmplifiers", "Amplifiers and gain blocks", "products/amplifiers/"},
                               {"lblTransistors", "Bipolar and FET transistors", "products/transistors/"},
                               {"lblDiodes", "Schottky and PIN diodes", "products/diodes/"},
                               {"lblMixers", "Mixers and detectors", "products/mixers/"},
                               {"lblRFIC", "RFIC amplifiers", "products/rfic/"}},
                              parent);
}

QWidget* MakeBrowser2(QWidget* parent)
{
    return new BrowserSubPage("frmBrowser2", "Application and Reliability Literature",
                              {{"lblAppNotes", "Application notes", "literature/appnotes/"},
                               {"lblReliability", "Reliability reports", "literature/reliability/"},
                               {"lblDesignTips", "Design tips", "literature/tips/"}},
                              parent);
}

QWidget* MakeBrowser3(QWidget* parent)
{
    return new BrowserSubPage("frmBrowser3", "Device Models",
                              {{"lblSParameters", "S-parameters", "models/s-parameters/"},
                               {"lblEquivalent", "Equivalent-circuit models", "models/equivalent/"},
                               {"lblSpice", "Spice models", "models/spice/"},
                               {"lblSimulator", "Simulator libraries", "models/libraries/"}},
                              parent);
}

// The SPCS pages: a short sequence the user leafs through, with the calculators' way back.
class SpcsPage : public QMainWindow {
public:
    SpcsPage(int number, const QString& heading, const QStringList& paragraphs, QWidget* parent)
        : QMainWindow(parent), number_(number)
    {
        setObjectName(QString("frmSPCS%1").arg(number));
        setWindowTitle("SPCS - " + heading);

        QMenu* file = menuBar()->addMenu("&File");
        file->setObjectName("menFile");
        QAction* ret = file->addAction("&Return to Main Menu");
        ret->setObjectName("menFileReturn");
        connect(ret, &QAction::triggered, this, [this] { BackToCatalogue(); });
        file->addSeparator();
        QAction* exit = file->addAction("E&xit");
        exit->setObjectName("menFileExit");
        connect(exit, &QAction::triggered, this, [] {
            if (Host())
                Host()->ExitProgram();
        });
        QMenu* help = menuBar()->addMenu("&Help");
        help->setObjectName("menHelp");
        QAction* about = help->addAction("&About");
        about->setObjectName("menHelpAbout");
        connect(about, &QAction::triggered, this,
                [] { ShowAboutBox("About SPCS", "Semiconductor Product Care Services"); });

        auto* central = new QWidget(this);
        SetBackground(central, kPageBack);
        auto* layout = new QVBoxLayout(central);
        layout->setContentsMargins(24, 18, 24, 12);
        layout->addWidget(Heading(heading, central));
        for (const QString& text : paragraphs) {
            auto* label = new QLabel(text, central);
            label->setWordWrap(true);
            layout->addWidget(label);
        }
        layout->addStretch();

        auto* cmdBack = new QPushButton("< &Back", central);
        cmdBack->setObjectName("cmdBack");
        cmdBack->setEnabled(Previous() != 0);
        connect(cmdBack, &QPushButton::clicked, this, [this] { Leaf(Previous()); });
        auto* cmdNext = new QPushButton("&Next >", central);
        cmdNext->setObjectName("cmdNext");
        cmdNext->setEnabled(Next() != 0);
        connect(cmdNext, &QPushButton::clicked, this, [this] { Leaf(Next()); });
        auto* cmdReturn = new QPushButton("Main Menu [F8]", central);
        cmdReturn->setObjectName("cmdReturnMainMenu");
        connect(cmdReturn, &QPushButton::clicked, this, [this] { BackToCatalogue(); });
        for (QPushButton* b : {cmdBack, cmdNext, cmdReturn})
            b->setMinimumWidth(110);
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(cmdBack);
        buttons->addWidget(cmdNext);
        buttons->addStretch();
        buttons->addWidget(cmdReturn);
        layout->addLayout(buttons);
        setCentralWidget(central);

        auto* f8 = new QAction(this);
        f8->setShortcut(Qt::Key_F8);
        f8->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(f8, &QAction::triggered, this, [this] { BackToCatalogue(); });
        addAction(f8);
        setMinimumSize(540, 400);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_F8) {
            BackToCatalogue();
            return;
        }
        QMainWindow::keyPressEvent(event);
    }

private:
    static constexpr std::array<int, 4> kSequence = {1, 2, 3, 5};
    int Neighbour(int step) const
    {
        for (std::size_t i = 0; i < kSequence.size(); ++i)
            if (kSequence[i] == number_) {
                const auto j = std::ptrdiff_t(i) + step;
                return j >= 0 && j < std::ptrdiff_t(kSequence.size()) ? kSequence[std::size_t(j)] : 0;
            }
        return 0;
    }
    int Previous() const { return Neighbour(-1); }
    int Next() const { return Neighbour(+1); }
    void Leaf(int page)
    {
        if (page != 0)
            OpenSiblingPage(this, QString("frmSPCS%1").arg(page), true);
    }
    void BackToCatalogue()
    {
        if (Host())
            Host()->ReturnToCatalogue(this);
    }

    int number_;
};

} // namespace

QWidget* OpenSiblingPage(QWidget* from, const QString& className, bool replace)
{
    QMdiArea* area = nullptr;
    QMdiSubWindow* fromSub = nullptr;
    for (QWidget* w = from; w && !area; w = w->parentWidget()) {
        if (!fromSub)
            fromSub = qobject_cast<QMdiSubWindow*>(w);
        area = qobject_cast<QMdiArea*>(w);
    }
    if (!area) {
        // Not inside the main window (a page shown on its own): the page becomes a window.
        QWidget* page = CreateWindow(className, nullptr);
        if (page) {
            page->setAttribute(Qt::WA_DeleteOnClose);
            page->show();
            if (replace && from)
                from->window()->hide();
        }
        return page;
    }
    QMdiSubWindow* sub = nullptr;
    for (QMdiSubWindow* s : area->subWindowList())
        if (s->widget() && s->widget()->objectName() == className)
            sub = s;
    if (!sub) {
        QWidget* page = CreateWindow(className, area);
        if (!page)
            return nullptr;
        sub = area->addSubWindow(page);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowTitle(page->windowTitle());
        sub->adjustSize();
        if (fromSub)
            sub->move(replace ? fromSub->pos() : fromSub->pos() + QPoint(24, 24));
    }
    if (replace && fromSub)
        fromSub->hide();
    sub->show();
    sub->raise();
    area->setActiveSubWindow(sub);
    return sub->widget();
}

void RegisterInfoWindows()
{
    RegisterWindow("frmKorvelinfo", [](QWidget* p) { return new KorvelInfoPage(p); });
    RegisterWindow("frmDorritwell", [](QWidget* p) { return new DorritwellPage(p); });
    RegisterWindow("frmDorritcontacts", [](QWidget* p) { return new DorritcontactsPage(p); });
    RegisterWindow("frmTolvane", [](QWidget* p) { return new TolvanePage(p); });
    RegisterWindow("frmBrowser", [](QWidget* p) { return new BrowserPage(p); });
    RegisterWindow("frmBrowser1", MakeBrowser1);
    RegisterWindow("frmBrowser2", MakeBrowser2);
    RegisterWindow("frmBrowser3", MakeBrowser3);
    RegisterWindow("frmSPCS1", [](QWidget* p) -> QWidget* {
        return new SpcsPage(1, "Semiconductor Product Care Services",
                            {"SPCS is Velmar's programme of care for the semiconductors in your "
                             "products, from the first sample to the last delivery.",
                             "The following pages describe what the programme covers: quality, "
                             "reliability and environmental compliance."},
                            p);
    });
    RegisterWindow("frmSPCS2", [](QWidget* p) -> QWidget* {
        return new SpcsPage(2, "Quality",
                            {"Every wafer lot is tested against its data-sheet limits; lot "
                             "records are kept for the life of the product.",
                             "Certificates of conformance come with every delivery on request."},
                            p);
    });
    RegisterWindow("frmSPCS3", [](QWidget* p) -> QWidget* {
        return new SpcsPage(3, "Reliability",
                            {"Device families are qualified by high-temperature operating life, "
                             "temperature cycling and humidity tests.",
                             "Failure rates and activation energies are published in the "
                             "reliability reports; the Device Thermal Calculator uses the same "
                             "junction-temperature reasoning."},
                            p);
    });
    RegisterWindow("frmSPCS5", [](QWidget* p) -> QWidget* {
        return new SpcsPage(5, "Environmental Compliance",
                            {"Packages are lead-free and meet the current restrictions on "
                             "hazardous substances.",
                             "Material declarations for each package are available from the "
                             "Velmar web site."},
                            p);
    });
}

} // namespace korvel::ui
