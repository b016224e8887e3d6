#include "smithchart.h"

#include "core/units.h"
#include "shell/formwidgets.h"
#include "sparam/twoport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <complex>

namespace korvel::ui {
namespace {

using C = std::complex<double>;

C ToStd(Complex z) { return {z.Re, z.Im}; }

QString Fmt(double v, const char* picture) { return QString::fromStdString(FormatValue(v, picture)); }

QString JsonText(const QString& s)
{
    QString out = "\"";
    for (QChar ch : s) {
        if (ch == '"' || ch == '\\')
            out += '\\', out += ch;
        else if (ch == '\n')
            out += "\\n";
        else if (ch == '\t')
            out += "\\t";
        else
            out += ch;
    }
    return out + "\"";
}

QString JsonNum(double v)
{
    // Six significant figures keep the expected files stable across compilers.
    QString t = QString::number(v, 'g', 6);
    return t == "-0" ? "0" : t;
}

// The chart's grid: resistance circles and reactance arcs at the values an engineer reads
// from a printed chart.
constexpr double kGridValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};

// Above this many points a sweep is drawn without antialiasing (see Render).
constexpr std::size_t kDenseSweep = 2000;

} // namespace

SmithChart::SmithChart(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SmithChart::SetTitle(const QString& title) { title_ = title; update(); }
void SmithChart::SetCaptions(const QStringList& lines) { captions_ = lines; update(); }
void SmithChart::SetTraces(std::vector<SmithTrace> traces) { traces_ = std::move(traces); update(); }
void SmithChart::SetMarks(std::vector<SmithMark> marks) { marks_ = std::move(marks); update(); }
void SmithChart::SetBlackBackground(bool black) { black_ = black; update(); }
void SmithChart::SetFrequencyLabels(bool on) { freqLabels_ = on; update(); }

void SmithChart::SetStyle(TraceStyle style, double widthScale)
{
    style_ = style;
    widthScale_ = widthScale;
    update();
}

void SmithChart::Clear()
{
    title_.clear();
    captions_.clear();
    traces_.clear();
    marks_.clear();
    update();
}

SmithChart::Geometry SmithChart::Layout(const QRectF& area) const
{
    Geometry g;
    const QFontMetricsF fm(font());
    const double titleHeight = fm.height() * (1 + captions_.size()) + 6;
    g.titleArea = QRectF(area.left(), area.top() + 2, area.width(), titleHeight);
    // Room around the unit circle for the reactance labels.
    const double margin = fm.height() * 1.6;
    const double w = area.width() - 2 * margin;
    const double h = area.height() - titleHeight - 2 * margin;
    g.radius = std::max(10.0, std::min(w, h) / 2.0);
    g.centre = QPointF(area.center().x(), area.top() + titleHeight + margin + std::max(h, 20.0) / 2.0);
    return g;
}

void SmithChart::Render(QPainter& p, const QRectF& area) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor paper = black_ ? QColor(0, 0, 0) : QColor(255, 255, 255);
    const QColor ink = black_ ? QColor(230, 230, 230) : QColor(0, 0, 0);
    const QColor gridInk = black_ ? QColor(90, 90, 90) : QColor(190, 190, 190);
    p.fillRect(area, paper);
    p.setFont(font());
    const Geometry g = Layout(area);
    const double R = g.radius;
    auto toPoint = [&](C gamma) { return QPointF(g.centre.x() + R * gamma.real(), g.centre.y() - R * gamma.imag()); };

    // Everything of the grid lies inside the unit circle.
    QPainterPath unit;
    unit.addEllipse(g.centre, R, R);
    p.save();
    p.setClipPath(unit);
    QPen gridPen(gridInk, 1.0);
    gridPen.setCosmetic(true);
    p.setPen(gridPen);
    p.setBrush(Qt::NoBrush);
    for (double r : kGridValues) {
        // Constant resistance r: centre r/(1+r), radius 1/(1+r).
        const double c = r / (1 + r), rad = 1 / (1 + r);
        p.drawEllipse(toPoint(C(c, 0)), R * rad, R * rad);
    }
    for (double x : kGridValues) {
        // Constant reactance ±x: centre 1 ± j/x, radius 1/x.
        for (double sign : {1.0, -1.0}) {
            const double rad = 1 / x;
            p.drawEllipse(toPoint(C(1, sign / x)), R * rad, R * rad);
        }
    }
    p.drawLine(toPoint(C(-1, 0)), toPoint(C(1, 0)));
    p.restore();

    QPen rim(ink, 1.5);
    rim.setCosmetic(true);
    p.setPen(rim);
    p.drawEllipse(g.centre, R, R);

    // Labels: resistance on the real axis, reactance outside the rim.
    const QFontMetricsF fm(p.font());
    p.setPen(ink);
    for (double r : kGridValues) {
        const QPointF at = toPoint(C((r - 1) / (r + 1), 0));
        const QString t = LocalNumber(r);
        p.drawText(QPointF(at.x() + 2, at.y() - 3), t);
        for (double sign : {1.0, -1.0}) {
            const C z(0, sign * r);
            const C gamma = (z - 1.0) / (z + 1.0);
            const double a = std::arg(gamma);
            const QPointF rimPoint = toPoint(gamma);
            const QString lt = (sign > 0 ? "+j" : "-j") + t;
            const double tw = fm.horizontalAdvance(lt);
            const QPointF off(std::cos(a) * (tw / 2 + 4), -std::sin(a) * (fm.height() / 2 + 2));
            p.drawText(QRectF(rimPoint.x() + off.x() - tw / 2, rimPoint.y() + off.y() - fm.height() / 2, tw, fm.height()),
                       Qt::AlignCenter, lt);
        }
    }

    // Title and captions.
    QStringList head;
    if (!title_.isEmpty())
        head << title_;
    head << captions_;
    p.drawText(g.titleArea, Qt::AlignHCenter | Qt::AlignTop, head.join('\n'));

    // Curves: undefined points and points outside the chart break the line.
    std::vector<QRectF> labelBoxes;
    for (const SmithTrace& t : traces_) {
        QPen pen(t.color, t.width * widthScale_);
        const bool dense = t.gamma.size() > kDenseSweep;
        pen.setCapStyle(dense ? Qt::FlatCap : Qt::RoundCap);
        pen.setJoinStyle(dense ? Qt::BevelJoin : Qt::RoundJoin);
        p.setPen(pen);
        // Antialiasing a wide pen along a dense sweep costs ten times more than the plain
        // fill, and the sweep's own density hides the steps it would smooth.
        p.setRenderHint(QPainter::Antialiasing, t.gamma.size() <= kDenseSweep || pen.widthF() <= 1.0);
        QPolygonF run;
        bool broken = false;  // a circle that leaves the chart is not closed across the rim
        // A long sweep is stroked in short pieces: a wide pen's outline of one huge polyline
        // is a self-intersecting polygon that costs far more to fill than many small ones.
        constexpr qsizetype kPiece = 128;
        // A dense sweep with a wide pen is laid down as hairlines side by side: the hairline
        // rasteriser is many times faster than stroking the outline of a wide pen, and at
        // thousands of points the two pictures cannot be told apart.
        const double width = pen.widthF();
        const int passes = dense && width > 1.0 ? int(std::ceil(width)) : 1;
        if (passes > 1) {
            QPen hair(t.color, 0);
            hair.setCosmetic(true);
            p.setPen(hair);
        }
        auto flush = [&] {
            if (style_ != TraceStyle::Points && run.size() > 1) {
                // Shifts across x and across y: a curve running in any direction gets wider.
                for (int a = 0; a < 2 * passes - 1; ++a) {
                        const double d = ((a < passes ? a : a - passes + 1) - (passes - 1) / 2.0) * 0.8;
                        if (a >= passes && a - passes + 1 == (passes - 1) / 2.0)
                            continue;  // the centre line is drawn once
                        const QPointF shift = a < passes ? QPointF(d, 0) : QPointF(0, d);
                        if (passes > 1)
                            run.translate(shift);
                        for (qsizetype i = 0; i + 1 < run.size(); i += kPiece)
                            p.drawPolyline(run.constData() + i, int(std::min(kPiece + 1, run.size() - i)));
                        if (passes > 1)
                            run.translate(-shift);
                    }
            }
            run.clear();
        };
        for (const Complex& z : t.gamma) {
            if (IsUndefined(z) || !std::isfinite(z.Re) || !std::isfinite(z.Im) || std::hypot(z.Re, z.Im) > 1.0 + 1e-9) {
                broken = true;
                flush();
                continue;
            }
            const QPointF pt = toPoint(ToStd(z));
            // Points closer than half a pixel to the last one drawn add nothing to the picture.
            if (!run.isEmpty() && style_ == TraceStyle::Line && std::abs(pt.x() - run.back().x()) < 0.5 &&
                std::abs(pt.y() - run.back().y()) < 0.5)
                continue;
            run << pt;
            if (style_ != TraceStyle::Line) {
                p.save();
                p.setBrush(t.color);
                p.drawEllipse(pt, 2.0 * widthScale_, 2.0 * widthScale_);
                p.restore();
            }
        }
        if (t.closed && !broken && run.size() > 2)
            run << run.front();
        flush();
        if (freqLabels_ && !t.freq.empty() && !t.closed) {
            // A label that would land on one already written is left out (a sweep that is
            // held at its end value puts its middle and last points in one place).
            // The first, middle and last frequencies: enough to read the sweep's direction.
            const std::size_t n = std::min(t.freq.size(), t.gamma.size());
            for (std::size_t k : {std::size_t{0}, n / 2, n - 1}) {
                if (k >= n || IsUndefined(t.gamma[k]))
                    continue;
                const QString text = LocalNumber(QString::number(t.freq[k])) + " MHz";
                const QPointF at = toPoint(ToStd(t.gamma[k])) + QPointF(4, -4);
                const QRectF box(at.x(), at.y() - fm.ascent(), fm.horizontalAdvance(text), fm.height());
                if (std::any_of(labelBoxes.begin(), labelBoxes.end(), [&](const QRectF& r) { return r.intersects(box); }))
                    continue;
                labelBoxes.push_back(box);
                p.setPen(t.color);
                p.drawText(at, text);
            }
        }
    }

    p.setRenderHint(QPainter::Antialiasing, true);
    for (const SmithMark& m : marks_) {
        if (IsUndefined(m.gamma))
            continue;
        const QPointF pt = toPoint(ToStd(m.gamma));
        p.setPen(QPen(m.color, 1.5));
        p.setBrush(m.color);
        p.drawEllipse(pt, 3.0, 3.0);
        // A label is written on a patch of the paper colour so that grid labels under it do
        // not make it unreadable.
        const QRectF box(pt.x() + 4, pt.y() - 5 - fm.ascent(), fm.horizontalAdvance(m.text) + 2, fm.height());
        QColor patch = paper;
        patch.setAlpha(200);
        p.fillRect(box, patch);
        p.setPen(m.color);
        p.drawText(pt + QPointF(5, -5), m.text);
    }
    p.restore();
}

void SmithChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Render(p, rect());
}

QStringList SmithChart::Readout(Complex zn)
{
    const C z = ToStd(zn);
    const C gamma = (z - 1.0) / (z + 1.0);
    const C y = 1.0 / z;
    const double ang = std::arg(gamma) * 180.0 / 3.14159265358979;
    return {"G = " + Fmt(std::abs(gamma), "#0.###") + "   Ð " + Fmt(ang, "#0.#") + "°",
            "Zn = " + Fmt(z.real(), "#0.###") + "   " + Fmt(z.imag(), "#0.###"),
            "Yn = " + Fmt(y.real(), "#0.#####") + "   " + Fmt(y.imag(), "#0.#####")};
}

QString SmithChart::ReadoutAt(const QPointF& pos) const
{
    const Geometry g = Layout(rect());
    C gamma((pos.x() - g.centre.x()) / g.radius, -(pos.y() - g.centre.y()) / g.radius);
    // Near a data point the readout gives that point's own value (and its curve and
    // frequency) rather than the position of the mouse: the data, not the drawn line.
    constexpr double kCatchPixels = 6.0;
    double best = kCatchPixels * kCatchPixels;
    QString which;
    for (const SmithTrace& t : traces_) {
        for (std::size_t k = 0; k < t.gamma.size(); ++k) {
            const Complex& z = t.gamma[k];
            if (IsUndefined(z))
                continue;
            const double dx = g.centre.x() + g.radius * z.Re - pos.x();
            const double dy = g.centre.y() - g.radius * z.Im - pos.y();
            const double d2 = dx * dx + dy * dy;
            if (d2 < best) {
                best = d2;
                gamma = ToStd(z);
                which = t.name;
                if (k < t.freq.size() && !t.closed)
                    which += " at " + LocalNumber(QString::number(t.freq[k])) + " MHz";
            }
        }
    }
    // Outside the rim there is no passive impedance to read, and at Γ = 1 it is infinite.
    if (!(std::abs(gamma) < 1.0) && which.isEmpty())
        return QString();
    if (std::abs(1.0 - gamma) < 1e-12)
        return which;
    const C z = (1.0 + gamma) / (1.0 - gamma);
    QString text = Readout(Complex{z.real(), z.imag()}).join("      ");
    if (!which.isEmpty())
        text += "      " + which;
    return text;
}

