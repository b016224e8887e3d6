#include "rndcoax.h"

namespace korvel::ui {

const CoaxWindowDescription& RndCoaxDescription()
{
    static const CoaxWindowDescription d = [] {
        CoaxWindowDescription d;
        d.identity = {"frmRndCoax", "Round Coax", 24, "Round Coax &Help"};
        d.model = &RndCoaxModel();
        d.outerName = "txtOuterDiam";
        d.outerLabel = "D1 (outer) =";
        d.innerLabel = "D2 (inner) =";
        d.outerTip = "Enter outer diameter of coax in user-selected Length Units";
        d.innerTip = "Enter inner diameter of coax in user-selected Length Units";
        d.lengthTip = "Enter physical length of coax in user-selected Length Units";
        d.z0Tip = "Display Z0 or enter Z0 to calculate D2";
        d.outerDefault = "100";
        d.innerDefault = "43";
        d.ratioLabel = "D1/D2 =";
        d.synthButtonName = "cmdCalculateD2";
        d.synthCaption = "Calculate D2  [F3]";
        d.synthTip = "Calculates D2 from Z0 and D1";
        d.synthMenuName = "mnuCalculateD2";
        d.synthMenuCaption = "Calculate &D2";
        d.tableMenuCaption = "&Table of Z0 vs. D2";
        d.plotMenuCaption = "&Plot graph of Z0 vs. D2";
        // The conductors must not touch (D2/D1 below 0.999) nor the inner one vanish.
        d.erMax = 1200.0;
        d.ratioInnerOverOuter = true;
        d.ratioMin = 0.001;
        d.ratioMax = 0.999;
        d.z0Min = 0.2;
        d.z0Max = 413.0;
        return d;
    }();
    return d;
}

RndCoaxWindow::RndCoaxWindow(QWidget* parent) : CoaxFamilyWindow(RndCoaxDescription(), parent) {}

} // namespace korvel::ui
