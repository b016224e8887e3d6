#include "decimate.h"

#include <algorithm>

namespace korvel::ui {

QList<QPointF> DecimateForColumns(const QList<QPointF>& points, int columns)
{
    if (columns <= 0 || points.size() <= qsizetype(columns) * 4)
        return points;
    const double x0 = points.front().x();
    const double span = points.back().x() - x0;
    if (!(span > 0.0))
        return points;
    QList<QPointF> out;
    out.reserve(qsizetype(columns) * 4);
    qsizetype i = 0;
    while (i < points.size()) {
        const int column = std::min(columns - 1, int((points[i].x() - x0) / span * columns));
        qsizetype lo = i, hi = i, last = i;
        for (qsizetype j = i + 1; j < points.size(); ++j) {
            if (std::min(columns - 1, int((points[j].x() - x0) / span * columns)) != column)
                break;
            last = j;
            if (points[j].y() < points[lo].y())
                lo = j;
            if (points[j].y() > points[hi].y())
                hi = j;
        }
        // First, extremes in the order they occur, last: the line enters and leaves the
        // column where it really does.
        out.append(points[i]);
        const qsizetype a = std::min(lo, hi), b = std::max(lo, hi);
        if (a != i && a != last)
            out.append(points[a]);
        if (b != a && b != i && b != last)
            out.append(points[b]);
        if (last != i)
            out.append(points[last]);
        i = last + 1;
    }
    return out;
}

} // namespace korvel::ui
