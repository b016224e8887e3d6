// Thinning a dense curve for drawing: of the points that fall into one column of the plot
// only the first, the lowest, the highest and the last are kept, so the drawn envelope is
// the same as with every point while a sweep of many thousands of points costs no more to
// draw than the plot is wide.
#pragma once

#include <QList>
#include <QPointF>

namespace korvel::ui {

// points in ascending x; columns > 0. Curves with no more than 4 points per column are
// returned unchanged.
QList<QPointF> DecimateForColumns(const QList<QPointF>& points, int columns);

} // namespace korvel::ui
