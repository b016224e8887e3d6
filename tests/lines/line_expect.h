// What the line-formula tests compare: relative nearness, and the accuracy warnings of a
// result written out so that a failing row says what it got.
#pragma once

#include "lines/coax.h"

#include <QByteArray>
#include <QMetaType>

#include <cmath>
#include <vector>

Q_DECLARE_METATYPE(std::vector<korvel::LineWarning>)

namespace linetest {

inline bool Near(double actual, double expected, double relTol)
{
    return std::fabs(actual - expected) <= relTol * std::fabs(expected);
}

inline QByteArray Describe(const std::vector<korvel::LineWarning>& ws)
{
    QByteArray out;
    for (const auto& w : ws)
        out += QByteArray("[") + w.text.c_str() + "/" + QByteArray::number(static_cast<int>(w.level)) + "]";
    return out.isEmpty() ? QByteArray("[none]") : out;
}

inline QByteArray Got(double value) { return "got " + QByteArray::number(value, 'g', 12); }

} // namespace linetest
