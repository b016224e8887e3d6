// The chart displays of the S-parameter window: rectangular and polar plots on Qt Charts and
// the two Smith charts.
#include "sparamwindow.h"

#include "decimate.h"
#include "smithchart.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "shell/services.h"
#include "sparam/columns.h"
#include "sparam/twoport.h"

#include <QAction>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPolarChart>
#include <QStackedWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <complex>
#include <optional>
#include <span>

namespace korvel::ui {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Curve colours that stay apart from each other on white and on black.
const QColor kPalette[] = {QColor(0, 90, 200),  QColor(220, 60, 20), QColor(0, 150, 60),  QColor(150, 0, 170),
                           QColor(200, 140, 0), QColor(0, 160, 170), QColor(120, 80, 40), QColor(230, 0, 120),
                           QColor(90, 90, 255), QColor(100, 160, 0)};
QColor ColourOf(std::size_t i) { return kPalette[i % std::size(kPalette)]; }

const QColor kReference(200, 0, 0);  // dark red reference lines

QString CurveName(int setNumber, std::string_view name) { return QString("D%1 %2").arg(setNumber).arg(Q(name)); }

// A chart's background and ink follow the white/black choice, not the desktop theme; its
// scales write numbers as the user's locale does.
void PaintChart(QChart* chart, bool black)
{
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(true);
    const QColor paper = black ? Qt::black : Qt::white;
    const QColor ink = black ? QColor(230, 230, 230) : Qt::black;
    const QColor grid = black ? QColor(80, 80, 80) : QColor(210, 210, 210);
    chart->setBackgroundBrush(paper);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleBrush(ink);
    chart->legend()->setLabelColor(ink);
    for (QAbstractAxis* a : chart->axes()) {
        a->setLabelsColor(ink);
        a->setTitleBrush(ink);
        a->setGridLineColor(grid);
        a->setLinePenColor(ink);
    }
}

bool Offered(const ParamInfo& info, const GridSet& g)
{
    // A one-port file or a file without noise data has no such curve.
    return !((info.ports == 2 && g.ports != 2) || (info.noise && !g.hasNoise));
}

// A quantity drawn on the reflection plane: impedances (the differential port) are first
// turned into the reflection they present to the reference.
Complex AsReflection(Param p, Complex v, double z0)
{
    if (IsUndefined(v))
        return v;
    if (p == Param::DiffZ) {
        // Driven in anti-phase the two ports are in series, so the reference is 2·Z0.
        const std::complex<double> z = std::complex<double>(v.Re, v.Im) / (2.0 * z0);
        const std::complex<double> g = (z - 1.0) / (z + 1.0);
        return {g.real(), g.imag()};
    }
    return v;
}

// Adds a curve to a chart in runs of defined points (a point without a value is nullopt): a
// point where the quantity does not exist (MAG where the device is not unconditionally
// stable, the VSWR of a total reflection) leaves a gap rather than a straight line across, as
// on the Smith chart. The first run carries the curve's name in the legend. A curve that
// comes and goes at very many points (a K near 1 in noisy data) is drawn joined instead, as a
// chart of thousands of pieces would crawl.
void AddRuns(QChart* chart, const QString& name, const QPen& pen, const std::vector<std::optional<QPointF>>& points)
{
    constexpr int kMostRuns = 250;
    int runs = 0;
    for (std::size_t k = 0; k < points.size(); ++k)
        runs += points[k] && (k == 0 || !points[k - 1]) ? 1 : 0;
    const bool joined = runs > kMostRuns;
    QLineSeries* named = nullptr;
    QLineSeries* run = nullptr;
    auto startRun = [&] {
        run = new QLineSeries;
        run->setName(name);
        run->setPen(pen);
        chart->addSeries(run);
        if (named) {
            for (QLegendMarker* m : chart->legend()->markers(run))
                m->setVisible(false);
        } else {
            named = run;
        }
    };
    for (const std::optional<QPointF>& p : points) {
        if (!p) {
            if (!joined)
                run = nullptr;
            continue;
        }
        if (!run)
            startRun();
        run->append(*p);
    }
    if (!named)
        startRun();   // an empty curve still has its place in the legend
}

} // namespace

