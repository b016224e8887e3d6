#include "preferences.h"

#include "formwidgets.h"
#include "services.h"

#include "core/settings.h"
#include "core/units.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace korvel::ui {
namespace {

constexpr std::array<int, 5> kTolerances = {0, 1, 5, 10, 20};
constexpr std::array<int, 4> kSigFigs = {2, 3, 4, 5};
constexpr std::array<int, 4> kBypassRatios = {50, 200, 1000, 5000};
constexpr double kTjMinimumC = -273.0;  // absolute zero, the lowest temperature there is
constexpr double kTjMaximumC = 1e300;

QRadioButton* Option(const QString& array, int index, const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString("%1(%2)").arg(array).arg(index));
    return button;
}

QLabel* Prose(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

template <std::size_t N>
int IndexOf(const std::array<int, N>& values, int value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (values[i] == value)
            return int(i);
    return -1;
}

} // namespace

int PreferencesDialog::ToleranceOfOption(int index) { return kTolerances.at(std::size_t(index)); }
int PreferencesDialog::SigFigsOfOption(int index) { return kSigFigs.at(std::size_t(index)); }
int PreferencesDialog::BypassRatioOfOption(int index) { return kBypassRatios.at(std::size_t(index)); }

PreferencesDialog::PreferencesDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmPreferences");
    setWindowTitle("User Preferences");
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SStabPreferences");

    // Tab 0: how component values are shown.
    auto* components = new QWidget;
    {
        auto* fraDisplay = new QGroupBox("Display", components);
        fraDisplay->setObjectName("fraDisplay");
        optComponent_[0] = Option("optComponent", 0, "&Math Correct", fraDisplay);
        optComponent_[1] = Option("optComponent", 1, "&Standard Value", fraDisplay);
        auto* d = new QVBoxLayout(fraDisplay);
        d->addWidget(optComponent_[0]);
        d->addWidget(optComponent_[1]);
        d->addStretch();

        fraTolerance_ = new QGroupBox("Tolerance", components);
        fraTolerance_->setObjectName("fraTolerance");
        const char* captions[] = {"0.1 %", "1 %", "5 %", "10 %", "20 %"};
        auto* t = new QGridLayout(fraTolerance_);
        for (int i = 0; i < 5; ++i) {
            optTolerance_[i] = Option("optTolerance", i, captions[i], fraTolerance_);
            t->addWidget(optTolerance_[i], i, 0);
        }
        auto* note = new QLabel("(Default)", fraTolerance_);
        note->setObjectName("lblToleranceDefault");
        t->addWidget(note, 2, 1);
        t->setColumnStretch(2, 1);

        auto* row = new QHBoxLayout;
        row->addWidget(fraDisplay, 1);
        row->addWidget(fraTolerance_, 1);
        auto* layout = new QVBoxLayout(components);
        layout->addWidget(Prose(
            "Calculated resistor, capacitor and inductor values can be shown exactly as the "
            "formulas give them (Math Correct), or rounded to the nearest standard value of the "
            "chosen tolerance series. Rounded values are also used for the rest of the analysis.",
            components));
        layout->addLayout(row);
        layout->addStretch();
    }
    tabs_->addTab(components, "Components");

    // Tab 1: sounds.
    auto* sounds = new QWidget;
    {
        auto* fraSound = new QGroupBox("Annoying Little Sound Effects", sounds);
        fraSound->setObjectName("fraSound");
        optPlaySound_[0] = Option("optPlaySound", 0, "Sound &On", fraSound);
        optPlaySound_[1] = Option("optPlaySound", 1, "Sound O&ff", fraSound);
        auto* s = new QVBoxLayout(fraSound);
        s->addWidget(optPlaySound_[0]);
        s->addWidget(optPlaySound_[1]);
        auto* layout = new QVBoxLayout(sounds);
        layout->addWidget(Prose("Korvel sounds a short note when it starts, when you change "
                                "catalogue groups, and when an input is refused or a result "
                                "lies outside the model's accurate range.",
                                sounds));
        layout->addWidget(fraSound);
        layout->addStretch();
    }
    tabs_->addTab(sounds, "Sounds");

    // Tab 2: number format.
    auto* format = new QWidget;
    {
        chkIntelligentFormat_ = new QCheckBox("Intelligent Format", format);
        chkIntelligentFormat_->setObjectName("chkIntelligentFormat");
        fraSigFigs_ = new QGroupBox("Sig Figs", format);
        fraSigFigs_->setObjectName("fraSigFigs");
        const char* captions[] = {"&2", "&3", "&4", "&5"};
        const char* examples[] = {"12.", "12.3", "12.34", "12.345"};
        auto* g = new QGridLayout(fraSigFigs_);
        for (int i = 0; i < 4; ++i) {
            optSigFig_[i] = Option("optSigFig", i, captions[i], fraSigFigs_);
            auto* example = new QLabel(LocalNumber(examples[i]), fraSigFigs_);
            example->setObjectName(QString("lblSigFig(%1)").arg(i));
            g->addWidget(optSigFig_[i], i, 0);
            g->addWidget(example, i, 1);
        }
        g->setColumnStretch(2, 1);
        auto* layout = new QVBoxLayout(format);
        layout->addWidget(Prose("With Intelligent Format each result is written with the number "
                                "of digits its accuracy deserves. Without it, results are written "
                                "to the number of significant figures chosen below.",
                                format));
        layout->addWidget(chkIntelligentFormat_);
        layout->addWidget(fraSigFigs_);
        layout->addStretch();
    }
    tabs_->addTab(format, "Format");

    // Tab 3: bias network design.
    auto* bias = new QWidget;
    {
        auto* fraBypass = new QGroupBox("System Z0 : Xc ratio", bias);
        fraBypass->setObjectName("fraBypassCap");
        const char* captions[] = {"Z0 : Xc = 50 : 1", "Z0 : Xc = 200 : 1   (default)",
                                  "Z0 : Xc = 1000 : 1", "Z0 : Xc = 5000 : 1"};
        auto* b = new QVBoxLayout(fraBypass);
        for (int i = 0; i < 4; ++i) {
            optBypassCap_[i] = Option("optBypassCap", i, captions[i], fraBypass);
            b->addWidget(optBypassCap_[i]);
        }

        auto* fraTjMax = new QGroupBox("Device Max Temp Warning", bias);
        fraTjMax->setObjectName("fraTjMax");
        auto* lead = new QLabel("Tj max = ", fraTjMax);
        lead->setObjectName("lblTjMax");
        txtTjMaxTrip_ = new QLineEdit(fraTjMax);
        txtTjMaxTrip_->setObjectName("txtTjMaxTrip");
        txtTjMaxTrip_->setMaximumWidth(90);
        auto* unit = new QLabel(QString::fromUtf8("°C"), fraTjMax);
        unit->setObjectName("lblTjMaxUnit");
        auto* t = new QHBoxLayout(fraTjMax);
        t->addWidget(lead);
        t->addWidget(txtTjMaxTrip_);
        t->addWidget(unit);
        t->addStretch();

        auto* layout = new QVBoxLayout(bias);
        layout->addWidget(Prose("Bypass capacitors of the bias networks are sized so that their "
                                "reactance is this fraction of the system impedance.",
                                bias));
        layout->addWidget(fraBypass);
        layout->addWidget(Prose("The bias calculators warn when a device's junction would run "
                                "hotter than this temperature.",
                                bias));
        layout->addWidget(fraTjMax);
        layout->addStretch();
    }
    tabs_->addTab(bias, "Bias Design");

    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdOK_->setMinimumWidth(90);
    connect(cmdOK_, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    LoadFromSettings();

    // Clicks write their setting at once.
    connect(optComponent_[0], &QRadioButton::clicked, this, [this] {
        Settings().useStandardValues = false;
        SetToleranceEnabled(false);
    });
    connect(optComponent_[1], &QRadioButton::clicked, this, [this] {
        // Going back to standard values always starts again from the 5 % series.
        Settings().useStandardValues = true;
        SetToleranceEnabled(true);
        optTolerance_[2]->setChecked(true);
        Settings().componentTolerance = 5;
    });
    connect(chkIntelligentFormat_, &QCheckBox::clicked, this, [this](bool checked) {
        Settings().intelligentFormat = checked;
        SetSigFigsEnabled(!checked);
        if (!checked) {
            optSigFig_[1]->setChecked(true);
            Settings().significantFigures = kSigFigs[1];
        }
    });
    for (int i = 0; i < 5; ++i)
        connect(optTolerance_[i], &QRadioButton::clicked, this,
                [i] { Settings().componentTolerance = kTolerances[std::size_t(i)]; });
    for (int i = 0; i < 4; ++i) {
        connect(optSigFig_[i], &QRadioButton::clicked, this,
                [i] { Settings().significantFigures = kSigFigs[std::size_t(i)]; });
        connect(optBypassCap_[i], &QRadioButton::clicked, this,
                [i] { Settings().bypassRatio = kBypassRatios[std::size_t(i)]; });
    }
    connect(optPlaySound_[0], &QRadioButton::clicked, this, [] { Settings().soundEnabled = true; });
    connect(optPlaySound_[1], &QRadioButton::clicked, this, [] { Settings().soundEnabled = false; });
    connect(txtTjMaxTrip_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::string s = text.toStdString();
        if (IsNumericText(s))
            Settings().maxJunctionTempC = NumberFromText(s);
        SetFieldBackground(txtTjMaxTrip_, kFieldNormal);
    });

    adjustSize();
}

