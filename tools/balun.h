// The lumped-element lattice balun: an unbalanced source of resistance Rg matched to a
// balanced load Rload + j Xload at one frequency. The load is taken as its parallel
// equivalent Rp with a shunt reactance; that reactance and a stray capacitance across the
// load are cancelled by one resonating element, and the lattice of two inductors and four
// capacitors transforms Rg to Rp through its image impedance sqrt(Rg Rp).
#pragma once

namespace korvel {

struct BalunInputs {
    double rg_ohm = 50.0;
    double f_hz = 1e9;
    double rload_ohm = 50.0;
    double xload_ohm = 0.0;
    double cstray_f = 0.0;
};

enum class ElementKind { None, Inductor, Capacitor };

struct BalunElement {
    ElementKind kind = ElementKind::None;
    double value = 0.0;  // henries or farads
};

struct BalunResult {
    double rp_ohm = 0.0;        // parallel-equivalent load resistance
    BalunElement load;          // parallel-equivalent reactive part of the load
    BalunElement resonant;      // cancels load susceptance plus stray capacitance
    double zm_ohm = 0.0;        // lattice image impedance
    double l_h = 0.0;           // L1 = L2
    double c_f = 0.0;           // C1 = C2 = C3 = C4
};

BalunResult CalcBalun(const BalunInputs& in);

} // namespace korvel