void SparamWindow::ApplyChartOptions()
{
    const bool black = black_->isChecked();
    for (QChartView* v : {peRectPlot_, pePolar_}) {
        if (!v->chart())
            continue;
        PaintChart(v->chart(), black);
        for (QAbstractSeries* s : v->chart()->series())
            if (auto* l = qobject_cast<QLineSeries*>(s)) {
                QPen pen = l->pen();
                if (pen.color() == kReference)
                    continue;
                pen.setWidthF(LineWidth());
                pen.setStyle(points_->isChecked() ? Qt::NoPen : Qt::SolidLine);
                l->setPen(pen);
                // A run of one point between two gaps has no line to show it by.
                l->setPointsVisible(!line_->isChecked() || l->count() == 1);
            }
    }
    const TraceStyle style = points_->isChecked()       ? TraceStyle::Points
                             : linePoints_->isChecked() ? TraceStyle::LinePoints
                                                        : TraceStyle::Line;
    for (SmithChart* s : {peSmith_, peSmithCircles_}) {
        s->SetBlackBackground(black);
        s->SetFrequencyLabels(labelFreq_->isChecked());
        s->SetStyle(style, LineWidth() / 2.0);
    }
}

void SparamWindow::ShowRectangular(const std::vector<GridSet>& sets, const std::vector<int>& numbers)
{
    const auto nodes = ChosenNodes();
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    const bool log = logFreq_->isChecked();
    std::vector<Note> notes;
    QStringList statistics;
    double yMin = 1e300, yMax = -1e300, xMin = 1e300, xMax = -1e300;
    std::size_t colour = 0;
    bool stabilityLine = false;
    // Undefined points break the curve; a log axis has no place for 0 Hz.
    auto addCurve = [&](const QString& name, const QPen& pen, std::span<const float> freq,
                        std::span<const double> values) {
        std::vector<std::optional<QPointF>> points;
        points.reserve(freq.size());
        for (std::size_t k = 0; k < freq.size() && k < values.size(); ++k) {
            const double x = freq[k];
            const double y = values[k];
            if (IsUndefined(y) || !std::isfinite(y) || (log && x <= 0.0)) {
                points.emplace_back();
                continue;
            }
            points.emplace_back(QPointF(x, y));
            yMin = std::min(yMin, y);
            yMax = std::max(yMax, y);
            xMin = std::min(xMin, x);
            xMax = std::max(xMax, x);
        }
        AddRuns(chart, name, pen, points);
    };
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const GridSet& g = sets[i];
        // All curves of a set in one pass, so that the terms they share are formed once.
        std::vector<const ParamNode*> offered;
        std::vector<Param> params;
        for (const ParamNode* n : nodes)
            if (Offered(InfoOf(n->param), g)) {
                offered.push_back(n);
                params.push_back(n->param);
            }
        std::vector<std::vector<double>> curves(offered.size(), std::vector<double>(g.Points()));
        std::vector<double*> columns;
        for (auto& c : curves)
            columns.push_back(c.data());
        const std::vector<Note> curveNotes = EvaluateColumns(g, params, columns);
        for (std::size_t c = 0; c < offered.size(); ++c) {
            const ParamNode* n = offered[c];
            const ParamInfo& info = InfoOf(n->param);
            const std::string_view name = n->kind == NodeKind::Plain ? info.name : n->text;
            const QPen pen(ColourOf(colour++), LineWidth());
            std::vector<double>& values = curves[c];
            const Note note = curveNotes[c];
            if (note != Note::None && std::find(notes.begin(), notes.end(), note) == notes.end())
                notes.push_back(note);
            const bool delay = n->param == Param::GroupDelay21 || n->param == Param::GroupDelay12;
            // The table gives group delay in picoseconds; this axis is in seconds.
            if (delay)
                for (double& v : values)
                    v = IsUndefined(v) ? v : v * 1e-12;
            addCurve(CurveName(numbers[i], name), pen, g.freq, values);
            if (n->kind == NodeKind::GainFlatness) {
                std::vector<double> defined;
                for (double v : values)
                    if (!IsUndefined(v))
                        defined.push_back(v);
                // The prefix tells the sets apart; with one set plotted it would only clutter.
                const QString prefix = sets.size() > 1 ? QString("D%1 ").arg(numbers[i]) : QString();
                statistics << prefix + Q(GainFlatnessCaption(GainFlatnessOf(defined)));
            }
            if (n->kind == NodeKind::PhaseLinearity) {
                const std::vector<double> ref = LinearPhaseReference(g.freq, values);
                addCurve(Q(kLinearPhaseReferenceLabel), QPen(kReference, 1.0, Qt::DashLine), g.freq, ref);
            }
            if (n->param == Param::K || n->param == Param::Mu1 || n->param == Param::Mu2)
                stabilityLine = true;
        }
    }
    if (xMin > xMax) {
        xMin = sets.empty() || sets.front().freq.empty() ? 0.0 : sets.front().freq.front();
        xMax = xMin + 1.0;
        yMin = 0.0;
        yMax = 1.0;
    }
    if (stabilityLine) {
        auto* r = new QLineSeries;
        r->setName(Q(kStabilityReferenceLabel));
        r->setPen(QPen(kReference, 1.5));
        r->append(xMin, 1.0);
        r->append(xMax, 1.0);
        chart->addSeries(r);
        yMin = std::min(yMin, 1.0);
        yMax = std::max(yMax, 1.0);
    }

    QAbstractAxis* xAxis = nullptr;
    if (log) {
        auto* a = new QLogValueAxis;
        a->setBase(10.0);
        a->setLabelFormat("%g");
        a->setMinorTickCount(-1);
        if (xMax > xMin)
            a->setRange(xMin, xMax);
        xAxis = a;
    } else {
        auto* a = new QValueAxis;
        a->setRange(xMin, xMax == xMin ? xMin + 1.0 : xMax);
        a->setLabelFormat("%g");
        a->applyNiceNumbers();
        xAxis = a;
    }
    xAxis->setTitleText("Frequency (MHz)");
    auto* yAxis = new QValueAxis;
    const char category = nodes.empty() ? 0 : CategoryLetter(nodes.front()->key);
    yAxis->setTitleText(Q(AxisTitleOf(category)));
    const double pad = (yMax - yMin) * 0.05 + (yMax == yMin ? 1.0 : 0.0);
    yAxis->setRange(yMin - pad, yMax + pad);
    yAxis->applyNiceNumbers();
    yAxis->setLabelFormat(category == 'D' ? "%.3g" : "%g");
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);
    // A dense sweep is thinned to what a wide screen can show (see decimate.h).
    constexpr int kColumns = 1500;
    for (QAbstractSeries* s : chart->series()) {
        if (auto* l = qobject_cast<QLineSeries*>(s); l && l->count() > kColumns * 4)
            l->replace(DecimateForColumns(l->points(), kColumns));
        s->attachAxis(xAxis);
        s->attachAxis(yAxis);
    }

    QStringList title;
    if (category == 'F')
        title << Q(kGainFlatnessTitle);
    title << statistics;
    for (Note n : notes)
        title << Q(NoteText(n));
    // The chart title is rich text: the notes and statistics go on lines of their own.
    chart->setTitle(title.join("<br>"));

    QChart* old = peRectPlot_->chart();
    peRectPlot_->setChart(chart);
    delete old;
    ApplyChartOptions();
    displays_->setCurrentWidget(peRectPlot_);
}

