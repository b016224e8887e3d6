// Drawing time of the S-parameter window's charts, offscreen: a rectangular plot of 60 curves
// of 10,000 points on Qt Charts, and the hand-drawn Smith chart with 3 curves of 10,000
// points. The curves go through the window's own thinning of dense sweeps. Each is drawn into an image the size of a large window several times; the best
// and the median times are printed.
//   chart_bench [repeats]
#include "sparam/ui/decimate.h"
#include "sparam/ui/smithchart.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace korvel;
using namespace korvel::ui;

namespace {

constexpr int kCurves = 60;
constexpr int kSmithCurves = 3;
constexpr int kPoints = 10'000;

template <typename Draw>
void Time(const char* what, int repeats, Draw draw)
{
    std::vector<double> ms;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        draw();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.2f ms   median %8.2f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);

    // Rectangular: 60 gain-like curves over 100 MHz .. 10 GHz.
    QChartView view;
    view.resize(image.size());
    view.setRenderHint(QPainter::Antialiasing);
    auto* chart = new QChart;
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(100, 10000);
    y->setRange(-10, 30);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (int c = 0; c < kCurves; ++c) {
        QList<QPointF> pts;
        pts.reserve(kPoints);
        for (int k = 0; k < kPoints; ++k) {
            const double f = 100.0 + k * (9900.0 / (kPoints - 1));
            pts.append({f, 20.0 - c * 0.3 - 10.0 * std::log10(f / 100.0) + 0.5 * std::sin(f / 50.0 + c)});
        }
        auto* s = new QLineSeries;
        QPen pen(QColor::fromHsv((c * 37) % 360, 220, 200));
        pen.setWidthF(std::getenv("BENCH_WIDTH") ? std::atof(std::getenv("BENCH_WIDTH")) : 2.0);
        s->setPen(pen);
        s->replace(DecimateForColumns(pts, 1500));  // as the window hands them to the chart
        chart->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    chart->legend()->hide();
    view.setChart(chart);
    view.show();
    QApplication::processEvents();
    Time("rectangular, 60 curves x 10,000 points", repeats, [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        view.render(&p);
    });

    // Smith: three sweeps spiralling inward.
    SmithChart smith;
    smith.resize(1000, 1000);
    std::vector<SmithTrace> traces;
    for (int c = 0; c < kSmithCurves; ++c) {
        SmithTrace t;
        t.name = QString("curve %1").arg(c);
        t.color = QColor::fromHsv(c * 110, 220, 200);
        t.width = 2.0;  // the window's medium line
        for (int k = 0; k < kPoints; ++k) {
            const double r = 0.95 - 0.8 * k / kPoints;
            const double a = -k * 0.01 - c;
            t.gamma.push_back({r * std::cos(a), r * std::sin(a)});
            t.freq.push_back(float(100 + k));
        }
        traces.push_back(std::move(t));
    }
    smith.SetTraces(std::move(traces));
    QImage square(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    Time("Smith chart, 3 curves x 10,000 points", repeats, [&] {
        QPainter p(&square);
        smith.Render(p, QRectF(0, 0, 1000, 1000));
    });
    return 0;
}
