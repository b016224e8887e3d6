// The frame every calculator window shares: the File, Options and Help menus, the function
// keys taken before the focused control (F4 calculate, F3 the second calculation, F8 back to
// the catalogue, F1 help), the "Main Menu [F8]" button kept at the bottom right, the status
// bar, the web link, and the steps every calculation goes through (clear the status, check the
// inputs in order, compute, show "Normal" or the accuracy warnings).
//
// A calculator is a CalcFrame subclass: it builds its controls into Body(), adds its own
// menus with AddMenu(), and overrides Calculate() and, where it has one, Calculate2().
#pragma once

#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <type_traits>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;

namespace korvel::ui {

class StatusBar;
class UnitSelector;

class CalcFrame : public QWidget {
    Q_OBJECT
public:
    struct Identity {
        QString objectName;     // "frmRndCoax"
        QString caption;        // "Round Coax"
        int helpTopic = 0;      // the window's topic of the help file
        QString helpCaption;    // "Round Coax &Help"
    };

    CalcFrame(const Identity& identity, QWidget* parent = nullptr);

    int HelpTopic() const { return helpTopic_; }
    StatusBar* Status() const { return status_; }
    QMenuBar* Menus() const { return menuBar_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QMenu* OptionsMenu() const { return optionsMenu_; }
    QMenu* HelpMenu() const { return helpMenu_; }
    // The area the window's own controls go into.
    QWidget* Body() const { return body_; }
    QPushButton* MainMenuButton() const { return cmdReturnMainMenu_; }

    bool WebLinkVisible() const;

public slots:
    // F4 and the main Calculate button.
    virtual void Calculate() {}
    // F3 and the second Calculate button, where the window has one.
    virtual void Calculate2() {}
    // "Main Menu [F8]", "&Return to Main Menu" and F8: this window goes, the catalogue returns.
    void ReturnToMainMenu();
    void ShowHelp();
    void ShowWebLink(bool visible);

protected:
    // A menu of the window's own, placed before Options and Help.
    QMenu* AddMenu(const QString& title, const QString& objectName);
    // A menu item; `slot` may be empty for the items that carry no action.
    template <typename Slot>
    QAction* AddItem(QMenu* menu, const QString& caption, const QString& objectName, Slot slot);
    QAction* AddItem(QMenu* menu, const QString& caption, const QString& objectName);
    // Items placed in the File menu above "&Return to Main Menu".
    QAction* AddFileItem(const QString& caption, const QString& objectName);
    // Items placed in the Help menu above "&About Korvel".
    QAction* AddHelpItem(const QString& caption, const QString& objectName);

    // The button the focus goes to when a selector's list closes (Enter then calculates).
    void SetMainCalculateButton(QPushButton* button);
    QPushButton* MainCalculateButton() const { return mainCalculate_; }
    // Gives the selector its focus rule and makes it known to the frame.
    void AdoptSelector(UnitSelector* selector);

    // Typing into any of the boxes sets all of them back to white (a pair that takes part in
    // one ratio check is reset together).
    static void WhiteOnTyping(std::initializer_list<QLineEdit*> linked);

    // ---- The calculation frame -----------------------------------------------------------
    // Step 1: both status panels emptied and hidden.
    void BeginCalculation();
    // Required, numeric, then range; the first failure flags the box and says why.
    bool CheckInput(QLineEdit* field, double minimum, double maximum, bool zeroAllowed = false);
    // "Normal" with the green image, and the web link.
    void ShowNormalStatus();
    // An accuracy warning: "ding.wav", the text with the yellow (or, severe, red) image, and
    // the web link hidden. Later warnings override earlier ones.
    void ShowWarning(const QString& text, bool severe);
    // A fault inside a formula: "ding.wav", the text with the red image, the web link hidden.
    void ShowFault(const QString& text);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenus(const Identity& identity);
    void BuildWebLink();
    void InstallKeyPreview(QObject* root);
    bool PreviewKey(int key);

    int helpTopic_ = 0;
    QMenuBar* menuBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* fileReturn_ = nullptr;
    QAction* helpSeparator_ = nullptr;
    QWidget* body_ = nullptr;
    StatusBar* status_ = nullptr;
    QFrame* picWeb_ = nullptr;
    QLabel* lblWeb_ = nullptr;
    QPushButton* cmdReturnMainMenu_ = nullptr;
    QPointer<QPushButton> mainCalculate_;
};

template <typename Slot>
QAction* CalcFrame::AddItem(QMenu* menu, const QString& caption, const QString& objectName, Slot slot)
{
    QAction* action = AddItem(menu, caption, objectName);
    if constexpr (std::is_member_function_pointer_v<Slot>) {
        using Owner = typename QtPrivate::FunctionPointer<Slot>::Object;
        connect(action, &QAction::triggered, static_cast<Owner*>(this), slot);
    } else {
        connect(action, &QAction::triggered, this, slot);
    }
    return action;
}

} // namespace korvel::ui
