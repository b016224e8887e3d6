#include "temlines.h"

#include "rndcoax.h"

#include "lines/slabline.h"
#include "lines/sqrcoax.h"
#include "lines/troughline.h"
#include "lines/wirelines.h"
#include "shell/registry.h"

namespace korvel::ui {
namespace {

// What every line states for itself: who it is, its formulas and the texts of its three
// dimension boxes.
struct LineTexts {
    CalcFrame::Identity identity;
    const CoaxFamilyModel* model;
    const char* outerLabel;
    const char* outerTip;
    const char* innerTip;
    const char* lengthTip;
};

// A round conductor in a screen that is not round: everything the round coax window has, but
// the outer box is a dimension rather than a diameter, and each line has its own formulas and
// its own synthesis range. Each formula's outer conductor reaches D2 at a different Z0
// (59.958 ln A ohm in air); the lowest impedance synthesised stays just above it, so the rod
// always fits.
CoaxWindowDescription ScreenedRod(const LineTexts& t, double z0Min, double z0Max)
{
    CoaxWindowDescription d = RndCoaxDescription();
    d.identity = t.identity;
    d.model = t.model;
    d.outerName = "txtOuterDimen";
    d.outerLabel = t.outerLabel;
    d.outerTip = t.outerTip;
    d.innerTip = t.innerTip;
    d.lengthTip = t.lengthTip;
    d.z0Min = z0Min;
    d.z0Max = z0Max;
    return d;
}

// The wire lines: S and D instead of D1 and D2; synthesis keeps the wire and finds S.
CoaxWindowDescription Wires(const LineTexts& t, const char* spacingDefault, const char* wireDefault,
                            const char* synthCaption, const char* synthMenuCaption)
{
    return {
        .identity = t.identity,
        .model = t.model,
        .outerName = "txtSpacing",
        .outerLabel = t.outerLabel,
        .innerLabel = "D (wire) =",
        .outerTip = t.outerTip,
        .innerTip = t.innerTip,
        .lengthTip = t.lengthTip,
        .z0Tip = "Display Z0 or enter Z0 to calculate S",
        .outerDefault = spacingDefault,
        .innerDefault = wireDefault,
        .ratioLabel = "S/D =",
        .synthButtonName = "cmdCalculateS",
        .synthCaption = synthCaption,
        .synthTip = "Calculates S from Z0 and D",
        .synthMenuName = "mnuCalculateS",
        .synthMenuCaption = synthMenuCaption,
        .tableMenuCaption = "&Table of Z0 vs. S",
        .plotMenuCaption = "&Plot graph of Z0 vs. S",
        .erMax = 1000.0,
        // S/D at least 1: a pair of wires may not overlap, and a wire over ground keeps at
        // least its radius clear of the plane; up to 1001, beyond which the wire vanishes.
        .ratioInnerOverOuter = false,
        .ratioMin = 1.0,
        .ratioMax = 1001.0,
        .z0Min = 15.0,
        .z0Max = 910.0,
    };
}

} // namespace

const std::vector<CoaxWindowDescription>& TemLineDescriptions()
{
    static const std::vector<CoaxWindowDescription> lines{
        ScreenedRod({
            {"frmSqrCoax", "Square Coax", 26, "Square Coax &Help"},
            &SqrCoaxModel(),
            "D1 (outer) =",
            "Enter dimension of outer conductor in user-selected Length Units",
            "Enter diameter of inner conductor in user-selected Length Units",
            "Enter physical length of coax in user-selected Length Units",
        }, 5.1, 415.0),
        ScreenedRod({
            {"frmSlabLine", "Slab Line", 67, "Slab Line &Help"},
            &SlabLineModel(),
            "D1 (planes) =",
            "Enter distance between ground planes in user-selected Length Units",
            "Enter diameter of inner conductor in user-selected Length Units",
            "Enter physical length of line in user-selected Length Units",
        }, 15.0, 427.0),
        ScreenedRod({
            {"frmTroughLine", "Trough Line", 66, "Trough Line &Help"},
            &TroughLineModel(),
            "D1 (trough) =",
            "Enter width of trough in user-selected Length Units",
            "Enter diameter of center conductor in user-selected Length Units",
            "Enter physical length of line in user-selected Length Units",
        }, 10.0, 422.0),
        Wires({
            {"frmParallelWires", "Parallel Wires", 13, "Parallel Wires &Help"},
            &ParallelWiresModel(),
            "S (centers) =",
            "Enter spacing between wire centers in user-selected Length Units",
            "Enter diameter of wires in user-selected Length Units",
            "Enter physical length of line in user-selected Length Units",
        }, "100", "15", "Calculate D2  [F3]", "Calculate &S"),
        Wires({
            {"frmWireOverGround", "Wire Over Ground", 22, "Wire Over Ground &Help"},
            &WireOverGroundModel(),
            "S (height) =",
            "Enter height of wire over ground in user-selected Length Units",
            "Enter diameter of wire in user-selected Length Units",
            "Enter physical length of wire in user-selected Length Units",
        }, "50", "5", "Calculate H  [F3]", "Calculate &H"),
    };
    return lines;
}

void RegisterTemLineWindows()
{
    for (const CoaxWindowDescription& d : TemLineDescriptions()) {
        const CoaxWindowDescription* description = &d;
        // The synthesis procedure is named for what it solves: CalcS for the wires, CalcD2
        // for a rod in a screen.
        RegisterWindow(d.identity.objectName, [description](QWidget* parent) -> QWidget* {
            if (description->model->solvesOuter)
                return new SpacingSynthesisWindow(*description, parent);
            return new InnerSynthesisWindow(*description, parent);
        });
    }
}

} // namespace korvel::ui
