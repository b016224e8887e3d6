// The window of the planar lines: microstrip, stripline and coplanar waveguide are one window,
// an analysis (dimensions and substrate -> Z0, effective permittivity, velocity, wavelength
// and electrical length) told apart by a small description of their boxes, checks, result
// formats and formulas.
#pragma once

#include "lines/coax.h"
#include "lines/synthesis.h"
#include "lines/ui/linesection.h"
#include "lines/ui/linewindow.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvel::ui {

class DielectricSelector;
class UnitSelector;

// The dimension and wave boxes a planar line may have; Er is always there and checked last.
enum class PlanarBox { Width, Height, Thickness, Gap, Length, Freq };
inline constexpr int kPlanarBoxCount = 6;

struct PlanarInput {
    PlanarBox box;
    QString name;           // "txtWidth"
    QString caption;        // "Width (W) ="
    QString defaultText;    // "12"
    QString tip;
    double minimum = 1e-300;
    double maximum = 1e+300;
    bool zeroAllowed = false;
};

// A ratio of two boxes that must lie within limits; on failure both are marked and the focus
// goes to the box the user is expected to correct.
struct PlanarRatioCheck {
    PlanarBox numerator;
    PlanarBox denominator;
    double minimum;
    double maximum;
    PlanarBox focus;
};

// Typing into `typed` sets these boxes back to white (itself among them).
struct PlanarTypingReset {
    PlanarBox typed;
    std::vector<PlanarBox> reset;
};

// One calculation as the window reads it: every box as typed and in SI units (lengths in
// metres, frequency in hertz), Er, the ground-plane choice.
struct PlanarReading {
    std::array<double, kPlanarBoxCount> typed{};
    std::array<double, kPlanarBoxCount> si{};
    double er = 1.0;
    bool groundPlane = true;

    double Typed(PlanarBox b) const { return typed[size_t(b)]; }
    double Si(PlanarBox b) const { return si[size_t(b)]; }
};

// What the window keeps from its last calculation: a model that stops early leaves them.
struct PlanarKept {
    double eeff = 0.0;
    double shapeFactor = 0.0;
};

// What the formulas give back, in the form every planar window shows.
struct PlanarOutcome {
    double z0_ohm = 0.0;
    double eeff = 0.0;
    double whRatio = 0.0;        // shown W/H (windows that show it)
    double shapeFactor = 0.0;    // the CPW's thickness-corrected modulus
    LineWave wave;
    LineFault fault;
    // A modulus out of range: a message box, then Z0 shown as 0 under a "Normal" status.
    bool rangeFailed = false;
    QString rangeTitle;
    QString rangeText;
    std::vector<LineWarning> warnings;
};

struct PlanarWindowDescription {
    CalcFrame::Identity identity;
    std::vector<PlanarInput> inputs;          // in the order they are checked
    double erMax = 1000.0;
    std::vector<PlanarRatioCheck> ratios;     // checked after the inputs, in order
    std::vector<PlanarTypingReset> typing;    // boxes not listed reset only themselves
    LineSectionKind section = LineSectionKind::Microstrip;
    QString sectionName;                      // the picture's object name
    bool groundPlaneChoice = false;           // the CPW's "With / No Groundplane" pair
    bool showsWH = true;                      // lblWHratio
    bool showsShapeFactor = false;            // lblKe
    const char* z0Picture = "  0.00";         // Z0 of 1000 ohm or less
    const char* keffPicture = "  0.000";
    QString keffCaption = "Eeff =";
    PlanarOutcome (*analyse)(const PlanarReading& reading, const PlanarKept& kept) = nullptr;
    // The width (or, where the window offers the choice, the gap) that gives the target Z0
    // with the other values of the reading.
    DimensionSynthesis (*synthesise)(double targetZ0, const PlanarReading& reading, PlanarBox solved) = nullptr;
    bool gapSynthesis = false;                // the CPW may solve its gap instead of its width
};

class PlanarLineWindow : public LineWindow {
    Q_OBJECT
public:
    PlanarLineWindow(const PlanarWindowDescription& description, QWidget* parent = nullptr);

    void Calculate() override { CalcZ0(); }
    void Calculate2() override { SynthesizeWidth(); }

    bool MathError() const { return mathError_; }

public slots:
    // The analysis: Z0 and effective permittivity, velocity, wavelength, electrical length.
    void CalcZ0();
    // The width for the target Z0 (the CPW's gap, when chosen) into its box, then CalcZ0.
    void SynthesizeWidth();

private:
    void BuildControls();
    void BuildMenus();
    void ConnectTyping();
    void ShowGroundPlane(bool withGround);
    // Checks the inputs as Calculate does (synthesis: all but the box it solves for, and the
    // target) and reads them in SI units; false after the first refusal.
    bool CheckAndRead(std::optional<PlanarBox> solved, PlanarReading& reading);

    // The synthesis: its target among the results, its command beside Calculate.
    void AddTargetRow(QGridLayout* results, int& row);
    void AddSynthesisCommand(QHBoxLayout* buttons);
    QLineEdit* Box(PlanarBox b) const { return boxes_[size_t(b)]; }

    PlanarWindowDescription d_;
    bool mathError_ = false;
    PlanarKept kept_;

    std::array<QLineEdit*, kPlanarBoxCount> boxes_{};
    QLabel* lblZ0_ = nullptr;
    QLabel* lblKeff_ = nullptr;
    QLabel* lblWHratio_ = nullptr;
    QLabel* lblKe_ = nullptr;
    QRadioButton* optWithGround_ = nullptr;
    QRadioButton* optNoGround_ = nullptr;
    LineSection* picture_ = nullptr;
    LineSection* pictureNoGround_ = nullptr;
    QPushButton* cmdCalculate_ = nullptr;
    QLineEdit* txtTargetZ0_ = nullptr;
    QPushButton* cmdSynthesize_ = nullptr;
    QRadioButton* optSynthesizeGap_ = nullptr;
};

// Microstrip, stripline and coplanar waveguide.
const PlanarWindowDescription& MicrostripDescription();
const PlanarWindowDescription& StriplineDescription();
const PlanarWindowDescription& CpwDescription();

// Makes the three windows known to the catalogue.
void RegisterPlanarLineWindows();

} // namespace korvel::ui
