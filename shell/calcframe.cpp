#include "calcframe.h"

#include "host.h"
#include "services.h"
#include "statusbar.h"
#include "uihooks.h"
#include "unitselector.h"

#include "core/settings.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvel::ui {
namespace {

QColor FromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

// The Main Menu button keeps this gap to the right edge of the window (180 twips).
constexpr int kMainMenuRightGapPx = 12;

} // namespace

CalcFrame::CalcFrame(const Identity& identity, QWidget* parent) : QWidget(parent), helpTopic_(identity.helpTopic)
{
    setObjectName(identity.objectName);
    setWindowTitle(identity.caption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    menuBar_ = new QMenuBar(this);
    layout->setMenuBar(menuBar_);
    BuildMenus(identity);

    body_ = new QWidget(this);
    body_->setObjectName("body");
    layout->addWidget(body_, 1);

    // The bottom rows: the web link centred, the Main Menu button at the bottom right. The
    // link keeps its row while hidden so that nothing moves when it appears.
    auto* bottom = new QWidget(this);
    auto* grid = new QGridLayout(bottom);
    grid->setContentsMargins(8, 0, kMainMenuRightGapPx, 6);
    grid->setVerticalSpacing(4);
    BuildWebLink();
    picWeb_->setParent(bottom);
    cmdReturnMainMenu_ = new QPushButton("Main Menu [F8]", bottom);
    cmdReturnMainMenu_->setObjectName("cmdReturnMainMenu");
    cmdReturnMainMenu_->setAutoDefault(false);
    connect(cmdReturnMainMenu_, &QPushButton::clicked, this, &CalcFrame::ReturnToMainMenu);
    grid->addWidget(picWeb_, 0, 0, Qt::AlignHCenter | Qt::AlignVCenter);
    grid->setRowMinimumHeight(0, picWeb_->sizeHint().height());
    grid->addWidget(cmdReturnMainMenu_, 1, 0, Qt::AlignRight | Qt::AlignBottom);
    layout->addWidget(bottom);

    status_ = new StatusBar(this);
    layout->addWidget(status_);

    if (Host())
        Host()->ArmWebLinkTimer();
}

void CalcFrame::BuildMenus(const Identity& identity)
{
    fileMenu_ = menuBar_->addMenu("&File");
    fileMenu_->setObjectName("mnuFile");
    fileReturn_ = AddItem(fileMenu_, "&Return to Main Menu", "menFileReturn", &CalcFrame::ReturnToMainMenu);
    fileMenu_->addSeparator();
    AddItem(fileMenu_, "E&xit Korvel", "menFileExitProgram", [] {
        if (Host())
            Host()->ExitProgram();
    });

    optionsMenu_ = menuBar_->addMenu("&Options");
    optionsMenu_->setObjectName("mnuOptions");
    AddItem(optionsMenu_, "&Reset window size", "mnuOptionsWindow", [] {
        if (Host())
            Host()->ResetWindowSize();
    });
    AddItem(optionsMenu_, "&Preferences ...", "mnuCustomizePreferences", [] {
        if (Host())
            Host()->ShowPreferences();
    });

    helpMenu_ = menuBar_->addMenu("&Help");
    helpMenu_->setObjectName("mnuHelp");
    if (!identity.helpCaption.isEmpty())
        AddItem(helpMenu_, identity.helpCaption, "mnuHelpWindow", &CalcFrame::ShowHelp);
    helpSeparator_ = helpMenu_->addSeparator();
    AddItem(helpMenu_, "&About Korvel", "menHelpAbout", [] {
        if (Host())
            Host()->ShowAbout();
    });
}

QMenu* CalcFrame::AddMenu(const QString& title, const QString& objectName)
{
    auto* menu = new QMenu(title, menuBar_);
    menu->setObjectName(objectName);
    menuBar_->insertMenu(optionsMenu_->menuAction(), menu);
    return menu;
}

QAction* CalcFrame::AddItem(QMenu* menu, const QString& caption, const QString& objectName)
{
    auto* action = new QAction(caption, menu);
    action->setObjectName(objectName);
    menu->addAction(action);
    return action;
}

QAction* CalcFrame::AddFileItem(const QString& caption, const QString& objectName)
{
    auto* action = new QAction(caption, fileMenu_);
    action->setObjectName(objectName);
    fileMenu_->insertAction(fileReturn_, action);
    return action;
}

QAction* CalcFrame::AddHelpItem(const QString& caption, const QString& objectName)
{
    auto* action = new QAction(caption, helpMenu_);
    action->setObjectName(objectName);
    helpMenu_->insertAction(helpSeparator_, action);
    return action;
}

void CalcFrame::BuildWebLink()
{
    const WebLinkSettings& link = Settings().webLink;
    picWeb_ = new QFrame(this);
    picWeb_->setObjectName("picWeb");
    picWeb_->setAutoFillBackground(true);
    QPalette pal = picWeb_->palette();
    pal.setColor(QPalette::Window, FromBgr(link.pictureColour));
    picWeb_->setPalette(pal);
    picWeb_->setCursor(ProgramCursor("0rcvr1.ico"));
    auto* row = new QHBoxLayout(picWeb_);
    row->setContentsMargins(6, 2, 6, 2);
    lblWeb_ = new QLabel(QString::fromStdString(link.caption), picWeb_);
    lblWeb_->setObjectName("lblWeb");
    lblWeb_->setTextFormat(Qt::PlainText);
    QPalette lpal = lblWeb_->palette();
    lpal.setColor(QPalette::WindowText, FromBgr(link.labelColour));
    lblWeb_->setPalette(lpal);
    lblWeb_->setCursor(LinkCursor());
    row->addWidget(lblWeb_);
    picWeb_->installEventFilter(this);
    lblWeb_->installEventFilter(this);
    // Hidden at load; the main window's timer reveals the link a moment later.
    picWeb_->hide();
    lblWeb_->hide();
}

bool CalcFrame::WebLinkVisible() const
{
    return picWeb_->isVisibleTo(this) && lblWeb_->isVisibleTo(this);
}

void CalcFrame::ShowWebLink(bool visible)
{
    picWeb_->setVisible(visible);
    lblWeb_->setVisible(visible);
}

void CalcFrame::ReturnToMainMenu()
{
    if (Host())
        Host()->ReturnToCatalogue(this);
}

void CalcFrame::ShowHelp()
{
    if (Host())
        Host()->ShowHelp(helpTopic_);
}

void CalcFrame::SetMainCalculateButton(QPushButton* button)
{
    mainCalculate_ = button;
    for (auto* selector : findChildren<UnitSelector*>())
        selector->SetFocusAfterClose(button);
}

void CalcFrame::AdoptSelector(UnitSelector* selector)
{
    selector->SetFocusAfterClose(mainCalculate_);
}

void CalcFrame::WhiteOnTyping(std::initializer_list<QLineEdit*> linked)
{
    const std::vector<QLineEdit*> boxes(linked);
    for (QLineEdit* box : boxes) {
        QObject::connect(box, &QLineEdit::textChanged, box, [boxes] {
            for (QLineEdit* other : boxes)
                SetFieldBackground(other, kFieldNormal);
        });
    }
}

void CalcFrame::BeginCalculation() { status_->ClearStatus(); }

bool CalcFrame::CheckInput(QLineEdit* field, double minimum, double maximum, bool zeroAllowed)
{
    if (!ValidateInput(field, false))
        return false;
    return CheckRange(FieldValue(field), minimum, maximum, zeroAllowed, field);
}

void CalcFrame::ShowNormalStatus()
{
    status_->SetStatus("Normal", "grn");
    ShowWebLink(true);
}

void CalcFrame::ShowWarning(const QString& text, bool severe)
{
    PlayWave("ding.wav");
    status_->SetStatus(text, severe ? "red" : "yel");
    ShowWebLink(false);
}

void CalcFrame::ShowFault(const QString& text)
{
    PlayWave("ding.wav");
    status_->SetStatus(text, "red");
    ShowWebLink(false);
}

void CalcFrame::showEvent(QShowEvent* event)
{
    InstallKeyPreview(this);
    QWidget::showEvent(event);
}

void CalcFrame::InstallKeyPreview(QObject* root)
{
    // Installing twice is harmless: Qt keeps one entry per filter object.
    root->installEventFilter(this);
    for (QObject* child : root->children())
        if (child->isWidgetType())
            InstallKeyPreview(child);
}

bool CalcFrame::PreviewKey(int key)
{
    switch (key) {
    case Qt::Key_F4: Calculate(); return true;
    case Qt::Key_F3: Calculate2(); return true;
    case Qt::Key_F8: ReturnToMainMenu(); return true;
    case Qt::Key_F1: ShowHelp(); return true;
    default: return false;
    }
}

bool CalcFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            // A key taken here must not also open a drop-down list (F4 does on some styles).
            if (PreviewKey(key->key()))
                return true;
        }
        break;
    }
    case QEvent::ChildAdded: {
        auto* added = static_cast<QChildEvent*>(event)->child();
        if (added->isWidgetType() && isVisible())
            InstallKeyPreview(added);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (watched == picWeb_ || watched == lblWeb_) {
            OpenDocument(this, QString::fromStdString(Settings().webAddress));
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace korvel::ui
