// The main window: the catalogue list bar on the left, the calculators and pages as child
// windows, the main menus and the three timers. It is also the host every calculator asks
// for the way back to the catalogue, the web-link timer, help and preferences.
#pragma once

#include "host.h"
#include "infowindows.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBox;

namespace korvel::ui {


// The catalogue page that sits behind the child windows while no calculator is open.
class MainMenuPage : public QWidget {
    Q_OBJECT
public:
    explicit MainMenuPage(QWidget* parent = nullptr);
    int HelpContext() const { return 1; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class MainWindow : public QMainWindow, public CalculatorHost {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Normal start: the splash shows the start-up stages and the main window appears 4 s later.
    void StartWithSplash();
    // Shows the main window and the catalogue page at once (drive mode, tests).
    void StartAtOnce();

    // CalculatorHost
    bool OpenCatalogueEntry(const QString& key) override;
    void ReturnToCatalogue(QWidget* calculator) override;
    void ArmWebLinkTimer() override;
    void ShowPreferences() override;
    void ShowAbout() override;
    void ShowHelp(int topic) override;
    void ResetWindowSize() override;
    void ExitProgram() override;
    QIcon StatusImage(const QString& key) const override;
    QWidget* MainWidget() override { return this; }

    QToolBox* ListBar() const { return listBar_; }
    QMdiArea* MdiArea() const { return mdi_; }
    // The open child window of that name (its inner window), or nullptr.
    QWidget* ChildWindow(const QString& name) const;
    // The list bar's open group as it remembers it (counted from 1; 0 before any change).
    int RememberedGroup() const { return currentGroup_; }
    bool StartingUp() const { return startingUp_; }
    // The text of a fault met while loading (shown nowhere, kept for inspection).
    QString LoadError() const { return loadError_; }
    SplashWindow* Splash() const { return splash_; }

    // The list bar reports a change of its open group (index counted from 0).
    void OnGroupChanged(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildMenus();
    void BuildListBar();
    void InitialiseSettings();
    void SplashStage();
    void LoadingDone();
    void ShowCatalogue();
    void RevealWebLink();

    QMdiSubWindow* SubWindowOf(const QString& name) const;
    QMdiSubWindow* SubWindowContaining(QWidget* widget) const;
    // Loads a window by class name (or finds it already open) as a child window, shown.
    QMdiSubWindow* LoadChild(const QString& className);
    void UpdateMenuBar();
    void FitToChild(QMdiSubWindow* sub);
    // A calculator that asks for more room than it had (results, a status panel, more grid
    // columns appear) is given it, as far as the screen allows.
    void GrowChild(QMdiSubWindow* sub);
    void UnloadChild(const QString& name);
    void UnloadChild(QMdiSubWindow* sub);
    void HideChild(const QString& name);
    void UnloadOtherCalculators(const QString& keep);

    QMdiArea* mdi_ = nullptr;
    QToolBox* listBar_ = nullptr;
    QLabel* picture1_ = nullptr;
    QTimer* tmrSplash_ = nullptr;
    QTimer* tmrLoading_ = nullptr;
    QTimer* tmrSpam_ = nullptr;
    QPointer<SplashWindow> splash_;
    QPointer<QMdiSubWindow> mainMenu_;
    QPointer<QMdiSubWindow> lastCalculator_;
    int currentGroup_ = 0;
    bool startingUp_ = true;
    int helpContext_ = 1;
    QString loadError_;
    mutable QHash<QString, QIcon> statusImages_;
};

} // namespace korvel::ui

namespace korvel {
using ui::MainWindow;
}
