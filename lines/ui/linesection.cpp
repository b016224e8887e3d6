#include "linesection.h"

#include "shell/services.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace korvel::ui {
namespace {

// Drawn on a fixed canvas and scaled to the widget, so the picture keeps its proportions.
constexpr double kCanvasW = 220.0;
constexpr double kCanvasH = 150.0;

const QColor kInk(0x23, 0x36, 0x4D);
const QColor kMetal(0x9A, 0xA8, 0xB8);
const QColor kMetalEdge(0x56, 0x67, 0x7C);
const QColor kStrip(0xE3, 0x9A, 0x3B);
const QColor kStripEdge(0xA8, 0x62, 0x1A);
const QColor kSubstrate(0xCF, 0xEB, 0xDD);
const QColor kSubstrateInk(0x3F, 0x7F, 0x50);

class Canvas {
public:
    explicit Canvas(QPainter& p) : p_(p) {}

    void Metal(double x, double y, double w, double h) { Rect(x, y, w, h, kMetal, kMetalEdge); }
    void Strip(double x, double y, double w, double h) { Rect(x, y, w, h, kStrip, kStripEdge); }
    void Substrate(double x, double y, double w, double h)
    {
        p_.setPen(Qt::NoPen);
        p_.setBrush(kSubstrate);
        p_.drawRect(QRectF(x, y, w, h));
    }

    // A dimension line between x1 and x2 at height y, arrow heads pointing outwards.
    void ArrowH(double x1, double x2, double y)
    {
        p_.setPen(QPen(kInk, 1.2));
        p_.drawLine(QPointF(x1, y), QPointF(x2, y));
        Head(QPointF(x1, y), QPointF(x1 + 5, y - 2.5), QPointF(x1 + 5, y + 2.5));
        Head(QPointF(x2, y), QPointF(x2 - 5, y - 2.5), QPointF(x2 - 5, y + 2.5));
    }
    void ArrowV(double x, double y1, double y2)
    {
        p_.setPen(QPen(kInk, 1.2));
        p_.drawLine(QPointF(x, y1), QPointF(x, y2));
        Head(QPointF(x, y1), QPointF(x - 2.5, y1 + 5), QPointF(x + 2.5, y1 + 5));
        Head(QPointF(x, y2), QPointF(x - 2.5, y2 - 5), QPointF(x + 2.5, y2 - 5));
    }
    // A thin extension line from an edge of a conductor to its dimension line.
    void Extension(double x1, double y1, double x2, double y2)
    {
        p_.setPen(QPen(kInk, 0.7, Qt::DashLine));
        p_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void Label(double x, double y, const QString& text, const QColor& colour = kInk, bool bold = true)
    {
        QFont f = p_.font();
        f.setPixelSize(12);
        f.setBold(bold);
        p_.setFont(f);
        p_.setPen(colour);
        const QRectF box(x - 50, y - 9, 100, 18);
        p_.drawText(box, Qt::AlignCenter, text);
    }

private:
    void Rect(double x, double y, double w, double h, const QColor& fill, const QColor& edge)
    {
        p_.setPen(QPen(edge, 1.0));
        p_.setBrush(fill);
        p_.drawRect(QRectF(x, y, w, h));
    }
    void Head(QPointF tip, QPointF a, QPointF b)
    {
        QPainterPath path;
        path.moveTo(tip);
        path.lineTo(a);
        path.lineTo(b);
        path.closeSubpath();
        p_.fillPath(path, kInk);
    }

    QPainter& p_;
};

void DrawMicrostrip(Canvas& c)
{
    const double top = 62, bottom = 120;
    c.Substrate(30, top, 170, bottom - top);
    c.Metal(30, bottom, 170, 10);
    c.Strip(90, top - 8, 50, 8);
    c.Extension(90, top - 8, 90, 28);
    c.Extension(140, top - 8, 140, 28);
    c.ArrowH(90, 140, 32);
    c.Label(115, 20, "W");
    c.ArrowV(18, top, bottom);
    c.Label(10, (top + bottom) / 2, "H");
    c.Label(156, top - 5, "T");
    c.Label(115, 94, "Er", kSubstrateInk, false);
    c.Label(115, 141, "ground plane", QColor(0x5B, 0x6E, 0x86), false);
}

void DrawStripline(Canvas& c)
{
    const double top = 26, bottom = 126;
    c.Metal(30, top - 10, 170, 10);
    c.Metal(30, bottom, 170, 10);
    c.Substrate(30, top, 170, bottom - top);
    const double mid = (top + bottom) / 2;
    c.Strip(90, mid - 4, 50, 8);
    c.ArrowH(90, 140, mid - 20);
    c.Label(115, mid - 32, "W");
    c.ArrowV(18, top, bottom);
    c.Label(9, mid, "H");
    c.Label(154, mid, "T");
    c.Label(115, mid + 28, "Er", kSubstrateInk, false);
}

void DrawCpw(Canvas& c, bool ground)
{
    const double top = 66, bottom = ground ? 118 : 126;
    c.Substrate(30, top, 170, bottom - top);
    if (ground)
        c.Metal(30, bottom, 170, 10);
    // Grounds, gap G, strip W, gap G, grounds.
    const double stripL = 95, stripR = 135, gap = 18;
    c.Metal(30, top - 7, stripL - gap - 30, 7);
    c.Metal(stripR + gap, top - 7, 200 - stripR - gap, 7);
    c.Strip(stripL, top - 7, stripR - stripL, 7);
    for (double x : {stripL - gap, stripL, stripR})
        c.Extension(x, top - 7, x, 28);
    c.ArrowH(stripL, stripR, 32);
    c.Label((stripL + stripR) / 2, 20, "W");
    c.ArrowH(stripL - gap, stripL, 46);
    c.Label(stripL - gap / 2, 36, "G");
    c.ArrowV(18, top, bottom);
    c.Label(9, (top + bottom) / 2, "H");
    c.Label(188, top - 17, "T");
    c.Label(115, (top + bottom) / 2 + 2, "Er", kSubstrateInk, false);
    if (ground)
        c.Label(115, 141, "ground plane", QColor(0x5B, 0x6E, 0x86), false);
}

} // namespace

LineSection::LineSection(LineSectionKind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    setFixedSize(184, 126);
    // The drawing's inks are dark: it is drawn on white paper whatever the desktop's palette.
    SetBackground(this, Qt::white);
}

QSize LineSection::sizeHint() const { return {190, 130}; }

QSize LineSection::minimumSizeHint() const { return {165, 112}; }

void LineSection::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(width() / kCanvasW, height() / kCanvasH);
    p.translate((width() - kCanvasW * scale) / 2, (height() - kCanvasH * scale) / 2);
    p.scale(scale, scale);
    Canvas c(p);
    switch (kind_) {
    case LineSectionKind::Microstrip: DrawMicrostrip(c); break;
    case LineSectionKind::Stripline: DrawStripline(c); break;
    case LineSectionKind::CpwGround: DrawCpw(c, true); break;
    case LineSectionKind::CpwOpen: DrawCpw(c, false); break;
    }
}

} // namespace korvel::ui