void PreferencesDialog::LoadFromSettings()
{
    const SharedSettings& s = Settings();
    if (int i = IndexOf(kTolerances, s.componentTolerance); i >= 0)
        optTolerance_[i]->setChecked(true);
    optComponent_[s.useStandardValues ? 1 : 0]->setChecked(true);
    optPlaySound_[s.soundEnabled ? 0 : 1]->setChecked(true);
    chkIntelligentFormat_->setChecked(s.intelligentFormat);
    if (int i = IndexOf(kSigFigs, s.significantFigures); i >= 0)
        optSigFig_[i]->setChecked(true);
    if (int i = IndexOf(kBypassRatios, s.bypassRatio); i >= 0)
        optBypassCap_[i]->setChecked(true);
    txtTjMaxTrip_->setText(QString::fromStdString(NumberText(s.maxJunctionTempC)));
    SetSigFigsEnabled(!s.intelligentFormat);
    SetToleranceEnabled(s.useStandardValues);
}

void PreferencesDialog::SetToleranceEnabled(bool enabled)
{
    fraTolerance_->setEnabled(enabled);
    for (QRadioButton* b : optTolerance_)
        b->setEnabled(enabled);
}

void PreferencesDialog::SetSigFigsEnabled(bool enabled)
{
    fraSigFigs_->setEnabled(enabled);
    for (QRadioButton* b : optSigFig_)
        b->setEnabled(enabled);
}

bool PreferencesDialog::ValidateTemperature()
{
    const bool ok = ValidateInput(txtTjMaxTrip_, false)
        && CheckRange(FieldValue(txtTjMaxTrip_), kTjMinimumC, kTjMaximumC, true, txtTjMaxTrip_);
    if (!ok) {
        tabs_->setCurrentIndex(kTemperatureTab);
        txtTjMaxTrip_->setFocus(Qt::OtherFocusReason);
        txtTjMaxTrip_->selectAll();
    }
    return ok;
}

void PreferencesDialog::reject() { close(); }

void PreferencesDialog::closeEvent(QCloseEvent* event)
{
    // The base dialog's close handling would go through reject() again; the check decides.
    if (ValidateTemperature())
        event->accept();
    else
        event->ignore();
}

PreferencesDialog* ShowPreferencesWindow(QWidget* parent)
{
    static QPointer<PreferencesDialog> dialog;
    if (!dialog)
        dialog = new PreferencesDialog(parent);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

} // namespace korvel::ui
