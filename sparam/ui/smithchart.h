// A Smith chart drawn with QPainter: the resistance and reactance circles of the normalised
// impedance plane, curves of reflection coefficients, circles with their labels, and a
// readout of the impedance under the mouse. It is a view: it is handed traces and knows
// nothing about files or formulas.
#pragma once

#include "core/cxmath.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace korvel::ui {

struct SmithTrace {
    QString name;
    QColor color;
    double width = 1.5;             // pen width in device-independent pixels
    std::vector<Complex> gamma;     // reflection coefficients; kUndefinedComplex is skipped
    std::vector<float> freq;        // MHz, one per point where the curve is a frequency sweep
    bool closed = false;            // a circle rather than a sweep
};

struct SmithMark {
    QString text;
    Complex gamma;
    QColor color;
};

enum class TraceStyle { Line, Points, LinePoints };

class SmithChart : public QWidget {
    Q_OBJECT
public:
    explicit SmithChart(QWidget* parent = nullptr);

    void SetTitle(const QString& title);
    void SetCaptions(const QStringList& lines);      // written under the title
    void SetTraces(std::vector<SmithTrace> traces);
    void SetMarks(std::vector<SmithMark> marks);
    void Clear();
    void SetBlackBackground(bool black);
    void SetFrequencyLabels(bool on);
    void SetStyle(TraceStyle style, double widthScale);

    const std::vector<SmithTrace>& Traces() const { return traces_; }
    QString Title() const { return title_; }
    QStringList Captions() const { return captions_; }
    QString ReadoutText() const { return readout_; }

    // Draws the whole chart into the rectangle (the widget, an image, the clipboard, a bench).
    void Render(QPainter& p, const QRectF& area) const;

    // "G = ...   Ð ...°", "Zn = ...   ...", "Yn = ...   ..." for a normalised impedance.
    static QStringList Readout(Complex zn);
    // The readout for a mouse position in widget coordinates: the data point under it when
    // one lies within a few pixels, else the chart position; empty off the chart.
    QString ReadoutAt(const QPointF& pos) const;

    // The drive-mode description: title, axes and every trace as normalised impedances.
    Q_INVOKABLE QString DriveSeriesJson() const;

    QSize sizeHint() const override { return {480, 480}; }
    QSize minimumSizeHint() const override { return {200, 200}; }

signals:
    // The readout of the point under the mouse, or empty when the mouse left the chart.
    void CursorReadout(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Geometry {
        QPointF centre;
        double radius = 0.0;
        QRectF titleArea;
    };
    Geometry Layout(const QRectF& area) const;

    QString title_;
    QStringList captions_;
    std::vector<SmithTrace> traces_;
    std::vector<SmithMark> marks_;
    bool black_ = false;
    bool freqLabels_ = false;
    TraceStyle style_ = TraceStyle::Line;
    double widthScale_ = 1.0;
    QString readout_;
};

} // namespace korvel::ui
