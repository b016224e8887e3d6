// What a calculator window asks of the main window that hosts it. The main window
// implements it; calculator windows and drive mode reach it through Host().
#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace korvel::ui {

class CalculatorHost {
public:
    virtual ~CalculatorHost() = default;

    // A catalogue click on the entry with this key (or caption where the catalogue accepts it).
    // Returns false for an unknown key.
    virtual bool OpenCatalogueEntry(const QString& key) = 0;
    // Unloads the calculator (if any) and shows the catalogue bar and page again.
    virtual void ReturnToCatalogue(QWidget* calculator) = 0;
    // Re-arms the web-link timer with the shared interval; when it fires the active
    // calculator's web link is revealed.
    virtual void ArmWebLinkTimer() = 0;
    virtual void ShowPreferences() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowHelp(int topic) = 0;
    virtual void ResetWindowSize() = 0;
    virtual void ExitProgram() = 0;
    // The status indicator images: "grn", "yel", "red", "orn", "blu".
    virtual QIcon StatusImage(const QString& key) const = 0;
    // The main window itself (a QMainWindow with the QMdiArea).
    virtual QWidget* MainWidget() = 0;
};

CalculatorHost* Host();
void SetHost(CalculatorHost* host);

} // namespace korvel::ui
