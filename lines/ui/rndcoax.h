// The round coax window: Z0 of a round coaxial line from its two diameters (CalcZ0), or the
// inner diameter that gives a wanted Z0 (CalcD2).
#pragma once

#include "coaxwindow.h"

namespace korvel::ui {

class RndCoaxWindow : public CoaxFamilyWindow {
    Q_OBJECT
public:
    explicit RndCoaxWindow(QWidget* parent = nullptr);

public slots:
    // Synthesis: D2 from Z0, D1 and Er.
    void CalcD2() { Synthesise(); }
};

// What makes the coax family window the round coax.
const CoaxWindowDescription& RndCoaxDescription();

} // namespace korvel::ui