void SmithChart::mouseMoveEvent(QMouseEvent* event)
{
    const QString text = ReadoutAt(event->position());
    if (text != readout_) {
        readout_ = text;
        emit CursorReadout(text);
    }
    QWidget::mouseMoveEvent(event);
}

void SmithChart::leaveEvent(QEvent* event)
{
    readout_.clear();
    emit CursorReadout(QString());
    QWidget::leaveEvent(event);
}

QString SmithChart::DriveSeriesJson() const
{
    QStringList heads;
    if (!title_.isEmpty())
        heads << title_;
    heads << captions_;
    QStringList data;
    for (const SmithTrace& t : traces_) {
        // A point outside the chart (|rho| > 1, a negative resistance) is kept and its place
        // in the list named, as the drawing clips it; the open circuit has no finite impedance.
        QStringList pts, outside;
        for (const Complex& g : t.gamma) {
            if (IsUndefined(g))
                continue;
            const C gamma = ToStd(g);
            if (std::abs(1.0 - gamma) < 1e-12)
                continue;
            if (std::abs(gamma) > 1.0 + 1e-9)
                outside << QString::number(pts.size());
            const C z = (1.0 + gamma) / (1.0 - gamma);
            pts << "[" + JsonNum(z.real()) + "," + JsonNum(z.imag()) + "]";
        }
        data << "{\"name\":" + JsonText(t.name) + ",\"color\":" + JsonText(t.color.name().toUpper())
                    + ",\"points\":[" + pts.join(',') + "],\"outside\":[" + outside.join(',') + "]}";
    }
    // Each label where it is drawn, as the impedance of that place.
    QStringList marks;
    for (const SmithMark& m : marks_) {
        const C gamma = ToStd(m.gamma);
        const bool open = std::abs(1.0 - gamma) < 1e-12;
        const C z = open ? C() : (1.0 + gamma) / (1.0 - gamma);
        marks << "{\"text\":" + JsonText(m.text) + ",\"at\":"
                     + (open ? QString("null") : "[" + JsonNum(z.real()) + "," + JsonNum(z.imag()) + "]") + "}";
    }
    return "{\"title\":" + JsonText(heads.join('\n')) + ",\"axes\":[\"Zn real\",\"Zn imaginary\"],\"data\":["
           + data.join(',') + "],\"labels\":[" + marks.join(',') + "]}";
}

} // namespace korvel::ui
