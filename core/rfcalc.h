// Reactance and reactive-loss relations (SI units: H, F, Hz, ohm, dB).
// A fault shows "Sys Error #<n>  <description>" + "Check input data." and gives 0.
#pragma once

namespace korvel {

double InductiveReactance(double L, double f);
double CapacitiveReactance(double C, double f);
double InductanceFromReactance(double X, double f);
double CapacitanceFromReactance(double X, double f);
// Insertion loss of a lossless reactance: a = X, b = Z0 for a series element; a = Z0, b = X shunt.
double ReactiveLossDb(double a, double b);
double SeriesReactanceForLoss(double lossDb, double Z0);
double ShuntReactanceForLoss(double lossDb, double Z0);

} // namespace korvel
