// The small windows around the calculators: splash, about box, credits, the program and maker
// pages, the pages of web links, the SPCS pages, the message window and the colour-intensity
// chooser of the cascaded noise calculator.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QWidget>

#include <functional>
#include <utility>

class QBoxLayout;
class QRadioButton;
class QPushButton;
class QVBoxLayout;

namespace korvel::ui {

// The maker's web site; every link of the pages opens a page of it.
QString MakerWebPage(const QString& path = {});

// "major.minor.revision" of this program.
QString VersionText();

// A label that behaves like a link: the link cursor over it, a click opens its target.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& name, const QString& text, QWidget* parent = nullptr);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Start-up splash: program name, version and the start-up stage. A key press unloads it.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);
    void SetStartupText(const QString& text);
    QString StartupText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* lblStartup_ = nullptr;
};

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
    void SetTitle(const QString& title);

    // Starts the desktop's system-information tool, or says that there is none.
    void StartSysInfo();
    // Looks a value up on this desktop: a program named valueName in the folders of rootKey
    // ("PATH": the program search path; otherwise a folder list separated by ':'), keyName
    // being a sub-folder tried first in each. Returns (found, full path).
    static std::pair<bool, QString> GetKeyValue(const QString& rootKey, const QString& keyName,
                                                const QString& valueName);
    // The system-information programs tried, in order.
    static QStringList SysInfoPrograms();
};

// Sets the about box's caption and title label and shows it modeless.
AboutWindow* ShowAboutBox(const QString& caption = "About Korvel",
                          const QString& title = "Korvel for Windows");

// The credits page: any key or click unloads it.
class CreditsWindow : public QDialog {
    Q_OBJECT
public:
    explicit CreditsWindow(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
CreditsWindow* ShowCredits(QWidget* parent = nullptr);

// A message window with a close button.
class InfoWindow : public QDialog {
    Q_OBJECT
public:
    explicit InfoWindow(const QString& text = {}, QWidget* parent = nullptr);
    void SetText(const QString& text);

private:
    QLabel* lblInfo_ = nullptr;
};

// The cascaded noise calculator's colour-intensity chooser. Hidden, not unloaded, between uses.
class SensColorWindow : public QDialog {
    Q_OBJECT
public:
    explicit SensColorWindow(QWidget* parent = nullptr);
    // What "Set and &Return" runs after hiding the chooser (the noise calculator's recalculation).
    void SetRecalculate(std::function<void()> recalculate) { recalculate_ = std::move(recalculate); }
    static float IntensityOfOption(int index);

private:
    std::function<void()> recalculate_;
};

// The colour intensity of the cascaded noise calculator's sensitivity table (0 .. 1).
float& SensitivityColourIntensity();

// A page of the program or of the maker: a heading, prose and link labels.
class InfoPage : public QWidget {
    Q_OBJECT
public:
    InfoPage(const QString& name, const QString& caption, const QString& heading,
             QWidget* parent = nullptr);

protected:
    QLabel* AddText(const QString& text);
    // A link label that opens the target (a web address or a document) when clicked.
    LinkLabel* AddLink(const QString& name, const QString& text, const QString& target);
    // A link label that opens another page of the set as a child window.
    LinkLabel* AddPageLink(const QString& name, const QString& text, const QString& page);
    void AddStretch();
    QVBoxLayout* Body() const { return body_; }

private:
    QVBoxLayout* body_ = nullptr;
};

// Shows a page of a page set next to the one asking (the page is loaded when needed). With
// replace, the asking page is hidden first, as when leafing through the SPCS pages.
QWidget* OpenSiblingPage(QWidget* from, const QString& className, bool replace);

// Makes the pages above known to the catalogue (frmTolvane, frmBrowser and its sub-pages, the
// maker pages, frmKorvelinfo and the SPCS pages).
void RegisterInfoWindows();

} // namespace korvel::ui
