// The other members of the coax family: square coax, slab line and trough line (a round
// conductor in an outer conductor that is not round; synthesis finds its diameter D2), and the
// parallel-wire and wire-over-ground lines (synthesis finds the spacing S). Each is the family
// window with a description; the two classes differ only in the name of their synthesis.
#pragma once

#include "coaxwindow.h"

#include <vector>

namespace korvel::ui {

// A window whose synthesis solves the inner conductor's diameter D2 from Z0 and D1.
class InnerSynthesisWindow : public CoaxFamilyWindow {
    Q_OBJECT
public:
    using CoaxFamilyWindow::CoaxFamilyWindow;

public slots:
    // Synthesis: D2 from Z0, D1 and Er.
    void CalcD2() { Synthesise(); }
};

// A window whose synthesis solves the wire spacing (or height) S from Z0 and D.
class SpacingSynthesisWindow : public CoaxFamilyWindow {
    Q_OBJECT
public:
    using CoaxFamilyWindow::CoaxFamilyWindow;

public slots:
    // Synthesis: S from Z0, D and Er.
    void CalcS() { Synthesise(); }
};

// Square coax, slab line, trough line, parallel wires and wire over ground, in that order.
const std::vector<CoaxWindowDescription>& TemLineDescriptions();

// Makes the five windows known to the catalogue.
void RegisterTemLineWindows();

} // namespace korvel::ui
