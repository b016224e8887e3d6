#include "helpviewer.h"

#include "services.h"
#include "uihooks.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace korvel::ui {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("frmHelpViewer");
    setWindowTitle("Korvel Help");
    setAttribute(Qt::WA_DeleteOnClose);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtHelp");
    browser_->setOpenLinks(false);  // help pages are followed here, web pages go to the browser
    browser_->setSearchPaths({ProgramFile("help")});
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpViewer::FollowLink);

    auto* back = new QPushButton("&Back", this);
    back->setObjectName("cmdBack");
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    auto* contents = new QPushButton("&Contents", this);
    contents->setObjectName("cmdContents");
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(1); });
    auto* close = new QPushButton("Close", this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
    resize(620, 520);
}

QString HelpViewer::TopicFile(int topic)
{
    return ProgramFile(QString("help/topic%1.html").arg(topic));
}

namespace {
std::function<void(int)>& HelpShownHook()
{
    static std::function<void(int)> hook;
    return hook;
}
} // namespace

void SetHelpShownHook(std::function<void(int topic)> hook) { HelpShownHook() = std::move(hook); }

void HelpViewer::ShowTopic(int topic)
{
    topic_ = topic;
    if (HelpShownHook())
        HelpShownHook()(topic);
    const QString file = TopicFile(topic);
    if (QFileInfo::exists(file)) {
        browser_->setSource(QUrl::fromLocalFile(file));
    } else {
        browser_->setHtml(QString("<h2>Help topic not available</h2>"
                                  "<p>Help topic %1 is not available in this installation.</p>")
                              .arg(topic));
    }
    setWindowTitle(browser_->documentTitle().isEmpty() ? QString("Korvel Help")
                                                       : "Korvel Help - " + browser_->documentTitle());
}

void HelpViewer::FollowLink(const QUrl& url)
{
    if (url.scheme() == "http" || url.scheme() == "https" || url.scheme() == "mailto") {
        OpenDocument(this, url.toString());
        return;
    }
    // Links between help pages name the page file ("topic24.html"); keep the topic in step.
    static const QRegularExpression topicPage("topic(\\d+)\\.html$");
    const auto match = topicPage.match(url.path());
    if (match.hasMatch()) {
        ShowTopic(match.captured(1).toInt());
        return;
    }
    browser_->setSource(browser_->source().resolved(url));
}

HelpViewer* ShowHelpTopic(int topic)
{
    static QPointer<HelpViewer> viewer;
    if (!viewer)
        viewer = new HelpViewer;
    viewer->ShowTopic(topic);
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return viewer;
}

} // namespace korvel::ui