void SparamWindow::ShowPolar(const std::vector<GridSet>& sets, const std::vector<int>& numbers)
{
    const auto nodes = ChosenNodes();
    auto* chart = new QPolarChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Qt's polar chart counts angles clockwise from the top; a reflection coefficient is read
    // counter-clockwise from the right, so each angle is turned before plotting and the
    // angular axis is labelled with the true angles.
    auto screenAngle = [](double deg) { return std::fmod(450.0 - deg, 360.0); };
    double rMax = 1.0;
    std::size_t colour = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const GridSet& g = sets[i];
        for (const ParamNode* n : nodes) {
            const ParamInfo& info = InfoOf(n->param);
            if (!Offered(info, g))
                continue;
            std::vector<std::optional<QPointF>> points;
            points.reserve(g.Points());
            for (std::size_t k = 0; k < g.Points(); ++k) {
                const Complex v = AsReflection(n->param, Evaluate(n->param, g, k).z, g.referenceImpedance);
                if (IsUndefined(v)) {
                    points.emplace_back();
                    continue;
                }
                const double m = std::hypot(v.Re, v.Im);
                rMax = std::max(rMax, m);
                const QPointF here(screenAngle(std::atan2(v.Im, v.Re) * 180.0 / 3.14159265358979), m);
                // A curve crossing the chart's 0° line is cut there, with the crossing point at
                // both ends of the cut: the chart would otherwise join the two sides through the
                // centre.
                if (!points.empty() && points.back()) {
                    const QPointF last = *points.back();
                    const double jump = here.x() - last.x();
                    if (std::fabs(jump) > 180.0) {
                        const double lastToEdge = jump > 0.0 ? last.x() : 360.0 - last.x();
                        const double edgeToHere = jump > 0.0 ? 360.0 - here.x() : here.x();
                        const double r = last.y() + (here.y() - last.y()) * lastToEdge / (lastToEdge + edgeToHere);
                        points.emplace_back(QPointF(jump > 0.0 ? 0.0 : 360.0, r));
                        points.emplace_back();
                        points.emplace_back(QPointF(jump > 0.0 ? 360.0 : 0.0, r));
                    }
                }
                points.emplace_back(here);
            }
            AddRuns(chart, CurveName(numbers[i], info.name), QPen(ColourOf(colour++), LineWidth()), points);
        }
    }
    auto* angular = new QCategoryAxis;
    angular->setRange(0, 360);
    angular->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int a = 0; a < 360; a += 30) {
        int shown = 90 - a;  // the true angle at this screen position
        if (shown <= -180)
            shown += 360;
        angular->append(LocalNumber(shown) + "°", a);
    }
    angular->setTitleText("Angle (°)");
    auto* radial = new QValueAxis;
    radial->setRange(0, std::ceil(rMax * 10.0) / 10.0);
    radial->setLabelFormat("%.1f");
    radial->setTitleText("Magnitude");
    radial->setTitleVisible(false);  // it would run across the radial labels; the legend says it
    chart->addAxis(angular, QPolarChart::PolarOrientationAngular);
    chart->addAxis(radial, QPolarChart::PolarOrientationRadial);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(angular);
        s->attachAxis(radial);
    }
    QChart* old = pePolar_->chart();
    pePolar_->setChart(chart);
    delete old;
    ApplyChartOptions();
    displays_->setCurrentWidget(pePolar_);
}

