// The user preferences: a tabbed dialog over the session's shared settings. Every click
// writes its setting at once; nothing is kept beyond the session.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace korvel::ui {

class PreferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* parent = nullptr);

    // The tab that holds the junction temperature box.
    static constexpr int kTemperatureTab = 3;

    // Tolerance in percent for each tolerance option (0 stands for the 0.1 % series), and the
    // other option arrays' values, by index.
    static int ToleranceOfOption(int index);
    static int SigFigsOfOption(int index);
    static int BypassRatioOfOption(int index);

    // Checks the junction temperature box the way OK and closing do.
    bool ValidateTemperature();

public slots:
    // Closing the window runs the same check as OK; a refused temperature keeps it open.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void LoadFromSettings();
    void SetToleranceEnabled(bool enabled);
    void SetSigFigsEnabled(bool enabled);

    QTabWidget* tabs_ = nullptr;
    QGroupBox* fraTolerance_ = nullptr;
    QGroupBox* fraSigFigs_ = nullptr;
    QRadioButton* optTolerance_[5] = {};
    QRadioButton* optComponent_[2] = {};
    QRadioButton* optPlaySound_[2] = {};
    QRadioButton* optSigFig_[4] = {};
    QRadioButton* optBypassCap_[4] = {};
    QCheckBox* chkIntelligentFormat_ = nullptr;
    QLineEdit* txtTjMaxTrip_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

// Shows the one preferences window of the session, modeless.
PreferencesDialog* ShowPreferencesWindow(QWidget* parent = nullptr);

} // namespace korvel::ui
