// Whole curves of the real-valued parameters, for the charts and anything else that wants
// every grid point at once.
//
// Evaluate() answers for one point; a chart of a million-point file asks for a million. Here
// the points are taken in blocks, the shared terms (the norms, Δ, K) are formed once per
// block for every parameter asked for, the common quantities run through the batch maths of
// core/batchmath.h, and a large grid is split among the processor's cores. The values are
// Evaluate()'s: the same special values and notes, equal to the last bit except where a
// logarithm or an angle is taken, and there within a few units in the last place.
#pragma once

#include "tabular.h"

#include <span>
#include <vector>

namespace korvel {

// Fills out[c][0 .. set.Points()) with parameter params[c] at every grid point. A parameter
// shown as a complex number, or one the set does not have (a two-port quantity of a one-port
// file, noise without noise data), gives kUndefined throughout. Returns, per column, the
// note met (each parameter has at most one kind), or Note::None.
std::vector<Note> EvaluateColumns(const GridSet& set, std::span<const Param> params, std::span<double* const> out);
// The same in single precision, for callers that keep whole curves of a large file.
std::vector<Note> EvaluateColumns(const GridSet& set, std::span<const Param> params, std::span<float* const> out);

} // namespace korvel