void SparamWindow::ShowSmith(const std::vector<GridSet>& sets, const std::vector<int>& numbers)
{
    std::vector<SmithTrace> traces;
    const auto nodes = ChosenNodes();
    std::size_t colour = 0;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const GridSet& g = sets[i];
        for (const ParamNode* n : nodes) {
            const ParamInfo& info = InfoOf(n->param);
            if (!Offered(info, g))
                continue;
            SmithTrace t;
            t.name = CurveName(numbers[i], info.name);
            t.color = ColourOf(colour++);
            t.width = 2.0;
            t.freq = g.freq;
            for (std::size_t k = 0; k < g.Points(); ++k)
                t.gamma.push_back(AsReflection(n->param, Evaluate(n->param, g, k).z, g.referenceImpedance));
            traces.push_back(std::move(t));
        }
    }
    peSmith_->Clear();
    peSmith_->SetTitle(QString("Smith chart, Z0 = %1 ohms").arg(LocalNumber(QString::number(sets.front().referenceImpedance))));
    peSmith_->SetTraces(std::move(traces));
    ApplyChartOptions();
    displays_->setCurrentWidget(peSmith_);
}

void SparamWindow::ShowSmithCircles(const std::vector<GridSet>& sets, const std::vector<int>& numbers)
{
    std::vector<SmithTrace> traces;
    std::vector<SmithMark> marks;
    QStringList captions;
    const auto nodes = ChosenNodes();
    const int gainCount = int(FieldValue(numberGain_));
    const double gainSpacing = FieldValue(gainSpacing_);
    const int noiseCount = int(FieldValue(numberNoise_));
    const double noiseSpacing = FieldValue(noiseSpacing_);
    bool gainCircles = false, undefined = false, outOfBounds = false;
    std::vector<int> stableIn, stableOut;
    bool wantStableIn = false, wantStableOut = false;
    std::size_t colour = 0;
    // Input circles thin, output circles thick: the two families stay apart where they cross.
    constexpr double kThin = 1.2, kThick = 3.0;
    auto circleTrace = [&](const Circle& c, const QString& name, QColor col, double width) {
        if (!c.defined) {
            undefined = true;
            return;
        }
        if (CircleOutsideChart(c))
            outOfBounds = true;
        SmithTrace t;
        t.name = name;
        t.color = col;
        t.width = width;
        t.closed = true;
        for (int a = 0; a < 360; ++a) {
            const double th = a * 3.14159265358979 / 180.0;
            t.gamma.push_back({c.center.Re + c.radius * std::cos(th), c.center.Im + c.radius * std::sin(th)});
        }
        traces.push_back(std::move(t));
    };
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const GridSet& g = sets[i];
        if (g.ports != 2 || g.Points() == 0) {
            undefined = true;
            continue;
        }
        const TwoPort s{g.s[SIndex(1, 1)][0], g.s[SIndex(2, 1)][0], g.s[SIndex(1, 2)][0], g.s[SIndex(2, 2)][0]};
        const int d = numbers[i];
        for (const ParamNode* n : nodes) {
            const QColor col = ColourOf(colour++);
            switch (n->kind) {
            case NodeKind::GainCirclesIn:
            case NodeKind::GainCirclesOut: {
                const bool in = n->kind == NodeKind::GainCirclesIn;
                gainCircles = true;
                const Complex best = in ? GammaMS(s) : GammaML(s);
                const double top = UnconditionallyStable(s) ? MaxAvailableGainDb(s) : MaxStableGainDb(s);
                if (!IsUndefined(best))
                    marks.push_back({QString("D%1 ").arg(d) + Q(MaxGainLabel(s)), best, col});
                if (IsUndefined(top)) {
                    undefined = true;
                    break;
                }
                for (double level : GainCircleLevels(top, gainCount, gainSpacing)) {
                    const Circle c = in ? GainCircleIn(s, level) : GainCircleOut(s, level);
                    circleTrace(c,
                                QString("D%1 %2 %3 dB").arg(d).arg(in ? "Gain In" : "Gain Out").arg(FormatPicture(level, "0.00")),
                                col, in ? kThin : kThick);
                }
                break;
            }
            case NodeKind::StabilityCircleIn:
            case NodeKind::StabilityCircleOut: {
                const bool in = n->kind == NodeKind::StabilityCircleIn;
                if (UnconditionallyStable(s)) {
                    (in ? stableIn : stableOut).push_back(d);
                    (in ? wantStableIn : wantStableOut) = true;
                    break;
                }
                const Circle c = in ? StabilityCircleIn(s) : StabilityCircleOut(s);
                const QString label =
                    QString("D%1 ").arg(d) + Q(in ? StabilityCircleLabelIn(s) : StabilityCircleLabelOut(s));
                circleTrace(c, label, col, in ? kThin : kThick);
                if (c.defined) {
                    // The label sits on the circle where it comes closest to the chart's centre:
                    // a stability circle's own centre usually lies far off the chart.
                    const double m = std::hypot(c.center.Re, c.center.Im);
                    const double k = m > c.radius ? (m - c.radius) / m : 0.0;
                    marks.push_back({label, {c.center.Re * k, c.center.Im * k}, col});
                }
                break;
            }
            case NodeKind::NoiseCircles: {
                if (!g.hasNoise) {
                    undefined = true;
                    break;
                }
                const NoiseParams np{g.nfMinDb[0], g.gammaOpt[0], g.rn[0]};
                marks.push_back({QString("D%1 ").arg(d) + Q(NoiseMinLabel(np)), np.gammaOpt, col});
                for (double level : NoiseCircleLevels(np.nfMinDb, noiseCount, noiseSpacing))
                    circleTrace(NoiseCircle(np, level), QString("D%1 NF %2 dB").arg(d).arg(FormatPicture(level, "0.00")), col,
                                kThin);
                break;
            }
            default: break;
            }
        }
    }
    if (gainCircles)
        captions << Q(kGainCirclesCaption);
    if (wantStableIn)
        captions << Q(StableSetsCaption(stableIn, true));
    if (wantStableOut)
        captions << Q(StableSetsCaption(stableOut, false));
    if (outOfBounds)
        captions << Q(kCirclesOutOfBounds);
    if (undefined)
        captions << Q(kCirclesNotDefined);
    peSmithCircles_->Clear();
    peSmithCircles_->SetTitle(QString("Circles at %1 MHz").arg(LocalNumber(QString::number(sets.front().freq.front()))));
    peSmithCircles_->SetCaptions(captions);
    peSmithCircles_->SetTraces(std::move(traces));
    peSmithCircles_->SetMarks(std::move(marks));
    ApplyChartOptions();
    displays_->setCurrentWidget(peSmithCircles_);
}

} // namespace korvel::ui
