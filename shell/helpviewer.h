// The help viewer: one window that shows the help pages by topic number, the way the help
// key opens a topic of the program's help.
#pragma once

#include <QWidget>

#include <functional>

class QTextBrowser;
class QUrl;

namespace korvel::ui {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows help/topic<N>.html from the program folder, or a short page saying the topic is
    // not available.
    void ShowTopic(int topic);
    int Topic() const { return topic_; }
    QTextBrowser* Browser() const { return browser_; }

    // The help page of a topic number, in the program folder.
    static QString TopicFile(int topic);

private:
    void FollowLink(const QUrl& url);

    QTextBrowser* browser_ = nullptr;
    int topic_ = 0;
};

// Opens (or raises) the one help viewer of the session at the topic.
HelpViewer* ShowHelpTopic(int topic);

// Told of every topic the viewer shows (drive mode prints it); empty tells no one.
void SetHelpShownHook(std::function<void(int topic)> hook);

} // namespace korvel::ui
